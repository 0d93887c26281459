// Which of the toolkit's platforms the program runs on.
#pragma once

#include <chrono>
#include <string>
#include <string_view>

namespace vestora::qt {

// How long a display server has to answer a new connection before it counts as absent. An X
// server that a Wayland desktop starts on demand (Xwayland) answers the first connection only
// once it has started: about 0.6 s for a whole Xvfb on a busy two-core machine; the bound leaves
// five times that. Longer than a user waits for a window without wondering.
inline constexpr std::chrono::milliseconds kAnswerBound{3000};

// A value from the environment or the command line as it can be shown on one line: control
// characters and DEL as \xNN, everything else as it is.
std::string ShownOnOneLine(std::string_view value);

// What a display server did with a connection.
enum class Answer {
  Unnamed,   // the environment names none (DISPLAY or WAYLAND_DISPLAY unset or empty)
  Answered,  // it answered the first request
  Refused,   // nothing listens there, the connection was refused or closed without a word
  Silent,    // it took the connection but said nothing within the bound
};

// Whether an X server answers on the display named as DISPLAY names it (":0", "unix:0",
// "host:0.1", "tcp/host:0", "[::1]:0"): it is asked for a connection setup, and any reply counts,
// a refusal for want of authority too. A host name is looked up within the bound as well.
// Leaves no descriptor open.
Answer AskXServer(std::string_view display, std::chrono::milliseconds bound);

// Whether a Wayland compositor answers on the socket named as WAYLAND_DISPLAY names it (a path,
// or a name in runtimeDirectory): it is sent a wl_display.sync and any reply counts. Leaves no
// descriptor open.
Answer AskWaylandCompositor(std::string_view waylandDisplay, std::string_view runtimeDirectory,
                            std::chrono::milliseconds bound);

// The platform for the toolkit, and when there is none to run on, why.
struct PlatformChoice {
  // "xcb" (X11) where an X server answers, since there the manual placements hold and the desktop
  // draws the title bars; "wayland" where only a Wayland compositor answers. Empty when the user
  // named one with QT_QPA_PLATFORM: the user's choice wins.
  std::string platform;
  // Where no display answers (the one the user named, or neither X nor Wayland): one line for
  // the user, naming DISPLAY and WAYLAND_DISPLAY, without "vestora: " or a newline. Empty
  // otherwise.
  std::string failure;
};

// Asks the display servers that the environment names, X and Wayland at the same time, each
// within `bound`: X wins where it answers within the bound.
PlatformChoice ChoosePlatform(std::chrono::milliseconds bound = kAnswerBound);

// Where the session's accessibility bus (org.a11y.Bus) is there but does not answer within
// `bound`, tells the toolkit that assistive technology is on
// (QT_LINUX_ACCESSIBILITY_ALWAYS_ON), so that it skips the two questions it would otherwise ask
// that bus while the program starts, each waiting 25 s for an answer. It then asks only for the
// bus's address, without waiting for it. Call before the application object exists.
void AvoidSilentAccessibilityBus(std::chrono::milliseconds bound = kAnswerBound);

// The command line handed to the toolkit: the program's name, and "-platform" with the chosen
// platform unless the user named one. Nothing of the program's own command line reaches it. The
// toolkit keeps the arguments for its lifetime: this must outlive it.
class ToolkitCommandLine {
 public:
  ToolkitCommandLine(char* program, std::string platform);
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
