#include "forms/win32/kept_places.h"

#include <algorithm>

namespace vestora::win32 {

const KeptPlace* KeptPlaces::Place(const std::byte* encoded, int width, int height,
                                   std::size_t length) {
  if (length > size_ || size_ == 0) return nullptr;
  Forget(encoded);
  std::size_t from = next_;
  if (from + length > size_) {
    // The bytes left before the end are skipped for this lap: the pictures there are older than
    // any at the start, and go first.
    std::erase_if(places_, [&](const KeptPlace& kept) { return kept.offset >= from; });
    from = 0;
  }
  std::erase_if(places_, [&](const KeptPlace& kept) {
    return kept.offset < from + length && from < kept.offset + kept.length;
  });
  places_.push_back({encoded, width, height, from, length});
  next_ = from + length;
  return &places_.back();
}

const KeptPlace* KeptPlaces::Find(const std::byte* encoded) const {
  const auto found = std::ranges::find(places_, encoded, &KeptPlace::encoded);
  return found == places_.end() ? nullptr : &*found;
}

void KeptPlaces::Forget(const std::byte* encoded) {
  std::erase_if(places_, [&](const KeptPlace& kept) { return kept.encoded == encoded; });
}

void KeptPlaces::Reset(std::size_t size) {
  places_.clear();
  next_ = 0;
  size_ = size;
}

}  // namespace vestora::win32
