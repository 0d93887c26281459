// Where the kept pictures' packed bytes lie in one block of a fixed size, written round and round
// as a ring: a picture kept goes where the next bytes are free, or at the block's start when it
// would not fit before the end (a picture never straddles the end, whose bytes are then left
// unused for a lap), and the pictures kept longest ago whose bytes lie there go. The pictures
// kept are always the ones kept last, oldest first: first in, first out. A picture larger than
// the whole block is not kept. Only the places: the block itself is the caller's, and no toolkit
// is needed to tell where a picture goes.
#pragma once

#include <cstddef>
#include <deque>

namespace vestora::win32 {

// One kept picture: its encoded bytes (which name it), its size in pixels, and where its packed
// bytes lie in the block.
struct KeptPlace {
  const std::byte* encoded = nullptr;
  int width = 0;
  int height = 0;
  std::size_t offset = 0;
  std::size_t length = 0;
};

class KeptPlaces {
 public:
  explicit KeptPlaces(std::size_t size) : size_(size) {}

  std::size_t Size() const { return size_; }
  // Makes room for the picture's length packed bytes, the picture itself kept before forgotten,
  // and returns its place; the pictures that lay there are forgotten. Nullptr, and nothing
  // changed, when it is larger than the block (or the block is empty).
  const KeptPlace* Place(const std::byte* encoded, int width, int height, std::size_t length);
  // The picture's place; nullptr when it is not kept.
  const KeptPlace* Find(const std::byte* encoded) const;
  void Forget(const std::byte* encoded);
  // Forgets every picture; the block's new size.
  void Reset(std::size_t size);
  // Oldest first.
  const std::deque<KeptPlace>& Places() const { return places_; }

 private:
  std::size_t size_;
  std::size_t next_ = 0;  // where the next picture's bytes go
  std::deque<KeptPlace> places_;
};

}  // namespace vestora::win32
