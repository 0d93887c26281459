#include "forms/win32/win32_runtime.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "forms/failure_texts.h"
#include "forms/win32/fonts.h"
#include "forms/win32/form_builder.h"
#include "forms/win32/motion_setting.h"
#include "forms/win32/start_program.h"
#include "forms/win32/text.h"
#include "forms/win32/widgets.h"
#include "forms/win32/window_state.h"

namespace vestora::win32 {
namespace {

bool IsPushButton(HWND window) {
  if (!HasWindowClass(window, L"Button")) return false;
  const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

BOOL CALLBACK NoteProgramWindow(HWND window, LPARAM found) {
  if (HasWindowClass(window, kFormClass)) {
    reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
  }
  return TRUE;
}

// The program's windows: its thread's windows of the form class.
std::vector<HWND> ProgramWindows() {
  std::vector<HWND> windows;
  EnumThreadWindows(GetCurrentThreadId(), NoteProgramWindow, reinterpret_cast<LPARAM>(&windows));
  return windows;
}

// The window a box belongs to: the active one of the program's, else the topmost that is shown
// and not minimized (the system hides what a minimized window owns). Null when there is none.
HWND BoxOwner(const std::vector<HWND>& windows) {
  HWND active = GetActiveWindow();
  if (std::ranges::find(windows, active) != windows.end() && !IsIconic(active)) return active;
  for (HWND window = GetTopWindow(nullptr); window != nullptr;
       window = GetWindow(window, GW_HWNDNEXT)) {
    if (std::ranges::find(windows, window) != windows.end() && IsWindowVisible(window) &&
        !IsIconic(window)) {
      return window;
    }
  }
  return nullptr;
}

// A box that the program waits for: it belongs to the active window, so that a click on any of
// the program's windows or on their taskbar buttons brings it to the front, and every other
// window of the program waits with it until it is dismissed.
void ShowProgramBox(const std::wstring& text, const std::wstring& title, UINT style) {
  const std::vector<HWND> windows = ProgramWindows();
  HWND owner = BoxOwner(windows);
  // The system disables the owner; the other windows are disabled here, and only those that
  // were enabled are enabled again.
  std::vector<HWND> disabled;
  for (HWND window : windows) {
    if (window != owner && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      disabled.push_back(window);
    }
  }
  // Without an owner, the system disables every window of the program itself.
  MessageBoxW(owner, text.c_str(), title.c_str(),
              style | MB_SETFOREGROUND | (owner != nullptr ? MB_APPLMODAL : MB_TASKMODAL));
  for (HWND window : disabled) {
    if (IsWindow(window)) EnableWindow(window, TRUE);
  }
}

}  // namespace

Win32Runtime::~Win32Runtime() {
  // Windows still open when the runtime goes away close silently: the program that listened for
  // their closing may be gone already.
  auto windows = std::move(windows_);
  for (auto& [name, window] : windows) {
    if (IsWindow(window)) DestroyQuietly(window);
  }
}

void Win32Runtime::ShowForm(const forms::FormDescription& form, forms::FormEvents& events) {
  if (HWND open = Window(form.name)) {
    // Already open: the same window comes to the front, restored if it was minimized.
    if (IsIconic(open)) ShowWindow(open, SW_RESTORE);
    ShowWindow(open, SW_SHOWNA);
    SetForegroundWindow(open);
    BringWindowToTop(open);
    return;
  }
  const std::string name(form.name);
  HWND window = BuildForm(form, events, [this, name] { windows_.erase(name); });
  windows_[name] = window;
  ShowBuiltForm(window);
}

HWND Win32Runtime::Window(std::string_view form) const {
  const auto found = windows_.find(form);
  return found == windows_.end() ? nullptr : found->second;
}

HWND Win32Runtime::Control(std::string_view form, std::string_view control) const {
  HWND window = Window(form);
  return window != nullptr ? FindControl(window, control) : nullptr;
}

HWND Win32Runtime::RequireControl(std::string_view form, std::string_view control) const {
  HWND found = Control(form, control);
  if (found == nullptr) {
    throw forms::Failure(forms::NoSuchControl(form, control));
  }
  return found;
}

bool Win32Runtime::IsLabelVisible(std::string_view form, std::string_view label) {
  return (GetWindowLongPtrW(RequireControl(form, label), GWL_STYLE) & WS_VISIBLE) != 0;
}

void Win32Runtime::SetLabelVisible(std::string_view form, std::string_view label, bool visible) {
  ShowWindow(RequireControl(form, label), visible ? SW_SHOWNA : SW_HIDE);
}

bool Win32Runtime::AnimationsOff() {
  return ClientAreaAnimationsOff();
}

void Win32Runtime::ShowMessageBox(std::string_view prompt, int style, std::string_view title) {
  // Modal for the program: every window of it waits until the box is dismissed.
  ShowProgramBox(Wide(prompt), Wide(title), static_cast<UINT>(style));
}

forms::TaskNumber Win32Runtime::StartProgram(std::string_view commandLine,
                                             forms::LaunchStyle style) {
  return win32::StartProgram(commandLine, style);
}

void Win32Runtime::ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept {
  try {
    ShowProgramBox(Wide(forms::FailureBoxText(what, reason)), Wide(forms::kFailureBoxTitle),
                   MB_OK | MB_ICONERROR);
  } catch (...) {
    // Nothing is left to tell the user with; the program goes on regardless.
  }
}

bool HandleDialogKeys(MSG& message) {
  HWND root = message.hwnd != nullptr ? GetAncestor(message.hwnd, GA_ROOT) : nullptr;
  if (!HasWindowClass(root, kFormClass)) return false;
  if (message.message == WM_KEYDOWN && message.wParam == VK_RETURN) {
    // Enter presses the button that has the focus, as a click would.
    HWND focus = GetFocus();
    if (IsPushButton(focus) && IsChild(root, focus)) {
      SendMessageW(GetParent(focus), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(focus), BN_CLICKED),
                   reinterpret_cast<LPARAM>(focus));
      return true;
    }
  }
  const bool tab = message.message == WM_KEYDOWN && message.wParam == VK_TAB;
  SetKeyboardMovingFocus(tab);
  const bool handled = IsDialogMessageW(root, &message) != FALSE;
  SetKeyboardMovingFocus(false);
  return handled;
}

int Win32Runtime::Run() {
  MSG message;
  BOOL got;
  while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0) {
    if (got == -1) return 1;
    if (HandleDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

void Win32Runtime::EndProgram() {
  PostQuitMessage(0);
}

bool PrepareApplication() {
  // The manifest asks for version 6 of the common controls, whose themed push buttons come with
  // their library: it is loaded before the first button is made.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  RegisterFormClasses();
  return InstallEmbeddedFonts();
}

}  // namespace vestora::win32
