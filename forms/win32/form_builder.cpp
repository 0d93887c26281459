#include "forms/win32/form_builder.h"

#include <algorithm>
#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "forms/win32/accessibility.h"
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

struct FormState {
  forms::FormDescription description;
  forms::FormEvents* events = nullptr;
  std::function<void()> forget;
  bool built = false;
  UINT dpi = 96;
  std::wstring defaultFace;
  std::vector<HWND> controls;  // one for each described control, in the same order
  std::vector<std::pair<FaceAndSize, HFONT>> fonts;
  HWND lastFocus = nullptr;

  ~FormState() { DeleteFonts(); }
  void DeleteFonts() {
    for (auto& [face, font] : fonts) DeleteObject(font);
    fonts.clear();
  }
  HFONT FontFor(const forms::Font& wanted) {
    const FaceAndSize resolved = Resolve(wanted, defaultFace);
    for (auto& [face, font] : fonts) {
      if (face == resolved) return font;
    }
    HFONT font = MakeFont(resolved.face, resolved.points, dpi);
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

// Sizes the window to its client area and places every control, at the state's dpi.
void Layout(HWND window, FormState& state) {
  state.DeleteFonts();
  for (std::size_t i = 0; i < state.controls.size(); ++i) {
    const forms::ControlDescription& control = state.description.controls[i];
    HWND hwnd = state.controls[i];
    SetWindowPos(hwnd, nullptr, ToPixels(control.rect.left, state.dpi),
                 ToPixels(control.rect.top, state.dpi), ToPixels(control.rect.width, state.dpi),
                 ToPixels(control.rect.height, state.dpi), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(state.FontFor(control.font)), TRUE);
    if (control.kind == forms::ControlKind::PictureBox) SetPictureScale(hwnd, state.dpi);
  }
  const RECT outer =
      OuterRect(ClientRectOnScreen(state), kFormStyle, kFormExtendedStyle, state.dpi);
  SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

HWND CreateControl(const forms::ControlDescription& control, HWND parent) {
  switch (control.kind) {
    case forms::ControlKind::Frame:
      return CreateFrame({Wide(control.text), ColorOr(control.foreground, COLOR_WINDOWTEXT),
                          ColorOr(control.background, COLOR_BTNFACE)},
                         parent);
    case forms::ControlKind::Label:
      return CreateWindowExW(0, L"STATIC", Wide(control.text).c_str(),
                             WS_CHILD | WS_VISIBLE | SS_LEFT | SS_NOPREFIX, 0, 0, 0, 0, parent,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    case forms::ControlKind::PictureBox: {
      HWND box = CreatePictureBox(LoadPicture(control.picture),
                                  ColorOr(control.background, COLOR_BTNFACE), parent);
      if (box != nullptr) SetWindowTextW(box, Wide(control.accessibleName).c_str());
      return box;
    }
    case forms::ControlKind::PushButton: {
      HWND button = CreateWindowExW(0, L"BUTTON", PlainButtonText(control.text).c_str(),
                                    WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0, 0, 0,
                                    parent, nullptr, GetModuleHandleW(nullptr), nullptr);
      if (button != nullptr && !control.accessibleName.empty() &&
          control.accessibleName != control.text) {
        NameForReaders(button, Wide(control.accessibleName));
      }
      return button;
    }
  }
  return nullptr;
}

void BuildControls(HWND window, FormState& state) {
  const std::vector<forms::ControlDescription>& controls = state.description.controls;
  state.controls.assign(controls.size(), nullptr);
  // Frames first, so that their controls have a parent to go into.
  std::vector<std::size_t> order(controls.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::ranges::stable_partition(
      order, [&](std::size_t i) { return controls[i].kind == forms::ControlKind::Frame; });
  for (std::size_t i : order) {
    const forms::ControlDescription& control = controls[i];
    HWND parent = window;
    if (!control.parent.empty()) {
      const auto frame = std::ranges::find_if(order, [&](std::size_t j) {
        return controls[j].kind == forms::ControlKind::Frame && controls[j].name == control.parent;
      });
      if (frame == order.end() || state.controls[*frame] == nullptr) {
        throw forms::Failure("控件“" + std::string(control.name) + "”所在的框架不存在");
      }
      parent = state.controls[*frame];
    }
    HWND hwnd = CreateControl(control, parent);
    if (hwnd == nullptr) {
      throw forms::Failure("无法创建控件“" + std::string(control.name) + "”：" +
                           SystemReason(GetLastError()));
    }
    state.controls[i] = hwnd;
  }
  // Tab walks sibling windows from the top of their stacking order down, into frames as it meets
  // them: stack every control by its place in the focus order.
  std::ranges::stable_sort(order, {}, [&](std::size_t i) { return controls[i].focusPosition; });
  for (std::size_t i : order) {
    SetWindowPos(state.controls[i], HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
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
  SetTextColor(dc, description != nullptr ? ColorOr(description->foreground, COLOR_WINDOWTEXT)
                                          : GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, background);
  SetDCBrushColor(dc, background);
  return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

LRESULT CALLBACK FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  FormState* state = OwnState<FormState>(window, message, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      if (state != nullptr) {
        RECT client;
        GetClientRect(window, &client);
        HDC dc = reinterpret_cast<HDC>(wParam);
        SetDCBrushColor(dc, static_cast<COLORREF>(state->description.background));
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
      // window at a high dpi), as it has on a screen that holds it.
      if (state != nullptr) {
        auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
        const RECT outer =
            OuterRect(ClientRectOnScreen(*state), kFormStyle, kFormExtendedStyle, state->dpi);
        limits->ptMaxTrackSize.x = std::max(limits->ptMaxTrackSize.x, outer.right - outer.left);
        limits->ptMaxTrackSize.y = std::max(limits->ptMaxTrackSize.y, outer.bottom - outer.top);
        return 0;
      }
      break;
    case WM_ACTIVATE:
      // As a dialog does: the control that had the focus gets it back with its window.
      if (state != nullptr) {
        if (LOWORD(wParam) == WA_INACTIVE) {
          HWND focus = GetFocus();
          if (focus != nullptr && IsChild(window, focus)) state->lastFocus = focus;
        } else if (state->lastFocus != nullptr && IsWindow(state->lastFocus)) {
          SetFocus(state->lastFocus);
          return 0;
        }
      }
      break;
    case 0x02E0:  // WM_DPICHANGED: the window moved to a screen of another dpi
      if (state != nullptr) {
        state->dpi = LOWORD(wParam);
        Layout(window, *state);
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        return 0;
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
  state.defaultFace = DefaultFaceFor(DefaultFaceTexts(form));

  const RECT outer =
      OuterRect(ClientRectOnScreen(state), kFormStyle, kFormExtendedStyle, state.dpi);
  const bool manual = form.placement == Placement::ManualPlacement;
  HWND window =
      CreateWindowExW(kFormExtendedStyle, kFormClass, Wide(form.caption).c_str(), kFormStyle,
                      manual ? outer.left : CW_USEDEFAULT, manual ? outer.top : CW_USEDEFAULT,
                      outer.right - outer.left, outer.bottom - outer.top, nullptr, nullptr,
                      GetModuleHandleW(nullptr), owned.get());
  if (window == nullptr) {
    throw forms::Failure("无法创建窗口“" + std::string(form.name) + "”：" +
                         SystemReason(GetLastError()));
  }
  owned.release();  // the window owns its state now and frees it when it goes

  try {
    state.dpi = DpiOf(window);
    BuildControls(window, state);
    Layout(window, state);
    Place(window, state);
    if (form.hasIcon) {
      const HINSTANCE instance = GetModuleHandleW(nullptr);
      for (const auto& [which, metric] :
           {std::pair{ICON_BIG, SM_CXICON}, {ICON_SMALL, SM_CXSMICON}}) {
        const int size = GetSystemMetrics(metric);
        HANDLE icon =
            LoadImageW(instance, MAKEINTRESOURCEW(kIconGroup), IMAGE_ICON, size, size, LR_SHARED);
        SendMessageW(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon));
      }
    }
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
  ShowWindow(window, SW_SHOWNORMAL);
  // A window manager may move a window as it maps it: the stored place holds all the same.
  if (state != nullptr) Place(window, *state);
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
