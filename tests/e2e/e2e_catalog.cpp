// Prints what the end-to-end tests need to know about the built-in catalog, as tab-separated
// lines with no empty field ("-" stands for "none"):
//   main        caption  client-width  client-height                       (pixels)
//   notice      button   title
//   notice-text prompt                                                 (the notice box's text)
//   main-button button   centre-x  centre-y  window-it-opens-or-"-"        (client pixels)
//   window      window   main-button  client-width  client-height  manual|system  left  top
//               caption                                                  (screen pixels)
//   cell        window   button  centre-x  centre-y  address-or-"-"
//   launch      window   button  show-style  command-line      (cells with a link only, as
//               built; the Windows program puts a program path with a space in quotation marks)
//   control     window   control  frame|label|picture|button  focus-position  accessible-name
//                                       (every control of every window, as screen readers are
//                                       to be told about it)
// The address is the one the browser must be handed: for a shell line the text between its
// quotation marks, for a browser line what follows the browser's path and one space.
#include <cstdio>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "app/category_window.h"
#include "app/link_launcher.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "catalog/link_commands.h"

namespace {

using namespace vestora;

constexpr std::string_view kShellPrefix = "explorer.exe \"";
constexpr std::string_view kBrowserPath = "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE ";

int Pixels(int twips) {
  return twips / kTwipsPerPixel;
}

// The centre of a control whose rectangle is relative to a parent at (originX, originY).
std::pair<int, int> Centre(const TwipRect& rect, int originX = 0, int originY = 0) {
  return {originX + Pixels(rect.left) + Pixels(rect.width) / 2,
          originY + Pixels(rect.top) + Pixels(rect.height) / 2};
}

std::string AddressOf(const std::string& line) {
  if (line.starts_with(kShellPrefix) && line.ends_with('"')) {
    const std::string address =
        line.substr(kShellPrefix.size(), line.size() - kShellPrefix.size() - 1);
    if (address.find('"') == std::string::npos) return address;
  }
  if (line.starts_with(kBrowserPath)) return line.substr(kBrowserPath.size());
  throw std::runtime_error("a command line of unknown shape: " + line);
}

void Print(std::initializer_list<std::string> fields) {
  std::string line;
  for (const std::string& field : fields) {
    if (field.empty() || field.find_first_of("\t\n") != std::string::npos) {
      throw std::runtime_error("a field that does not fit a tab-separated line: '" + field + "'");
    }
    if (!line.empty()) line += '\t';
    line += field;
  }
  std::puts(line.c_str());
}

std::string S(std::string_view text) {
  return std::string(text);
}
std::string S(int number) {
  return std::to_string(number);
}

const app::MainControl& MainControl(std::string_view name) {
  for (const app::MainControl& control : app::kMainControls) {
    if (control.name == name) return control;
  }
  throw std::runtime_error("no main-window control " + S(name));
}

void PrintMainWindow() {
  Print({"main", S(app::kMainCaption), S(Pixels(app::kMainClientWidth)),
         S(Pixels(app::kMainClientHeight))});
  Print({"notice", S(app::kNoticeButton), S(app::kNoticeTitle)});
  Print({"notice-text", S(app::kNoticePrompt)});
  for (const app::MainControl& control : app::kMainControls) {
    if (control.kind != forms::ControlKind::PushButton) continue;
    int originX = 0;
    int originY = 0;
    if (!control.parent.empty()) {
      const TwipRect& frame = MainControl(control.parent).rect;
      originX = Pixels(frame.left);
      originY = Pixels(frame.top);
    }
    const auto [x, y] = Centre(control.rect, originX, originY);
    const Category* category = CategoryByMainButton(control.name);
    Print({"main-button", S(control.name), S(x), S(y),
           category != nullptr ? S(category->windowName) : "-"});
  }
}

void PrintCategories() {
  for (const Category& category : Catalog()) {
    const bool manual = category.placement == Placement::ManualPlacement;
    Print({"window", S(category.windowName), S(category.mainButton),
           S(Pixels(category.clientWidth)), S(Pixels(category.clientHeight)),
           manual ? "manual" : "system", S(Pixels(category.clientLeft)),
           S(Pixels(category.clientTop)), S(category.caption)});
    for (const ItemCell& cell : Cells(category)) {
      const auto [x, y] = Centre(cell.buttonRect);
      Print({"cell", S(category.windowName), S(CommandName(cell.button)), S(x), S(y),
             cell.HasLink() ? AddressOf(BuildCommandLine(cell.link)) : "-"});
      if (cell.HasLink()) {
        Print({"launch", S(category.windowName), S(CommandName(cell.button)),
               S(static_cast<int>(app::StyleFor(cell.link.kind))), BuildCommandLine(cell.link)});
      }
    }
  }
}

std::string KindName(forms::ControlKind kind) {
  switch (kind) {
    case forms::ControlKind::Frame:
      return "frame";
    case forms::ControlKind::Label:
      return "label";
    case forms::ControlKind::PictureBox:
      return "picture";
    case forms::ControlKind::PushButton:
      return "button";
  }
  return "-";
}

void PrintControls(const forms::FormDescription& form) {
  for (const forms::ControlDescription& control : form.controls) {
    Print({"control", S(form.name), S(control.name), KindName(control.kind),
           S(control.focusPosition), control.accessibleName});
  }
}

void PrintAllControls() {
  PrintControls(app::MainWindowDescription());
  for (const Category& category : Catalog()) PrintControls(app::DescribeCategoryWindow(category));
}

}  // namespace

int main() {
  try {
    PrintMainWindow();
    PrintCategories();
    PrintAllControls();
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "vestora-e2e-catalog: %s\n", failure.what());
    return 1;
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
