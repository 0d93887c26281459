// Which of the toolkit's platforms the program runs on.
#pragma once

#include <string>

namespace vestora::qt {

// The platform for the toolkit when the user names none: "xcb" (X11) where an X server answers,
// since there the manual placements hold and the desktop draws the title bars; "wayland" where
// only a Wayland compositor answers; "xcb" again where neither does, so that the failure names
// DISPLAY. Empty when the user named one with QT_QPA_PLATFORM: the user's choice wins.
std::string ChoosePlatform();

// The command line handed to the toolkit: the program's name, and "-platform" with the chosen
// platform (ChoosePlatform) unless the user named one. Nothing of the program's own command line
// reaches it. The toolkit keeps the arguments for its lifetime: this must outlive it.
class ToolkitCommandLine {
 public:
  explicit ToolkitCommandLine(char* program);
  ToolkitCommandLine(const ToolkitCommandLine&) = delete;
  ToolkitCommandLine& operator=(const ToolkitCommandLine&) = delete;

  int& argc() { return argc_; }
  char** argv() { return argv_; }

 private:
  std::string option_ = "-platform";
  std::string platform_;
  int argc_ = 1;
  char* argv_[4] = {};
};

}  // namespace vestora::qt
