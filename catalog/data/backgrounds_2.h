// Background categories, last five, in the order of their main-window buttons:
//   Form16 春意盎然  12 cells, 2 rows of 6
//   Form12 高山流水  12 cells, 2 rows of 6
//   Form17 历史沧桑  12 cells, 2 rows of 6
//   Form13 白雪悠然  12 cells, 2 rows of 6
//   Form18 我心依旧  12 cells, 2 rows of 6
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
inline constexpr ItemCell kForm16Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3375}, Black, {JPEG, 138, 225}, 1, {480, 3960, 1455, 375}, 0, 6, ItemPage(984932, AccountA)},
    {1, 2, 2, {2760, 240, 2175, 3375}, Black, {JPEG, 139, 224}, 2, {3000, 3960, 1455, 375}, 1, 7, ItemPage(984947, AccountA)},
    {1, 3, 3, {5280, 240, 2175, 3375}, Black, {JPEG, 142, 228}, 3, {5640, 3960, 1455, 375}, 2, 8, ItemPage(984948, AccountA)},
    {1, 4, 4, {7800, 240, 2055, 3375}, Black, {JPEG, 145, 224}, 4, {8160, 3960, 1455, 375}, 3, 9, ItemPage(984953, AccountA)},
    {1, 5, 5, {10200, 240, 2055, 3375}, Black, {JPEG, 140, 225}, 5, {10560, 3960, 1455, 375}, 4, 10, ItemPage(984951, AccountA)},
    {1, 6, 6, {12600, 240, 2055, 3375}, SystemDefault, {JPEG, 143, 227}, 6, {12960, 3960, 1455, 375}, 5, 11, ItemPage(984950, AccountA)},
    {2, 1, 7, {240, 4680, 2175, 3135}, SystemDefault, {JPEG, 142, 228}, 7, {480, 8160, 1455, 375}, 12, 18, ItemPage(984964, AccountA)},
    {2, 2, 8, {2760, 4680, 2175, 3135}, Black, {JPEG, 140, 228}, 8, {3000, 8160, 1455, 375}, 13, 19, ItemPage(984963, AccountA)},
    {2, 3, 9, {5280, 4680, 2175, 3135}, Black, {JPEG, 141, 228}, 9, {5640, 8160, 1455, 375}, 14, 20, ItemPage(984962, AccountA)},
    {2, 4, 10, {7800, 4680, 2055, 3135}, Black, {JPEG, 140, 227}, 10, {8160, 8160, 1455, 375}, 15, 21, ItemPage(984961, AccountA)},
    {2, 5, 11, {10200, 4680, 2055, 3135}, Black, {JPEG, 147, 225}, 11, {10560, 8160, 1455, 375}, 16, 22, ItemPage(985066, AccountA)},
    {2, 6, 12, {12600, 4680, 2055, 3135}, Black, {JPEG, 142, 227}, 12, {12960, 8160, 1455, 375}, 17, 23, ItemPage(985069, AccountA)},
};

inline constexpr ItemCell kForm12Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 142, 228}, 1, {600, 3960, 1455, 375}, 0, 12, ItemPage(984958, AccountA)},
    {1, 2, 2, {2640, 240, 2175, 3495}, Black, {JPEG, 141, 228}, 2, {3000, 3960, 1455, 375}, 1, 13, ItemPage(984957, AccountA)},
    {1, 3, 3, {5040, 240, 2175, 3495}, Black, {JPEG, 142, 228}, 3, {5400, 3960, 1455, 375}, 2, 14, ItemPage(984949, AccountA)},
    {1, 4, 4, {7440, 240, 2175, 3495}, Black, {JPEG, 140, 224}, 4, {7800, 3960, 1455, 375}, 3, 15, ItemPage(985030, AccountA)},
    {1, 5, 5, {9840, 240, 2175, 3495}, SystemDefault, {JPEG, 144, 229}, 5, {10200, 3960, 1455, 375}, 4, 16, ItemPage(985031, AccountA)},
    {1, 6, 6, {12240, 240, 2175, 3495}, SystemDefault, {JPEG, 142, 228}, 6, {12720, 3960, 1455, 375}, 5, 17, ItemPage(985110, AccountA)},
    {2, 1, 7, {240, 4560, 2175, 3495}, Black, {JPEG, 139, 226}, 7, {480, 8400, 1455, 375}, 6, 18, ItemPage(985107, AccountA)},
    {2, 2, 8, {2640, 4560, 2175, 3495}, Black, {JPEG, 143, 230}, 8, {3000, 8400, 1455, 375}, 7, 19, ItemPage(985064, AccountA)},
    {2, 3, 9, {5040, 4560, 2175, 3495}, SystemDefault, {JPEG, 143, 228}, 9, {5400, 8400, 1455, 375}, 8, 20, ItemPage(985063, AccountA)},
    {2, 4, 10, {7440, 4560, 2175, 3495}, Black, {JPEG, 143, 227}, 10, {7800, 8400, 1455, 375}, 9, 21, ItemPage(985071, AccountA)},
    {2, 5, 11, {9840, 4560, 2175, 3495}, Black, {JPEG, 142, 230}, 11, {10200, 8400, 1455, 375}, 10, 22, ItemPage(985090, AccountA)},
    {2, 6, 12, {12240, 4560, 2175, 3495}, Black, {JPEG, 138, 225}, 12, {12720, 8400, 1455, 375}, 11, 23, ItemPage(985083, AccountA)},
};

inline constexpr ItemCell kForm17Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 141, 229}, 1, {480, 4080, 1455, 375}, 0, 6, ItemPage(984930, AccountA)},
    {1, 2, 2, {2760, 240, 2175, 3495}, Black, {JPEG, 140, 225}, 2, {3120, 4080, 1455, 375}, 1, 7, ItemPage(985108, AccountA)},
    {1, 3, 3, {5280, 240, 2175, 3495}, Black, {JPEG, 138, 227}, 3, {5520, 4080, 1575, 375}, 2, 8, ItemPage(985104, AccountA)},
    {1, 4, 4, {7800, 240, 2175, 3495}, Black, {JPEG, 140, 224}, 4, {8160, 4080, 1455, 375}, 3, 9, ItemPage(985101, AccountA)},
    {1, 5, 5, {10320, 240, 2175, 3495}, Black, {JPEG, 142, 223}, 5, {10680, 4080, 1455, 375}, 4, 10, ItemPage(985049, AccountA)},
    {1, 6, 6, {12840, 240, 2055, 3495}, Black, {JPEG, 140, 223}, 6, {13200, 4080, 1455, 375}, 5, 11, ItemPage(985043, AccountA)},
    {2, 1, 7, {240, 4920, 2175, 3495}, Black, {JPEG, 142, 228}, 7, {480, 8760, 1455, 375}, 12, 18, ItemPage(985040, AccountA)},
    {2, 2, 8, {2760, 4920, 2175, 3495}, Black, {JPEG, 143, 225}, 8, {3120, 8760, 1455, 375}, 13, 19, ItemPage(985058, AccountA)},
    {2, 3, 9, {5280, 4920, 2175, 3495}, Black, {JPEG, 140, 227}, 9, {5640, 8760, 1455, 375}, 14, 20, ItemPage(985057, AccountA)},
    {2, 4, 10, {7800, 4920, 2175, 3495}, Black, {JPEG, 145, 225}, 10, {8160, 8760, 1455, 375}, 15, 21, ItemPage(985056, AccountA)},
    {2, 5, 11, {10440, 4920, 2055, 3495}, Black, {JPEG, 143, 225}, 11, {10800, 8760, 1455, 375}, 16, 22, ItemPage(985055, AccountA)},
    {2, 6, 12, {12840, 4920, 2055, 3495}, Black, {JPEG, 141, 228}, 12, {13200, 8760, 1455, 375}, 17, 23, ItemPage(985053, AccountA)},
};

inline constexpr ItemCell kForm13Cells[] = {
    {1, 1, 1, {240, 240, 2175, 3495}, Black, {JPEG, 143, 228}, 1, {480, 4080, 1455, 375}, 0, 6, ItemPage(985130, AccountA)},
    {1, 2, 2, {2760, 240, 2175, 3495}, Black, {JPEG, 140, 227}, 2, {3000, 4080, 1455, 375}, 1, 7, ItemPage(985131, AccountA)},
    {1, 3, 3, {5280, 240, 2175, 3495}, Black, {JPEG, 140, 230}, 3, {5640, 4080, 1455, 375}, 2, 8, ItemPage(984909, AccountA)},
    {1, 4, 4, {7800, 240, 2175, 3495}, Black, {JPEG, 144, 227}, 4, {8160, 4080, 1455, 375}, 3, 9, ItemPage(985021, AccountA)},
    {1, 5, 5, {10320, 240, 2175, 3495}, Black, {JPEG, 142, 230}, 5, {10800, 4080, 1455, 375}, 4, 10, ItemPage(985023, AccountA)},
    {1, 6, 6, {12840, 240, 2175, 3495}, Black, {JPEG, 141, 228}, 6, {13320, 4080, 1455, 375}, 5, 11, ItemPage(985022, AccountA)},
    {2, 1, 7, {240, 4920, 2175, 3375}, Black, {JPEG, 150, 232}, 7, {600, 8640, 1455, 375}, 12, 18, ItemPage(985111, AccountA)},
    {2, 2, 8, {2760, 4920, 2175, 3375}, Black, {JPEG, 141, 230}, 8, {3000, 8640, 1455, 375}, 13, 19, ItemPage(985073, AccountA)},
    {2, 3, 9, {5280, 4920, 2175, 3375}, Black, {JPEG, 143, 226}, 9, {5520, 8640, 1455, 375}, 14, 20, ItemPage(985072, AccountA)},
    {2, 4, 10, {7800, 4920, 2175, 3375}, Black, {JPEG, 144, 228}, 10, {8160, 8640, 1455, 375}, 15, 21, ItemPage(985075, AccountA)},
    {2, 5, 11, {10320, 4920, 2175, 3375}, Black, {JPEG, 141, 226}, 11, {10680, 8640, 1455, 375}, 16, 22, ItemPage(985095, AccountA)},
    {2, 6, 12, {12840, 4920, 2175, 3375}, Black, {JPEG, 143, 226}, 12, {13320, 8640, 1455, 375}, 17, 23, ItemPage(985074, AccountA)},
};

inline constexpr ItemCell kForm18Cells[] = {
    {1, 1, 1, {240, 360, 1935, 3015}, Black, {JPEG, 143, 225}, 1, {480, 3720, 1455, 375}, 0, 6, ItemPage(985124, AccountA)},
    {1, 2, 2, {2520, 360, 1935, 3015}, Black, {JPEG, 139, 230}, 2, {2760, 3720, 1455, 375}, 1, 7, ItemPage(985084, AccountA)},
    {1, 3, 3, {4800, 360, 2055, 3015}, Black, {JPEG, 137, 227}, 3, {5040, 3720, 1455, 375}, 2, 8, ItemPage(984921, AccountA)},
    {1, 4, 4, {7200, 360, 2055, 3015}, Black, {JPEG, 139, 227}, 4, {7560, 3720, 1455, 375}, 3, 9, ItemPage(984924, AccountA)},
    {1, 5, 5, {9600, 360, 1935, 3015}, Black, {JPEG, 145, 229}, 5, {9840, 3720, 1455, 375}, 4, 10, ItemPage(984925, AccountA)},
    {1, 6, 6, {11880, 360, 1935, 3015}, Black, {JPEG, 141, 225}, 6, {12240, 3720, 1455, 375}, 5, 11, ItemPage(985065, AccountA)},
    {2, 1, 7, {240, 4440, 1935, 3135}, Black, {JPEG, 142, 226}, 7, {480, 7920, 1455, 375}, 12, 18, ItemPage(984952, AccountA)},
    {2, 2, 8, {2520, 4440, 1935, 3135}, Black, {JPEG, 140, 227}, 8, {2760, 7920, 1455, 375}, 13, 19, ItemPage(984975, AccountA)},
    {2, 3, 9, {4800, 4440, 2055, 3135}, Black, {JPEG, 144, 226}, 9, {5040, 7920, 1455, 375}, 14, 20, ItemPage(985052, AccountA)},
    {2, 4, 10, {7200, 4440, 2175, 3135}, Black, {JPEG, 146, 229}, 10, {7560, 7920, 1455, 375}, 15, 21, ItemPage(985061, AccountA)},
    {2, 5, 11, {9720, 4440, 1935, 3135}, SystemDefault, {JPEG, 143, 224}, 11, {9960, 7920, 1455, 375}, 16, 22, ItemPage(985050, AccountA)},
    {2, 6, 12, {12000, 4440, 1815, 3135}, SystemDefault, {JPEG, 144, 229}, 12, {12240, 7920, 1455, 375}, 17, 23, ItemPage(985113, AccountA)},
};

// clang-format on
}  // namespace vestora::data
