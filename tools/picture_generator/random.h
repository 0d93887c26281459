// A small seeded generator so that every picture comes out the same on every run.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace vestora::pictures {

// FNV-1a: a stable 64-bit hash of a name, used to seed one picture's generator.
constexpr std::uint64_t HashName(std::string_view text) {
  std::uint64_t hash = 0xcbf29ce484222325ull;
  for (char c : text) {
    hash ^= static_cast<unsigned char>(c);
    hash *= 0x100000001b3ull;
  }
  return hash;
}

// SplitMix64: fast, well mixed and fully determined by its seed.
class Rng {
 public:
  explicit Rng(std::uint64_t seed) : state_(seed) {}

  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
    z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
    z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
    return z ^ (z >> 31);
  }

  // A whole number in [low, high].
  int Int(int low, int high) {
    const auto span = static_cast<std::uint64_t>(high - low) + 1;
    return low + static_cast<int>(Next() % span);
  }

  // A real number in [low, high).
  double Real(double low, double high) {
    return low + (high - low) * static_cast<double>(Next() >> 11) * 0x1.0p-53;
  }

  bool Chance(double probability) { return Real(0.0, 1.0) < probability; }

  template <typename T>
  T Pick(std::initializer_list<T> items) {
    return items.begin()[Int(0, static_cast<int>(items.size()) - 1)];
  }

 private:
  std::uint64_t state_;
};

}  // namespace vestora::pictures
