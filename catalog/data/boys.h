// Boys' outfit categories, in the order of their main-window buttons:
//   Form6  个性男生QQ秀  8 cells, 2 rows of 4
//   Form8  收费雷人QQ秀  10 cells, 2 rows of 5
//   Form7  免费雷人QQ秀  8 cells, 2 rows of 4
#pragma once

#include "catalog/model.h"

namespace vestora::data {

using enum PictureBack;
using enum ImageFormat;
using enum ReferrerAccount;
using enum OutfitToken;

// Columns: row, column, picture box, picture rect, background, image, button, button rect,
// picture focus, button focus, link.
// clang-format off
inline constexpr ItemCell kForm6Cells[] = {
    {1, 1, 1, {360, 240, 2175, 3495}, Black, {JPEG, 140, 228}, 1, {720, 3960, 1455, 375}, 0, 8, ItemPageWithoutReferrer(462848)},
    {1, 2, 2, {2880, 240, 2175, 3495}, Black, {JPEG, 140, 226}, 2, {3240, 3960, 1455, 375}, 1, 9, ItemPageWithoutReferrer(462792)},
    {1, 3, 3, {5400, 240, 2175, 3495}, Black, {JPEG, 143, 223}, 3, {5760, 3960, 1455, 375}, 2, 10, OutfitPage(8, Form6Row1Column3)},
    {1, 4, 4, {7920, 240, 2175, 3495}, Black, {JPEG, 142, 228}, 4, {8280, 3960, 1455, 375}, 3, 11, OutfitPage(7, Form6Row1Column4)},
    {2, 1, 5, {360, 4560, 2175, 3495}, Black, {JPEG, 141, 227}, 5, {720, 8280, 1455, 375}, 4, 12, OutfitPage(8, Form6Row2Column1)},
    {2, 2, 6, {2880, 4560, 2175, 3495}, Black, {JPEG, 141, 228}, 6, {3240, 8280, 1455, 375}, 5, 13, OutfitPage(8, Form6Row2Column2)},
    {2, 3, 7, {5400, 4560, 2175, 3495}, Black, {JPEG, 142, 230}, 7, {5760, 8280, 1455, 375}, 6, 14, OutfitPage(7, Form6Row2Column3)},
    {2, 4, 8, {7920, 4560, 2175, 3495}, Black, {JPEG, 142, 228}, 8, {8400, 8280, 1455, 375}, 7, 15, FriendItems(AccountE)},
};

inline constexpr ItemCell kForm8Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 141, 228}, 1, {480, 3960, 1455, 375}, 0, 10, ItemPage(944725, AccountC)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 141, 224}, 2, {2880, 3960, 1455, 375}, 1, 11, ItemPage(944416, AccountC)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 142, 226}, 3, {5400, 3960, 1455, 375}, 2, 12, ItemPage(944415, AccountC)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {JPEG, 144, 228}, 4, {7800, 3960, 1455, 375}, 3, 13, ItemPage(927452, AccountC)},
    {1, 5, 5, {9840, 240, 2175, 3495}, Black, {JPEG, 141, 226}, 5, {10200, 3960, 1455, 375}, 4, 14, ItemPage(928570, AccountC)},
    {2, 1, 6, {240, 4560, 2175, 3495}, Black, {JPEG, 142, 229}, 6, {480, 8280, 1455, 375}, 5, 15, ItemPage(927441, AccountC)},
    {2, 2, 7, {2640, 4560, 2175, 3495}, Black, {JPEG, 143, 227}, 7, {3000, 8280, 1455, 375}, 6, 16, ItemPage(927437, AccountC)},
    {2, 3, 8, {5040, 4560, 2175, 3495}, Black, {JPEG, 143, 225}, 8, {5400, 8280, 1455, 375}, 7, 17, ItemPage(927435, AccountC)},
    {2, 4, 9, {7440, 4560, 2175, 3495}, Black, {JPEG, 140, 225}, 9, {7920, 8280, 1455, 375}, 8, 18, ItemPage(956549, AccountD)},
    {2, 5, 10, {9840, 4560, 2175, 3495}, Black, {JPEG, 143, 229}, 10, {10200, 8280, 1455, 375}, 9, 19, ItemPage(927432, AccountC)},
};

inline constexpr ItemCell kForm7Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 142, 227}, 1, {480, 3960, 1455, 375}, 0, 8, ItemPage(996540, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 139, 227}, 2, {3000, 3960, 1455, 375}, 1, 9, ItemPage(996483, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 141, 226}, 3, {5400, 3960, 1455, 375}, 2, 10, ItemPage(996535, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {JPEG, 143, 227}, 4, {7800, 3960, 1455, 375}, 3, 11, ItemPage(996494, AccountA)},
    {2, 1, 5, {240, 4560, 2175, 3495}, Black, {JPEG, 142, 226}, 5, {600, 8280, 1455, 375}, 4, 12, ItemPage(996501, AccountA)},
    {2, 2, 6, {2640, 4560, 2175, 3495}, Black, {JPEG, 137, 228}, 6, {3000, 8280, 1455, 375}, 5, 13, ItemPage(996518, AccountA)},
    {2, 3, 7, {5040, 4560, 2175, 3495}, Black, {JPEG, 140, 230}, 7, {5400, 8280, 1455, 375}, 6, 14, ItemPage(996545, AccountA)},
    {2, 4, 8, {7440, 4560, 2175, 3495}, Black, {JPEG, 141, 227}, 8, {7800, 8280, 1455, 375}, 7, 15, ItemPage(996478, AccountA)},
};

// clang-format on
}  // namespace vestora::data
