// The forms runtime on plain Win32.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "forms/runtime.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {

class Win32Runtime final : public forms::Runtime {
 public:
  Win32Runtime() = default;
  ~Win32Runtime() override;
  Win32Runtime(const Win32Runtime&) = delete;
  Win32Runtime& operator=(const Win32Runtime&) = delete;

  void ShowForm(const forms::FormDescription& form, forms::FormEvents& events) override;
  bool IsLabelVisible(std::string_view form, std::string_view label) override;
  void SetLabelVisible(std::string_view form, std::string_view label, bool visible) override;
  bool AnimationsOff() override;
  void ShowMessageBox(std::string_view prompt, int style, std::string_view title) override;
  forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle style) override;
  void ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept override;
  int Run() override;
  void EndProgram() override;

  // The open window of a form, or null.
  HWND Window(std::string_view form) const;
  // A control of an open form, or null.
  HWND Control(std::string_view form, std::string_view control) const;

 private:
  HWND RequireControl(std::string_view form, std::string_view control) const;
  std::map<std::string, HWND, std::less<>> windows_;
};

// Sets up the process as the program wants it: its window classes and the embedded fonts.
// Returns false when an embedded font could not be registered (the system's faces stand in).
bool PrepareApplication();

// One message of the loop: the keyboard walks the focus (Tab, Shift+Tab) and Enter presses the
// focused button, in any of the program's windows. True when the message was handled so.
bool HandleDialogKeys(MSG& message);

}  // namespace vestora::win32
