// The category directory: one row per category window, in the order of the main window's
// buttons (girls, boys, backgrounds). Each row points at its cells in the group files.
#pragma once

#include "catalog/data/backgrounds_1.h"
#include "catalog/data/backgrounds_2.h"
#include "catalog/data/boys.h"
#include "catalog/data/girls.h"
#include "catalog/model.h"

namespace vestora::data {

using enum CategoryGroup;
using enum Placement;

// Columns: window, title, group, main button, caption, client width, client height, placement,
// client left, client top (both 0 unless placed manually), has icon, cells.
// clang-format off
inline constexpr Category kDirectory[] = {
    {"Form3", "个性女生QQ秀", Girls, "Command1", "个性女生免费QQ秀大集合 BY:Quillmark", 12285, 4515, ManualPlacement, 2775, 1080, true, kForm3Cells},
    {"Form4", "温柔女生QQ秀", Girls, "Command2", "温柔女生免费QQ秀大集合 BY：Quillmark", 12225, 9225, SystemPlacement, 0, 0, true, kForm4Cells},
    {"Form2", "非主流QQ秀", Girls, "Command3", "非主流女生免费QQ秀大集合 BY：Quillmark", 11895, 8400, ManualPlacement, 1455, 1230, true, kForm2Cells},
    {"Form5", "贤淑女生QQ秀", Girls, "Command4", "贤淑女生免费QQ秀大集合 BY：Quillmark", 12480, 4650, SystemPlacement, 0, 0, true, kForm5Cells},
    {"Form6", "个性男生QQ秀", Boys, "Command5", "个性男生免费QQ秀大集合 BY：Quillmark", 10485, 8970, SystemPlacement, 0, 0, true, kForm6Cells},
    {"Form8", "收费雷人QQ秀", Boys, "Command6", "收费雷人QQ秀大集合 BY：Quillmark", 12300, 8880, ManualPlacement, 2295, 1560, true, kForm8Cells},
    {"Form7", "免费雷人QQ秀", Boys, "Command7", "免费雷人QQ秀大集合 BY：Quillmark", 9900, 8805, SystemPlacement, 0, 0, true, kForm7Cells},
    {"Form9", "动漫卡通", Backgrounds, "Command9", "动漫卡通免费QQ秀集合 BY：Quillmark", 14640, 8985, ManualPlacement, -240, 1320, true, kForm9Cells},
    {"Form14", "青草萋萋", Backgrounds, "Command10", "青草萋萋免费QQ秀集合 BY：Quillmark", 15105, 9135, SystemPlacement, 0, 0, false, kForm14Cells},
    {"Form10", "夜色朦胧", Backgrounds, "Command11", "夜色朦胧免费QQ秀集合 BY：Quillmark", 14760, 9090, ManualPlacement, 660, 735, true, kForm10Cells},
    {"Form15", "恬静优雅", Backgrounds, "Command12", "恬静优雅免费QQ秀集合 BY：Quillmark", 15120, 9120, SystemPlacement, 0, 0, true, kForm15Cells},
    {"Form11", "憧憬爱情", Backgrounds, "Command13", "憧憬爱情免费QQ秀集合 BY：Quillmark", 14475, 9090, SystemPlacement, 0, 0, true, kForm11Cells},
    {"Form16", "春意盎然", Backgrounds, "Command14", "春意盎然免费QQ秀集合 BY：Quillmark", 14910, 8865, SystemPlacement, 0, 0, true, kForm16Cells},
    {"Form12", "高山流水", Backgrounds, "Command15", "高山流水免费QQ秀集合 BY:Quillmark", 14580, 9090, SystemPlacement, 0, 0, true, kForm12Cells},
    {"Form17", "历史沧桑", Backgrounds, "Command16", "历史沧桑免费QQ秀集合 BY：Quillmark", 15210, 9450, ManualPlacement, 660, 1620, true, kForm17Cells},
    {"Form13", "白雪悠然", Backgrounds, "Command17", "白雪悠然免费QQ秀集合 BY：Quillmark", 15240, 9300, SystemPlacement, 0, 0, true, kForm13Cells},
    {"Form18", "我心依旧", Backgrounds, "Command18", "我心依旧免费QQ秀集合 BY：Quillmark", 14115, 8625, ManualPlacement, 360, 1320, true, kForm18Cells},
};
// clang-format on

}  // namespace vestora::data
