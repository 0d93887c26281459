// Must not compile: the second cell's button sits under the first cell's picture.
#include "catalog/catalog_checks.h"

namespace {

using namespace vestora;
using enum PictureBack;
using enum ImageFormat;
using enum ReferrerAccount;

constexpr ItemCell kCells[] = {
    {1,
     1,
     1,
     {240, 120, 2175, 3495},
     Black,
     {JPEG, 140, 226},
     1,
     {480, 3840, 1455, 375},
     0,
     1,
     ItemPage(995015, AccountA)},
    {1,
     2,
     2,
     {2640, 120, 2175, 3495},
     Black,
     {JPEG, 149, 260},
     2,
     {600, 4320, 1455, 375},
     2,
     3,
     ItemPage(1051152, AccountB)},
};
constexpr Category kBroken{
    .windowName = "Broken", .clientWidth = 12285, .clientHeight = 4815, .cells = kCells};
static_assert(checks::CheckCategory(kBroken, 1, 2) == checks::Fault::None);

}  // namespace

int main() {
  return 0;
}
