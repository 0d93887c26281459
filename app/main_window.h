// The start window: three framed groups of category buttons, the notice button, the blinking
// slogan and the credit footer.
#pragma once

#include <array>
#include <string_view>

#include "catalog/catalog.h"
#include "forms/runtime.h"

namespace vestora::app {

inline constexpr std::string_view kMainWindow = "Form1";
inline constexpr std::string_view kNoticeButton = "Command8";
inline constexpr std::string_view kSlogan = "Label2";
inline constexpr std::string_view kFooter = "Label1";
inline constexpr std::string_view kBlinkTimer = "Timer1";
inline constexpr int kBlinkIntervalMs = 250;

inline constexpr std::string_view kMainCaption = "Vestora";
inline constexpr int kMainClientWidth = 9000;  // twips
inline constexpr int kMainClientHeight = 7785;

inline constexpr std::string_view kNoticePrompt =
    "必须制作真人秀或者跟人家合影或者淘宝买 没有其他地址之类 请勿受骗";
inline constexpr std::string_view kNoticeTitle = "友情提醒";

// One control of the main window. Rectangles of buttons are relative to their frame.
struct MainControl {
  forms::ControlKind kind;
  std::string_view name;
  TwipRect rect;
  std::string_view parent;
  std::string_view text;
  std::optional<forms::Color> foreground;
  std::optional<forms::Color> background;
  forms::Font font;
  // Frames and labels hold places in the focus order but never take the focus themselves.
  int focusPosition;
};

inline constexpr forms::Color kCaptionMagenta = 0xFF00FF;
inline constexpr forms::Color kSloganPink = 0xFFC0FF;
inline constexpr forms::Color kFooterRed = 0x0000FF;

// clang-format off
inline constexpr std::array<MainControl, 23> kMainControls = {{
    {forms::ControlKind::Frame, "Frame1", {360, 1320, 4095, 3015}, "", "女生QQ秀集合", kCaptionMagenta, forms::kBlack, {forms::FontFace::Kai, 15.75}, 0},
    {forms::ControlKind::Frame, "Frame2", {4680, 1320, 3975, 3015}, "", "男生QQ秀集合", kCaptionMagenta, forms::kBlack, {forms::FontFace::Kai, 15.75}, 7},
    {forms::ControlKind::Frame, "Frame3", {360, 4680, 8295, 2295}, "", "QQ秀背景", kCaptionMagenta, forms::kBlack, {forms::FontFace::Kai, 15.0}, 12},
    {forms::ControlKind::Label, "Label2", {2280, 360, 6495, 975}, "", "Vestora", kSloganPink, forms::kBlack, {forms::FontFace::Kai, 26.25}, 2},
    // The footer reaches 150 twips below the client area; that part is simply not shown.
    {forms::ControlKind::Label, "Label1", {1560, 7320, 6735, 615}, "", "Vestora 工作室出品　图片均为原创　谢谢使用", kFooterRed, forms::kBlack, {}, 1},
    {forms::ControlKind::PushButton, "Command1", {360, 720, 1335, 495}, "Frame1", "个性女生QQ秀", {}, {}, {}, 3},
    {forms::ControlKind::PushButton, "Command2", {2280, 720, 1455, 495}, "Frame1", "温柔女生QQ秀", {}, {}, {}, 4},
    {forms::ControlKind::PushButton, "Command3", {360, 2040, 1335, 495}, "Frame1", "非主流QQ秀", {}, {}, {}, 5},
    {forms::ControlKind::PushButton, "Command4", {2280, 2040, 1455, 495}, "Frame1", "贤淑女生QQ秀", {}, {}, {}, 6},
    {forms::ControlKind::PushButton, "Command5", {240, 720, 1455, 495}, "Frame2", "个性男生QQ秀", {}, {}, {}, 8},
    {forms::ControlKind::PushButton, "Command6", {240, 2040, 1455, 495}, "Frame2", "收费雷人QQ秀", {}, {}, {}, 9},
    {forms::ControlKind::PushButton, "Command7", {2280, 720, 1455, 495}, "Frame2", "免费雷人QQ秀", {}, {}, {}, 10},
    {forms::ControlKind::PushButton, "Command8", {2280, 2040, 1455, 495}, "Frame2", "绝版QQ秀", {}, {}, {}, 11},
    {forms::ControlKind::PushButton, "Command9", {240, 600, 1335, 495}, "Frame3", "动漫卡通", {}, {}, {}, 13},
    {forms::ControlKind::PushButton, "Command10", {240, 1440, 1335, 495}, "Frame3", "青草萋萋", {}, {}, {}, 14},
    {forms::ControlKind::PushButton, "Command11", {1920, 600, 1335, 495}, "Frame3", "夜色朦胧", {}, {}, {}, 15},
    {forms::ControlKind::PushButton, "Command12", {1920, 1440, 1335, 495}, "Frame3", "恬静优雅", {}, {}, {}, 16},
    {forms::ControlKind::PushButton, "Command13", {3600, 600, 1335, 495}, "Frame3", "憧憬爱情", {}, {}, {}, 17},
    {forms::ControlKind::PushButton, "Command14", {3600, 1440, 1335, 495}, "Frame3", "春意盎然", {}, {}, {}, 18},
    {forms::ControlKind::PushButton, "Command15", {5280, 600, 1335, 495}, "Frame3", "高山流水", {}, {}, {}, 19},
    {forms::ControlKind::PushButton, "Command16", {5280, 1440, 1335, 495}, "Frame3", "历史沧桑", {}, {}, {}, 20},
    {forms::ControlKind::PushButton, "Command17", {6960, 600, 1215, 495}, "Frame3", "白雪悠然", {}, {}, {}, 21},
    {forms::ControlKind::PushButton, "Command18", {6960, 1440, 1215, 495}, "Frame3", "我心依旧", {}, {}, {}, 22},
}};
// clang-format on

// Every category button carries its category's title and sits in its group's frame; the one
// button without a category is the notice button.
constexpr bool CategoryButtonsAgreeWithCatalog() {
  // Categories are found by walking the catalog rather than through pointers: comparing a
  // pointer with null is no constant expression under the undefined-behaviour sanitizer.
  int categoryButtons = 0;
  for (const MainControl& control : kMainControls) {
    if (control.kind != forms::ControlKind::PushButton) continue;
    int matches = 0;
    for (const Category& category : Catalog()) {
      if (category.mainButton != control.name) continue;
      const std::string_view frame = category.group == CategoryGroup::Girls  ? "Frame1"
                                     : category.group == CategoryGroup::Boys ? "Frame2"
                                                                             : "Frame3";
      if (control.text != category.title || control.parent != frame) return false;
      ++matches;
    }
    if (matches == 0 && control.name != kNoticeButton) return false;
    categoryButtons += matches;
  }
  return categoryButtons == kCategoryCount;
}
static_assert(CategoryButtonsAgreeWithCatalog());

forms::FormDescription MainWindowDescription();

}  // namespace vestora::app
