#include "forms/win32/form_builder.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "forms/failure_texts.h"
#include "forms/win32/accessibility.h"
#include "forms/win32/contrast.h"
#include "forms/win32/dpi.h"
#include "forms/win32/fonts.h"
#include "forms/win32/pictures.h"
#include "forms/win32/resources.h"
#include "forms/win32/text.h"
#include "forms/win32/widgets.h"
#include "forms/win32/window_state.h"

namespace vestora::win32 {
namespace {

constexpr DWORD kFormStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
// Each window is on the taskbar, and Tab walks into its frames.
constexpr DWORD kFormExtendedStyle = WS_EX_APPWINDOW | WS_EX_CONTROLPARENT;
constexpr UINT_PTR kTimerId = 1;

struct FormState : WindowState {
  forms::FormDescription description;
  forms::FormEvents* events = nullptr;
  std::function<void()> forget;
  bool built = false;
  UINT dpi = 96;
  std::wstring defaultFace;
  std::vector<HWND> controls;  // one for each described control, in the same order
  std::vector<std::pair<FaceAndSize, HFONT>> fonts;
  HWND lastFocus = nullptr;
  HICON bigIcon = nullptr;  // the window's icons, owned by it, at its dpi
  HICON smallIcon = nullptr;

  ~FormState() {
    DeleteFonts();
    if (bigIcon != nullptr) DestroyIcon(bigIcon);
    if (smallIcon != nullptr) DestroyIcon(smallIcon);
  }
  void DeleteFonts() {
    for (auto& [face, font] : fonts) ReleaseFont(font);
    fonts.clear();
  }
  HFONT FontFor(const forms::Font& wanted) {
    const FaceAndSize resolved = Resolve(wanted, defaultFace);
    for (auto& [face, font] : fonts) {
      if (face == resolved) return font;
    }
    HFONT font = AcquireFont(resolved.face, resolved.points, dpi);
    fonts.emplace_back(resolved, font);
    return font;
  }
  const forms::ControlDescription* Describe(HWND control) const {
    const auto found = std::ranges::find(controls, control);
    if (found == controls.end()) return nullptr;
    return &description.controls[static_cast<std::size_t>(found - controls.begin())];
  }
};

COLORREF ColorOr(const std::optional<forms::Color>& color, int systemColor) {
  return color ? static_cast<COLORREF>(*color) : GetSysColor(systemColor);
}

// An ampersand in a button's caption is a plain character, not an access key.
std::wstring PlainButtonText(std::string_view text) {
  std::wstring caption;
  for (wchar_t c : Wide(text)) {
    caption += c;
    if (c == L'&') caption += L'&';
  }
  return caption;
}

// Every text the form shows in the default face: the face must draw all of it.
std::wstring DefaultFaceTexts(const forms::FormDescription& form) {
  std::wstring texts;
  for (const forms::ControlDescription& control : form.controls) {
    if (control.font.face == forms::FontFace::Default) texts += Wide(control.text);
  }
  return texts;
}

RECT ClientRectOnScreen(const FormState& state) {
  const forms::FormDescription& form = state.description;
  const int left = ToPixels(form.clientLeft, state.dpi);
  const int top = ToPixels(form.clientTop, state.dpi);
  return {left, top, left + ToPixels(form.clientWidth, state.dpi),
          top + ToPixels(form.clientHeight, state.dpi)};
}

SIZE ClientSizeAt(const FormState& state) {
  return {ToPixels(state.description.clientWidth, state.dpi),
          ToPixels(state.description.clientHeight, state.dpi)};
}

// The control's place in its parent at the dpi.
RECT PlaceOf(const forms::ControlDescription& control, UINT dpi) {
  const int left = ToPixels(control.rect.left, dpi);
  const int top = ToPixels(control.rect.top, dpi);
  return {left, top, left + ToPixels(control.rect.width, dpi),
          top + ToPixels(control.rect.height, dpi)};
}

// Places every control and gives it its font anew, at the state's new dpi. The fonts of the dpi
// before go once no control holds them. A control whose font cannot be made shows the system's.
void LayoutControls(FormState& state) {
  std::vector<std::pair<FaceAndSize, HFONT>> before = std::move(state.fonts);
  state.fonts.clear();
  for (std::size_t i = 0; i < state.controls.size(); ++i) {
    const forms::ControlDescription& control = state.description.controls[i];
    HWND hwnd = state.controls[i];
    const RECT place = PlaceOf(control, state.dpi);
    SetWindowPos(hwnd, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state.FontFor(control.font)), TRUE);
    if (control.kind == forms::ControlKind::PictureBox) SetPictureScale(hwnd, state.dpi);
    if (control.kind == forms::ControlKind::Frame) SetFrameScale(hwnd, state.dpi);
  }
  for (auto& [face, font] : before) ReleaseFont(font);
}

// Gives the window its described client size. The frame around it is measured, not predicted:
// where the system does not scale the title bar with the window's dpi (per-monitor awareness
// before Windows 10 1703, and Wine), the prediction is off by the difference.
void FitClient(HWND window, const FormState& state) {
  const SIZE wanted = ClientSizeAt(state);
  for (int attempt = 0; attempt < 2; ++attempt) {
    RECT outer;
    RECT client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    if (client.right == wanted.cx && client.bottom == wanted.cy) return;
    SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + wanted.cx - client.right,
                 outer.bottom - outer.top + wanted.cy - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// The program's icon at the sizes for the window's dpi, each the group's own image of that size
// where it has one. Loaded apart, not shared: a shared load returns the first size loaded
// whatever size is asked for. The icons before go once the window no longer shows them.
void SetIcons(HWND window, FormState& state) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  for (auto [which, metric, icon] : {std::tuple{ICON_BIG, SM_CXICON, &state.bigIcon},
                                     std::tuple{ICON_SMALL, SM_CXSMICON, &state.smallIcon}}) {
    const int size = MetricForDpi(metric, state.dpi);
    auto* loaded = static_cast<HICON>(
        LoadImageW(instance, MAKEINTRESOURCEW(kIconGroup), IMAGE_ICON, size, size, 0));
    if (loaded == nullptr) continue;  // the one before stays
    SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(loaded));
    if (*icon != nullptr) DestroyIcon(*icon);
    *icon = loaded;
  }
}

// Windows 11 rounds a window's corners and so hides a few pixels of the client area's corners:
// every pixel of the described client area shows. Older systems have no such attribute.
void AskForSquareCorners(HWND window) {
  using SetAttribute = HRESULT(WINAPI*)(HWND, DWORD, LPCVOID, DWORD);
  static const SetAttribute setAttribute = []() -> SetAttribute {
    // From the system folder only, never from beside the program.
    std::wstring path(MAX_PATH, L'\0');
    const UINT length = GetSystemDirectoryW(path.data(), MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    path.resize(length);
    HMODULE dwm = LoadLibraryW((path + L"\\dwmapi.dll").c_str());  // kept for the program's life
    FARPROC found = dwm != nullptr ? GetProcAddress(dwm, "DwmSetWindowAttribute") : nullptr;
    return reinterpret_cast<SetAttribute>(reinterpret_cast<void (*)()>(found));
  }();
  constexpr DWORD kWindowCornerPreference = 33;  // DWMWA_WINDOW_CORNER_PREFERENCE
  constexpr DWORD kDoNotRound = 1;               // DWMWCP_DONOTROUND
  if (setAttribute != nullptr) {
    setAttribute(window, kWindowCornerPreference, &kDoNotRound, sizeof kDoNotRound);
  }
}

// A manually placed window's client corner lands at its stored place, off the screen where that
// is negative.
void Place(HWND window, const FormState& state) {
  if (state.description.placement != Placement::ManualPlacement) return;
  const RECT outer =
      OuterRect(ClientRectOnScreen(state), kFormStyle, kFormExtendedStyle, state.dpi);
  SetWindowPos(window, nullptr, outer.left, outer.top, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The control, made at its place for the dpi.
HWND CreateControl(const forms::ControlDescription& control, HWND parent, UINT dpi) {
  const RECT place = PlaceOf(control, dpi);
  const auto system = [&](const wchar_t* windowClass, const std::wstring& text, DWORD style) {
    return CreateWindowExW(0, windowClass, text.c_str(), WS_CHILD | WS_VISIBLE | style, place.left,
                           place.top, place.right - place.left, place.bottom - place.top, parent,
                           nullptr, GetModuleHandleW(nullptr), nullptr);
  };
  switch (control.kind) {
    case forms::ControlKind::Frame:
      return CreateFrame({Wide(control.text), ColorOr(control.foreground, COLOR_WINDOWTEXT),
                          ColorOr(control.background, COLOR_BTNFACE)},
                         parent, place);
    case forms::ControlKind::Label:
      return system(L"STATIC", Wide(control.text), SS_LEFT | SS_NOPREFIX);
    case forms::ControlKind::PictureBox:
      return CreatePictureBox(
          {LoadPicture(control.picture), ColorOr(control.background, COLOR_BTNFACE),
           Wide(control.accessibleName), dpi},
          parent, place);
    case forms::ControlKind::PushButton: {
      HWND button = system(L"BUTTON", PlainButtonText(control.text), WS_TABSTOP | BS_PUSHBUTTON);
      if (button != nullptr && !control.accessibleName.empty() &&
          control.accessibleName != control.text) {
        NameForReaders(button, Wide(control.accessibleName));
      }
      return button;
    }
  }
  return nullptr;
}

// How deep in frames the control lies: 0 for a control of the window itself, 1 for one in a frame
// of the window, and so on. A frame that is not described ends the count.
int FrameDepth(const std::vector<forms::ControlDescription>& controls, std::size_t i) {
  int depth = 0;
  for (std::string_view parent = controls[i].parent;
       !parent.empty() && depth <= static_cast<int>(controls.size()); ++depth) {
    const auto frame = std::ranges::find_if(controls, [&](const forms::ControlDescription& c) {
      return c.kind == forms::ControlKind::Frame && c.name == parent;
    });
    if (frame == controls.end()) return depth + 1;
    parent = frame->parent;
  }
  return depth;
}

// Makes every control finished: at its place, with its font, and in its place in its parent's
// stacking order. Tab walks sibling windows from the top of their stacking order down, into
// frames as it meets them, and a new child window goes below its siblings: so the controls are
// made in the focus order, each frame before what it holds. Throws forms::Failure when a control
// or its font cannot be made.
void BuildControls(HWND window, FormState& state) {
  const std::vector<forms::ControlDescription>& controls = state.description.controls;
  state.controls.assign(controls.size(), nullptr);
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  // Between controls of the same place in the focus order, frames first.
  std::ranges::stable_partition(
      order, [&](std::size_t i) { return controls[i].kind == forms::ControlKind::Frame; });
  std::vector<int> depth(controls.size());
  for (std::size_t i = 0; i < controls.size(); ++i) depth[i] = FrameDepth(controls, i);
  std::ranges::stable_sort(order, {}, [&](std::size_t i) {
    return std::pair{depth[i], controls[i].focusPosition};
  });
  for (std::size_t i : order) {
    const forms::ControlDescription& control = controls[i];
    HWND parent = window;
    if (!control.parent.empty()) {
      const auto frame = std::ranges::find_if(order, [&](std::size_t j) {
        return controls[j].kind == forms::ControlKind::Frame && controls[j].name == control.parent;
      });
      if (frame == order.end() || state.controls[*frame] == nullptr) {
        throw forms::Failure(forms::NoSuchFrame(control.name));
      }
      parent = state.controls[*frame];
    }
    HWND hwnd = CreateControl(control, parent, state.dpi);
    if (hwnd == nullptr) {
      throw forms::Failure(forms::CannotCreateControl(control.name, SystemReason(GetLastError())));
    }
    state.controls[i] = hwnd;
    HFONT font = state.FontFor(control.font);
    if (font == nullptr) throw forms::Failure(forms::CannotCreateFonts(state.description.name));
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
}

HWND FirstInFocusOrder(const FormState& state) {
  HWND first = nullptr;
  int best = 0;
  for (std::size_t i = 0; i < state.controls.size(); ++i) {
    const forms::ControlDescription& control = state.description.controls[i];
    const bool takesFocus = control.kind == forms::ControlKind::PictureBox ||
                            control.kind == forms::ControlKind::PushButton;
    if (!takesFocus || control.focusPosition < 0) continue;
    if (first == nullptr || control.focusPosition < best) {
      first = state.controls[i];
      best = control.focusPosition;
    }
  }
  return first;
}

LRESULT ColorStatic(FormState& state, HDC dc, HWND control) {
  const forms::ControlDescription* description = state.Describe(control);
  const COLORREF background = description != nullptr && description->background
                                  ? static_cast<COLORREF>(*description->background)
                                  : static_cast<COLORREF>(state.description.background);
  SetTextColor(dc,
               ShownText(description != nullptr ? ColorOr(description->foreground, COLOR_WINDOWTEXT)
                                                : GetSysColor(COLOR_WINDOWTEXT)));
  SetBkColor(dc, ShownBackground(background));
  SetDCBrushColor(dc, ShownBackground(background));
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

// As a dialog does: the control that last had the focus gets it back, else the first one. False
// when the window has no control to take it.
bool RestoreFocus(FormState& state) {
  HWND control = state.lastFocus;
  if (control == nullptr || !IsWindow(control) || !IsWindowVisible(control) ||
      !IsWindowEnabled(control)) {
    control = FirstInFocusOrder(state);
  }
  if (control == nullptr) return false;
  SetFocus(control);
  return true;
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormState* state = OwnState<FormState>(window, message, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      if (state != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetDCBrushColor(dc, ShownBackground(static_cast<COLORREF>(state->description.background)));
        FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        return 1;
      }
      break;
    case WM_CTLCOLORSTATIC:
      if (state != nullptr) {
        return ColorStatic(*state, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
      }
      break;
    case WM_COMMAND:
      if (state != nullptr && state->built && HIWORD(wParam) == BN_CLICKED && lParam != 0) {
        if (const auto* control = state->Describe(reinterpret_cast<HWND>(lParam))) {
          state->events->Pressed(state->description.name, control->name);
        }
        return 0;
      }
      break;
    case WM_TIMER:
      if (state != nullptr && state->built && wParam == kTimerId && state->description.timer) {
        state->events->Ticked(state->description.name, state->description.timer->name);
        return 0;
      }
      break;
    case WM_GETMINMAXINFO:
      // The window has its described size even where that is larger than the screen (a large
      // window at a high dpi), as it has on a screen that holds it: the size predicted for its
      // dpi, or its client size in the frame it has now, whichever is larger.
      if (state != nullptr) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT predicted =
            OuterRect(ClientRectOnScreen(*state), kFormStyle, kFormExtendedStyle, state->dpi);
        RECT outer;
        RECT client;
        GetWindowRect(window, &outer);
        GetClientRect(window, &client);
        const SIZE wanted = ClientSizeAt(*state);
        limits->ptMaxTrackSize.x =
            std::max({limits->ptMaxTrackSize.x, predicted.right - predicted.left,
                      outer.right - outer.left - client.right + wanted.cx});
        limits->ptMaxTrackSize.y =
            std::max({limits->ptMaxTrackSize.y, predicted.bottom - predicted.top,
                      outer.bottom - outer.top - client.bottom + wanted.cy});
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // As a dialog does: the control that had the focus gets it back with its window, unless
      // the window is minimized, where the window itself holds the focus.
      if (state != nullptr) {
        if (LOWORD(wParam) == WA_INACTIVE) {
          HWND focus = GetFocus();
          if (focus != nullptr && IsChild(window, focus)) state->lastFocus = focus;
        } else if (HIWORD(wParam) == 0 && RestoreFocus(*state)) {
          return 0;
        }
      }
      break;
    case WM_SETFOCUS:
      // The window got the focus itself, from one of its controls (it was minimized, or the
      // system gave the window the focus as it came back): that control gets it back, once the
      // window is no longer minimized. A minimized window holds the focus itself.
      if (state != nullptr) {
        HWND previous = reinterpret_cast<HWND>(wParam);
        if (previous != nullptr && IsChild(window, previous)) state->lastFocus = previous;
        if (!IsIconic(window)) RestoreFocus(*state);
        return 0;
      }
      break;
    case 0x02E4:  // WM_GETDPISCALEDSIZE: the size the window will have at another dpi
      if (state != nullptr) {
        const UINT dpi = LOWORD(wParam);
        const forms::FormDescription& form = state->description;
        const RECT outer =
            OuterRect({0, 0, ToPixels(form.clientWidth, dpi), ToPixels(form.clientHeight, dpi)},
                      kFormStyle, kFormExtendedStyle, dpi);
        auto* size = reinterpret_cast<SIZE*>(lParam);
        *size = {outer.right - outer.left, outer.bottom - outer.top};
        return TRUE;
      }
      break;
    case 0x02E0:  // WM_DPICHANGED: the window moved to a screen of another dpi
      if (state != nullptr) {
        state->dpi = LOWORD(wParam);
        LayoutControls(*state);
        // Where the system suggests, as large as it suggests; then the client area checked.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        FitClient(window, *state);
        if (state->description.hasIcon) SetIcons(window, *state);
        // Children keep the pixels of their old size where they only grow: all drawn anew.
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
        return 0;
      }
      break;
    case WM_SETTINGCHANGE:
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED:
      // High contrast goes on or off, or its colours change: the open window follows.
      if (state != nullptr && FollowContrastChange(message, wParam)) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
      }
      break;
    case WM_DESTROY:
      if (state != nullptr) {
        KillTimer(window, kTimerId);
        if (state->built) {
          state->built = false;
          state->forget();
          state->events->Closed(state->description.name);
        }
      }
      break;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// How a window is first shown. The first window of the program shows as the program's launcher
// asks (a shortcut set to "Minimized"), where that is normal or minimized; a window without a
// maximize box never starts maximized. Neither command is one that the system replaces with the
// launcher's on the first show, so the choice here is the one made.
int ShowCommand() {
  static bool shownOne = false;
  if (std::exchange(shownOne, true)) return SW_SHOWNOACTIVATE;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  GetStartupInfoW(&startup);
  if ((startup.dwFlags & STARTF_USESHOWWINDOW) != 0) {
    switch (startup.wShowWindow) {
      case SW_SHOWMINIMIZED:
        return SW_SHOWMINIMIZED;
      case SW_MINIMIZE:
      case SW_SHOWMINNOACTIVE:
      case SW_FORCEMINIMIZE:
        return SW_SHOWMINNOACTIVE;
      default:
        break;
    }
  }
  return SW_SHOWNOACTIVATE;
}

}  // namespace

void RegisterFormClasses() {
  RegisterWindowClass(kFormClass, FormProcedure);
  RegisterWidgetClasses();
}

HWND BuildForm(const forms::FormDescription& form, forms::FormEvents& events,
               std::function<void()> forget) {
  auto owned = std::make_unique<FormState>();
  FormState& state = *owned;
  state.description = form;
  state.events = &events;
  state.forget = std::move(forget);
  state.dpi = SystemDpi();
  const UINT madeAt = state.dpi;
  state.defaultFace = DefaultFaceFor(DefaultFaceTexts(form));

  const RECT outer =
      OuterRect(ClientRectOnScreen(state), kFormStyle, kFormExtendedStyle, state.dpi);
  const bool manual = form.placement == Placement::ManualPlacement;
  // From here on the window owns its state, or it is gone with it.
  HWND window = CreateWindowWithState(
      std::move(owned), kFormExtendedStyle, kFormClass, Wide(form.caption).c_str(), kFormStyle,
      {manual ? outer.left : CW_USEDEFAULT, manual ? outer.top : CW_USEDEFAULT},
      {outer.right - outer.left, outer.bottom - outer.top}, nullptr);
  if (window == nullptr) {
    throw forms::Failure(forms::CannotCreateWindow(form.name, SystemReason(GetLastError())));
  }

  try {
    state.dpi = DpiOf(window);
    AskForSquareCorners(window);
    BuildControls(window, state);
    // Made for the system's dpi, a window that came up at another takes its place for that; its
    // size comes from the client area measured, as at any dpi.
    if (state.dpi != madeAt) Place(window, state);
    FitClient(window, state);
    if (form.hasIcon) SetIcons(window, state);
    if (form.timer) SetTimer(window, kTimerId, static_cast<UINT>(form.timer->intervalMs), nullptr);
  } catch (...) {
    DestroyWindow(window);  // not built: nobody is told it closed
    throw;
  }
  state.built = true;
  return window;
}

void ShowBuiltForm(HWND window) {
  FormState* state = StateOf<FormState>(window);
  const int show = ShowCommand();
  ShowWindow(window, show);
  // The window has no maximize box: whatever the system made of the first show, it is normal.
  if (IsZoomed(window)) ShowWindow(window, SW_RESTORE);
  // A window manager may move a window as it maps it: the stored place holds all the same.
  if (state != nullptr) Place(window, *state);
  if (IsIconic(window)) return;  // the first control gets the focus once it is restored
  if (state != nullptr) {
    if (HWND first = FirstInFocusOrder(*state)) SetFocus(first);
  }
  SetForegroundWindow(window);
  UpdateWindow(window);
}

void DestroyQuietly(HWND window) {
  if (FormState* state = StateOf<FormState>(window)) state->built = false;
  DestroyWindow(window);
}

HWND FindControl(HWND form, std::string_view name) {
  const FormState* state = StateOf<FormState>(form);
  if (state == nullptr) return nullptr;
  for (std::size_t i = 0; i < state->controls.size(); ++i) {
    if (state->description.controls[i].name == name) return state->controls[i];
  }
  return nullptr;
}

}  // namespace vestora::win32
