// Background categories, first five, in the order of their main-window buttons:
//   Form9  动漫卡通  12 cells, 2 rows of 6
//   Form14 青草萋萋  12 cells, 2 rows of 6
//   Form10 夜色朦胧  12 cells, 2 rows of 6
//   Form15 恬静优雅  12 cells, 2 rows of 6
//   Form11 憧憬爱情  12 cells, 2 rows of 6
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
inline constexpr ItemCell kForm9Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 141, 228}, 1, {480, 3960, 1455, 375}, 0, 12, ItemPage(985126, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 144, 228}, 2, {3000, 3960, 1455, 375}, 1, 13, ItemPage(984905, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 141, 232}, 3, {5400, 3960, 1455, 375}, 2, 14, ItemPage(985132, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, SystemDefault, {JPEG, 145, 228}, 4, {7920, 3960, 1335, 375}, 3, 15, ItemPage(984895, AccountA)},
    {1, 5, 5, {9840, 240, 2175, 3495}, Black, {JPEG, 139, 227}, 5, {10200, 3960, 1455, 375}, 4, 16, ItemPage(984920, AccountA)},
    {1, 6, 6, {12240, 240, 2175, 3495}, Black, {JPEG, 141, 226}, 6, {12720, 3960, 1455, 375}, 5, 17, ItemPage(984888, AccountA)},
    {2, 1, 7, {240, 4560, 2175, 3495}, Black, {JPEG, 147, 225}, 7, {600, 8280, 1455, 375}, 6, 18, ItemPage(984917, AccountA)},
    {2, 2, 8, {2640, 4560, 2175, 3495}, Black, {JPEG, 142, 230}, 8, {3000, 8280, 1455, 375}, 7, 19, ItemPage(984923, AccountA)},
    {2, 3, 9, {5040, 4560, 2175, 3495}, Black, {JPEG, 147, 229}, 9, {5400, 8280, 1455, 375}, 8, 20, ItemPage(985025, AccountA)},
    {2, 4, 10, {7440, 4560, 2175, 3495}, Black, {JPEG, 143, 225}, 10, {7800, 8280, 1455, 375}, 9, 21, ItemPage(984935, AccountA)},
    {2, 5, 11, {9840, 4560, 2175, 3495}, Black, {JPEG, 143, 226}, 11, {10200, 8280, 1455, 375}, 10, 22, ItemPage(984941, AccountA)},
    {2, 6, 12, {12240, 4560, 2175, 3495}, Black, {JPEG, 140, 228}, 12, {12720, 8280, 1455, 375}, 11, 23, ItemPage(984937, AccountA)},
};

inline constexpr ItemCell kForm14Cells[] = {
    {1, 1, 1, {240, 360, 2175, 3375}, Black, {JPEG, 142, 225}, 1, {600, 4080, 1455, 375}, 0, 1, ItemPage(985121, AccountA)},
    {1, 2, 2, {2760, 360, 2175, 3375}, Black, {JPEG, 142, 225}, 2, {3000, 4080, 1455, 375}, 2, 7, ItemPage(984943, AccountA)},
    {1, 3, 3, {5280, 360, 2175, 3375}, Black, {JPEG, 142, 223}, 3, {5640, 4080, 1455, 375}, 3, 8, ItemPage(984959, AccountA)},
    {1, 4, 4, {7800, 360, 2175, 3375}, Black, {JPEG, 148, 225}, 4, {8160, 4080, 1455, 375}, 4, 9, ItemPage(985115, AccountA)},
    {1, 5, 5, {10320, 360, 2175, 3375}, Black, {JPEG, 141, 232}, 5, {10680, 4080, 1455, 375}, 5, 10, ItemPage(985105, AccountA)},
    {1, 6, 6, {12840, 360, 2055, 3375}, SystemDefault, {JPEG, 141, 229}, 6, {13200, 4080, 1455, 375}, 6, 11, ItemPage(985103, AccountA)},
    {2, 1, 7, {240, 4800, 2175, 3255}, SystemDefault, {JPEG, 144, 229}, 7, {600, 8520, 1455, 375}, 12, 18, ItemPage(985100, AccountA)},
    {2, 2, 8, {2760, 4800, 2175, 3255}, Black, {JPEG, 137, 224}, 8, {3000, 8520, 1455, 375}, 13, 19, ItemPage(985048, AccountA)},
    {2, 3, 9, {5280, 4800, 2175, 3375}, Black, {JPEG, 136, 225}, 9, {5640, 8520, 1455, 375}, 14, 20, ItemPage(985046, AccountA)},
    {2, 4, 10, {7800, 4800, 2175, 3375}, Black, {JPEG, 138, 227}, 10, {8280, 8520, 1335, 375}, 15, 21, ItemPage(985042, AccountA)},
    {2, 5, 11, {10320, 4800, 2175, 3375}, Black, {JPEG, 144, 229}, 11, {10800, 8520, 1455, 375}, 16, 22, ItemPage(985098, AccountA)},
    {2, 6, 12, {12960, 4800, 2055, 3375}, Black, {JPEG, 142, 228}, 12, {13320, 8520, 1335, 375}, 17, 23, ItemPage(985041, AccountA)},
};

inline constexpr ItemCell kForm10Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 142, 230}, 1, {600, 3960, 1335, 375}, 0, 12, ItemPage(984878, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 141, 226}, 2, {3000, 3960, 1455, 375}, 1, 13, ItemPage(984954, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 142, 225}, 3, {5400, 3960, 1455, 375}, 2, 14, ItemPage(985029, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {JPEG, 145, 225}, 4, {7800, 3960, 1455, 375}, 3, 15, ItemPage(985028, AccountA)},
    {1, 5, 5, {9840, 240, 2175, 3495}, Black, {JPEG, 144, 221}, 5, {10200, 3960, 1455, 375}, 4, 16, ItemPage(985033, AccountA)},
    {1, 6, 6, {12240, 240, 2175, 3495}, Black, {JPEG, 145, 229}, 6, {12720, 3960, 1455, 375}, 5, 17, ItemPage(985034, AccountA)},
    {2, 1, 7, {240, 4560, 2175, 3495}, Black, {JPEG, 140, 229}, 7, {480, 8400, 1335, 375}, 6, 18, ItemPage(985038, AccountA)},
    {2, 2, 8, {2640, 4560, 2175, 3495}, Black, {JPEG, 141, 227}, 8, {2880, 8400, 1455, 375}, 7, 19, ItemPage(985039, AccountA)},
    {2, 3, 10, {5040, 4560, 2175, 3495}, Black, {JPEG, 139, 227}, 9, {5280, 8400, 1455, 375}, 9, 20, ItemPage(985070, AccountA)},
    {2, 4, 9, {7440, 4560, 2175, 3495}, Black, {JPEG, 139, 227}, 10, {7800, 8400, 1455, 375}, 8, 21, ItemPage(985062, AccountA)},
    {2, 5, 11, {9840, 4560, 2175, 3495}, Black, {JPEG, 141, 225}, 11, {10200, 8400, 1455, 375}, 10, 22, ItemPage(985068, AccountA)},
    {2, 6, 12, {12240, 4560, 2175, 3495}, Black, {JPEG, 142, 227}, 12, {12720, 8400, 1455, 375}, 11, 23, ItemPage(985067, AccountA)},
};

inline constexpr ItemCell kForm15Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, SystemDefault, {JPEG, 141, 230}, 1, {600, 4080, 1455, 375}, 0, 6, ItemPage(984903, AccountA)},
    {1, 2, 2, {2760, 240, 2175, 3495}, Black, {JPEG, 141, 226}, 2, {3120, 4080, 1455, 375}, 1, 7, ItemPage(985134, AccountA)},
    {1, 3, 3, {5280, 240, 2175, 3495}, Black, {JPEG, 141, 235}, 3, {5640, 4080, 1455, 375}, 2, 8, ItemPage(985128, AccountA)},
    {1, 4, 4, {7800, 240, 2175, 3495}, Black, {JPEG, 144, 232}, 4, {8160, 4080, 1455, 375}, 3, 9, ItemPage(984922, AccountA)},
    {1, 5, 5, {10320, 240, 2175, 3495}, Black, {JPEG, 139, 231}, 5, {10680, 4080, 1455, 375}, 4, 10, ItemPage(984933, AccountA)},
    {1, 6, 6, {12840, 240, 2055, 3495}, Black, {JPEG, 143, 229}, 6, {13200, 4080, 1455, 375}, 5, 11, ItemPage(984939, AccountA)},
    {2, 1, 7, {240, 4800, 2175, 3255}, Black, {JPEG, 141, 227}, 7, {480, 8400, 1455, 375}, 12, 18, ItemPage(984946, AccountA)},
    {2, 2, 8, {2760, 4800, 2175, 3255}, SystemDefault, {JPEG, 143, 227}, 8, {3000, 8400, 1455, 375}, 13, 19, ItemPage(985027, AccountA)},
    {2, 3, 9, {5280, 4800, 2175, 3255}, Black, {JPEG, 140, 221}, 9, {5640, 8400, 1455, 375}, 14, 20, ItemPage(985026, AccountA)},
    {2, 4, 10, {7800, 4800, 2175, 3255}, Black, {JPEG, 139, 225}, 10, {8160, 8400, 1455, 375}, 15, 21, ItemPage(985037, AccountA)},
    {2, 5, 11, {10320, 4800, 2175, 3255}, Black, {JPEG, 145, 224}, 11, {10680, 8400, 1455, 375}, 16, 22, ItemPage(985078, AccountA)},
    {2, 6, 12, {12840, 4800, 2055, 3255}, Black, {JPEG, 139, 231}, 12, {13200, 8400, 1455, 375}, 17, 23, ItemPage(985077, AccountA)},
};

inline constexpr ItemCell kForm11Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 144, 232}, 1, {480, 4080, 1455, 375}, 0, 1, ItemPage(985118, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 145, 228}, 2, {3000, 4080, 1455, 375}, 2, 3, ItemPage(984906, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 143, 230}, 3, {5400, 4080, 1455, 375}, 4, 5, ItemPage(984898, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {JPEG, 143, 231}, 4, {7920, 4080, 1455, 375}, 6, 7, ItemPage(985119, AccountA)},
    {1, 5, 5, {9840, 240, 2175, 3495}, SystemDefault, {JPEG, 141, 232}, 5, {10200, 4080, 1335, 375}, 8, 10, ItemPage(985132, AccountA)},
    {1, 6, 6, {12240, 240, 2175, 3495}, SystemDefault, {JPEG, 143, 229}, 6, {12720, 4080, 1455, 375}, 9, 11, ItemPage(985133, AccountA)},
    {2, 1, 7, {240, 4800, 2175, 3255}, Black, {JPEG, 143, 229}, 7, {480, 8400, 1455, 375}, 12, 13, ItemPage(985127, AccountA)},
    {2, 2, 8, {2640, 4800, 2175, 3255}, Black, {JPEG, 144, 231}, 8, {3000, 8400, 1455, 375}, 14, 15, ItemPage(985129, AccountA)},
    {2, 3, 9, {5040, 4800, 2175, 3255}, Black, {JPEG, 147, 228}, 9, {5400, 8400, 1455, 375}, 16, 18, ItemPage(984919, AccountA)},
    {2, 4, 10, {7440, 4800, 2175, 3255}, SystemDefault, {JPEG, 146, 227}, 10, {7800, 8400, 1455, 375}, 17, 19, ItemPage(985094, AccountA)},
    {2, 5, 11, {9840, 4800, 2175, 3255}, Black, {JPEG, 139, 227}, 11, {10320, 8400, 1455, 375}, 20, 22, ItemPage(985097, AccountA)},
    {2, 6, 12, {12240, 4800, 2175, 3255}, Black, {JPEG, 140, 226}, 12, {12720, 8400, 1455, 375}, 21, 23, ItemPage(985091, AccountA)},
};

// clang-format on
}  // namespace vestora::data
