// The seam between the program and its windowing toolkit: the few operations a forms program
// needs, with windows described as plain values. The program includes this header only; each
// backend (Qt, Win32, the recording fake) implements it.
//
// Layers: catalog/ (data and questions about it) stands on nothing of ours; forms/ (this seam and
// its backends) uses the catalog's vocabulary types only; app/ (the program) stands on both.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "catalog/model.h"

namespace vestora::forms {

// A colour as 0x00BBGGRR: red in the lowest byte.
using Color = std::uint32_t;
inline constexpr Color kBlack = 0x000000;

enum class ControlKind { Frame, Label, PictureBox, PushButton };

// Where a face is not named, the platform's default user-interface font is used.
enum class FontFace { Default, Kai };
struct Font {
  FontFace face = FontFace::Default;
  double points = 0;  // 0 with the default face: the default size
};

// A description owns all its texts: a backend may keep it for its window's whole life, and a text
// made at run time lives as long as the description does.
struct ControlDescription {
  ControlKind kind = ControlKind::PushButton;
  std::string name;
  TwipRect rect;       // within the parent frame, or the client area when there is none
  std::string parent;  // the frame that holds the control, or empty
  std::string text;
  std::optional<Color> foreground;  // none: the platform's default
  std::optional<Color> background;  // none: the platform's default (button face)
  Font font;
  // The place in the window's focus order. Only picture boxes and push buttons take the focus;
  // frames and labels hold places without ever taking it.
  int focusPosition = -1;
  std::string picture;  // picture boxes: the embedded picture's file name
  // What screen readers call the control: what tells it apart, never its kind, which they say
  // themselves from its role ("图片 image" is heard otherwise). Empty: its text.
  std::string accessibleName;
};

struct TimerDescription {
  std::string name;
  int intervalMs = 0;
};

struct FormDescription {
  std::string name;
  std::string caption;
  bool hasIcon = true;
  int clientWidth = 0;  // twips
  int clientHeight = 0;
  Placement placement = Placement::SystemPlacement;
  int clientLeft = 0;  // twips, screen position of the client area (manual placement)
  int clientTop = 0;
  Color background = kBlack;
  std::vector<ControlDescription> controls;
  std::optional<TimerDescription> timer;  // runs from the moment the form is built
};

// What the backend tells the program. Implementations must not throw: a failure inside a
// handler is the program's to route, never the toolkit's event loop's.
class FormEvents {
 public:
  virtual void Pressed(std::string_view form, std::string_view control) noexcept = 0;
  virtual void Ticked(std::string_view form, std::string_view timer) noexcept = 0;
  // The user closed the form; its on-screen window and controls are gone.
  virtual void Closed(std::string_view form) noexcept = 0;

 protected:
  ~FormEvents() = default;
};

enum class LaunchStyle { NormalFocus = 1, MinimizedFocus = 2 };
using TaskNumber = double;

// Message box style codes as the program uses them.
inline constexpr int kExclamationOkOnly = 48;

// A failure an operation reports: what the system said, in words for the user.
class Failure : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Runtime {
 public:
  virtual ~Runtime() = default;

  // Builds the form from its description if it is not open, then shows it modeless, without
  // owner. Returns at once.
  virtual void ShowForm(const FormDescription& form, FormEvents& events) = 0;

  virtual bool IsLabelVisible(std::string_view form, std::string_view label) = 0;
  virtual void SetLabelVisible(std::string_view form, std::string_view label, bool visible) = 0;

  // Whether the user's desktop settings ask for still screens (animations turned off). False
  // where the platform does not say. Cheap enough to ask on every timer tick; the answer may
  // change while the program runs, and the program changes no setting.
  virtual bool AnimationsOff() = 0;

  // Modal for the program; returns when the user has dismissed the box.
  virtual void ShowMessageBox(std::string_view prompt, int style, std::string_view title) = 0;

  // Starts the command line without waiting for it. Throws Failure when it cannot be started.
  virtual TaskNumber StartProgram(std::string_view commandLine, LaunchStyle style) = 0;

  // The program-wide path for a failure no handler caught: tell the user, then go on.
  virtual void ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept = 0;

  // Dispatches events until EndProgram; returns the process exit status.
  virtual int Run() = 0;
  // No window of the program is open any more.
  virtual void EndProgram() = 0;
};

}  // namespace vestora::forms
