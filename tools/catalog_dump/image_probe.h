// Reads what a stored picture says about itself: its format, its size and how many frames it
// holds. Nothing is decoded; only the file's block structure is walked, and never past its end.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "catalog/model.h"

namespace vestora::dump {

struct ImageFacts {
  // From the first bytes: "\xFF\xD8" for JPEG, "GIF87a" or "GIF89a". None for anything else.
  std::optional<ImageFormat> format;
  // True when the structure up to the facts below was intact. For JPEG that is the first start of
  // frame (SOFn) segment; for GIF every block up to the trailer. The size and frame count are
  // meaningful only when this is true.
  bool complete = false;
  int width = 0;   // JPEG: from the SOFn segment. GIF: the logical screen.
  int height = 0;  // likewise
  int frames = 0;  // JPEG: 1. GIF: the number of image descriptors.
};

ImageFacts ProbeImage(std::span<const std::uint8_t> bytes);

}  // namespace vestora::dump
