// Girls' outfit categories, in the order of their main-window buttons:
//   Form3  个性女生QQ秀  5 cells, 1 row of 5
//   Form4  温柔女生QQ秀  10 cells, 2 rows of 5
//   Form2  非主流QQ秀  10 cells, 2 rows of 5
//   Form5  贤淑女生QQ秀  5 cells, 1 row of 5
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
inline constexpr ItemCell kForm3Cells[] = {
    {1, 1, 1, {240, 120, 2175, 3495}, Black, {GIF89a, 140, 226}, 1, {480, 3840, 1455, 375}, 0, 1, ItemPage(995015, AccountA)},
    {1, 2, 2, {2640, 120, 2175, 3495}, Black, {JPEG, 149, 260}, 2, {3120, 3840, 1455, 375}, 2, 3, ItemPage(1051152, AccountB)},
    {1, 3, 3, {5040, 120, 2175, 3495}, Black, {JPEG, 139, 225}, 3, {5520, 3840, 1455, 375}, 4, 5, ItemPage(1051139, AccountB)},
    {1, 4, 4, {7440, 120, 2175, 3495}, Black, {JPEG, 143, 254}, 4, {7920, 3840, 1455, 375}, 6, 7, ItemPage(1051065, AccountB)},
    {1, 5, 5, {9840, 120, 2175, 3495}, Black, {JPEG, 154, 258}, 5, {10320, 3840, 1455, 375}, 8, 9, ItemPage(1051162, AccountB)},
};

inline constexpr ItemCell kForm4Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {GIF89a, 140, 226}, 1, {600, 4080, 1455, 375}, 0, 1, ItemPage(991660, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {GIF89a, 140, 226}, 2, {3000, 4080, 1455, 375}, 2, 3, ItemPage(995008, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {GIF87a, 140, 226}, 3, {5520, 4080, 1455, 375}, 4, 5, ItemPage(991635, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {GIF87a, 140, 226}, 4, {7920, 4080, 1455, 375}, 6, 7, ItemPage(995110, AccountA)},
    {1, 5, 5, {9840, 240, 2175, 3375}, Black, {GIF87a, 140, 226}, 5, {10200, 4080, 1455, 375}, 8, 9, kNoLink},
    {2, 1, 6, {240, 4800, 2175, 3495}, Black, {GIF87a, 140, 226}, 6, {600, 8640, 1455, 375}, 10, 11, ItemPage(995123, AccountA)},
    {2, 2, 7, {2640, 4800, 2175, 3495}, Black, {GIF87a, 140, 226}, 7, {3000, 8640, 1455, 375}, 12, 13, ItemPage(995129, AccountA)},
    {2, 3, 8, {5040, 4800, 2175, 3495}, Black, {JPEG, 154, 256}, 8, {5400, 8640, 1455, 375}, 14, 15, ItemPage(1051025, AccountB)},
    {2, 4, 9, {7440, 4800, 2175, 3495}, Black, {JPEG, 143, 227}, 9, {7800, 8640, 1455, 375}, 16, 17, OutfitPage(8, Form4Row2Column4)},
    {2, 5, 10, {9840, 4800, 2175, 3495}, Black, {JPEG, 138, 225}, 10, {10200, 8640, 1455, 375}, 18, 19, OutfitPage(8, Form4Row2Column5)},
};

inline constexpr ItemCell kForm2Cells[] = {
    {1, 1, 1, {240, 240, 2055, 3375}, Black, {GIF87a, 140, 226}, 1, {480, 3960, 1455, 375}, 0, 1, ItemPage(991627, AccountA)},
    {1, 2, 2, {2520, 240, 2175, 3375}, Black, {GIF87a, 140, 226}, 2, {2880, 3960, 1455, 375}, 2, 3, ItemPage(991653, AccountA)},
    {1, 3, 3, {4920, 240, 2175, 3375}, Black, {GIF87a, 140, 226}, 3, {5280, 3960, 1455, 375}, 4, 5, ItemPage(991491, AccountA)},
    {1, 4, 4, {7320, 240, 2175, 3375}, Black, {GIF87a, 140, 226}, 4, {7680, 3960, 1455, 375}, 6, 7, ItemPage(991489, AccountA)},
    {1, 5, 9, {9720, 240, 2055, 3375}, Black, {GIF87a, 140, 226}, 9, {9960, 3960, 1455, 375}, 16, 17, ItemPage(991623, AccountA)},
    {2, 1, 5, {240, 4560, 2055, 3135}, Black, {GIF87a, 140, 226}, 5, {480, 7920, 1455, 375}, 8, 9, ItemPage(991492, AccountA)},
    {2, 2, 6, {2520, 4560, 2175, 3135}, Black, {GIF87a, 140, 226}, 6, {2880, 7920, 1455, 375}, 10, 11, ItemPage(995108, AccountA)},
    {2, 3, 7, {4920, 4560, 2175, 3135}, Black, {GIF87a, 140, 226}, 7, {5280, 7920, 1455, 375}, 12, 13, ItemPage(991498, AccountA)},
    {2, 4, 8, {7320, 4560, 2175, 3135}, Black, {GIF87a, 140, 226}, 8, {7800, 7920, 1455, 375}, 14, 15, ItemPage(991499, AccountA)},
    {2, 5, 10, {9720, 4560, 2055, 3135}, Black, {JPEG, 140, 228}, 10, {10080, 7920, 1455, 375}, 18, 19, ItemPage(1051034, AccountB)},
};

inline constexpr ItemCell kForm5Cells[] = {
    {1, 1, 1, {360, 240, 2175, 3495}, Black, {GIF87a, 140, 226}, 1, {720, 4080, 1455, 375}, 0, 1, ItemPage(991616, AccountA)},
    {1, 2, 2, {2760, 240, 2175, 3495}, Black, {JPEG, 139, 224}, 2, {3240, 4080, 1455, 375}, 2, 3, ItemPage(1051111, AccountB)},
    {1, 3, 3, {5160, 240, 2175, 3495}, Black, {JPEG, 140, 224}, 3, {5520, 4080, 1455, 375}, 4, 5, ItemPage(1050972, AccountB)},
    {1, 4, 4, {7560, 240, 2175, 3495}, SystemDefault, {JPEG, 142, 225}, 4, {8040, 4080, 1455, 375}, 6, 7, OutfitPage(8, Form5Row1Column4)},
    {1, 5, 5, {9960, 240, 2175, 3495}, Black, {JPEG, 138, 227}, 5, {10440, 4080, 1455, 375}, 8, 9, OutfitPage(8, Form5Row1Column5)},
};

// clang-format on
}  // namespace vestora::data
