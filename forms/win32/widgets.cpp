#include "forms/win32/widgets.h"

#include <memory>
#include <utility>

#include "forms/win32/accessibility.h"
#include "forms/win32/contrast.h"
#include "forms/win32/dpi.h"
#include "forms/win32/window_state.h"

namespace vestora::win32 {
namespace {

constexpr int kCaptionIndent = 8;  // pixels from the frame's left edge to its caption, at 96 dpi
constexpr int kCaptionPadding = 2;

int livePictureBoxes = 0;
bool keyboardMovingFocus = false;

int Scaled(int pixels, UINT dpi) {
  return MulDiv(pixels, static_cast<int>(dpi), 96);
}

struct FrameState : WindowState {
  FrameSetup setup;
  UINT dpi = 96;         // of the window the frame is in: it sets the caption's indent
  HFONT font = nullptr;  // the window's font, owned by the form
};

void FillFrameBackground(HWND window, const FrameState& state, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  SetDCBrushColor(dc, ShownBackground(state.setup.background));
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

// The whole frame into a device context: on the screen, or a child's for its parent's background
// (a themed control draws its parent under its rounded corners so).
void PaintFrame(HWND window, const FrameState& state, HDC dc) {
  FillFrameBackground(window, state, dc);
  RECT client;
  GetClientRect(window, &client);

  HGDIOBJ oldFont = SelectObject(dc, state.font != nullptr ? static_cast<HGDIOBJ>(state.font)
                                                           : GetStockObject(DEFAULT_GUI_FONT));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SIZE text{};
  GetTextExtentPoint32W(dc, state.setup.caption.c_str(),
                        static_cast<int>(state.setup.caption.size()), &text);

  // An etched border whose top line runs through the middle of the caption.
  RECT border = client;
  border.top = metrics.tmHeight / 2;
  DrawEdge(dc, &border, EDGE_ETCHED, BF_RECT);

  const int padding = Scaled(kCaptionPadding, state.dpi);
  RECT caption{Scaled(kCaptionIndent, state.dpi), 0, 0, metrics.tmHeight};
  caption.right = caption.left + text.cx + 2 * padding;
  FillRect(dc, &caption, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ShownText(state.setup.foreground));
  DrawTextW(dc, state.setup.caption.c_str(), static_cast<int>(state.setup.caption.size()), &caption,
            DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_TOP);
  SelectObject(dc, oldFont);
}

LRESULT CALLBACK FrameProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = OwnState<FrameState>(window, message, lParam);
  switch (message) {
    case WM_ERASEBKGND:
      if (state != nullptr) FillFrameBackground(window, *state, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PRINTCLIENT:
      if (state != nullptr && (lParam & PRF_CLIENT) != 0) {
        PaintFrame(window, *state, reinterpret_cast<HDC>(wParam));
        return 0;
      }
      break;
    case WM_PAINT:
      if (state != nullptr) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        PaintFrame(window, *state, dc);
        EndPaint(window, &paint);
        return 0;
      }
      break;
    case WM_SETFONT:
      if (state != nullptr) state->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) InvalidateRect(window, nullptr, TRUE);
      return 0;
    case WM_GETFONT:
      return state != nullptr ? reinterpret_cast<LRESULT>(state->font) : 0;
    case WM_GETOBJECT:
      if (const LRESULT object =
              AnswerGetObject(window, wParam, lParam, AccessibleRole::Grouping)) {
        return object;
      }
      break;
    case WM_COMMAND:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      // The frame only groups: its controls belong to the window.
      return SendMessageW(GetParent(window), message, wParam, lParam);
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

struct PictureBoxState : WindowState {
  Picture picture;
  COLORREF background = 0;
  UINT dpi = 96;
  bool focusCue = false;
};

void PaintPictureBox(HWND window, const PictureBoxState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(window, &paint);
  RECT client;
  GetClientRect(window, &client);
  // Unscaled from the top-left corner: what lies beyond the box is cut off, and where the
  // picture is smaller the background shows to its right and below it.
  SetDCBrushColor(dc, ShownBackground(state.background));
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  DrawPicture(dc, state.picture, state.dpi);
  if (state.focusCue) {
    // A dotted frame of dashes of two colours that contrast, seen on any picture: black and
    // white, or in high contrast the system's window text and window colours.
    HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    HPEN solid = CreatePen(PS_SOLID, 1, ShownText(RGB(0, 0, 0)));
    HGDIOBJ oldPen = SelectObject(dc, solid);
    Rectangle(dc, 1, 1, client.right - 1, client.bottom - 1);
    HPEN dotted = CreatePen(PS_DOT, 1, ShownBackground(RGB(255, 255, 255)));
    SelectObject(dc, dotted);
    SetBkMode(dc, TRANSPARENT);
    Rectangle(dc, 1, 1, client.right - 1, client.bottom - 1);
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(solid);
    DeleteObject(dotted);
  }
  EndPaint(window, &paint);
}

LRESULT CALLBACK PictureBoxProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* state = OwnState<PictureBoxState>(window, message, lParam);
  switch (message) {
    case WM_NCCREATE:
      ++livePictureBoxes;
      break;
    case WM_DESTROY:
      if (state != nullptr) ForgetPicture(state->picture);
      break;
    case WM_NCDESTROY:
      --livePictureBoxes;
      break;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT:
      if (state != nullptr) {
        PaintPictureBox(window, *state);
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
      SetFocus(window);
      return 0;
    case WM_GETOBJECT:
      if (const LRESULT object = AnswerGetObject(window, wParam, lParam, AccessibleRole::Graphic)) {
        return object;
      }
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      // A box that the keyboard moved the focus to shows it, so that Tab through a window is
      // seen to move; the focus a new window gives its first box is not marked.
      if (state != nullptr) {
        state->focusCue = message == WM_SETFOCUS && keyboardMovingFocus;
        InvalidateRect(window, nullptr, FALSE);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void RegisterWidgetClasses() {
  RegisterWindowClass(kFrameClass, FrameProcedure);
  RegisterWindowClass(kPictureBoxClass, PictureBoxProcedure);
}

HWND CreateFrame(const FrameSetup& setup, HWND parent, const RECT& place) {
  auto state = std::make_unique<FrameState>();
  state->setup = setup;
  state->dpi = DpiOf(parent);
  return CreateWindowWithState(std::move(state), WS_EX_CONTROLPARENT, kFrameClass,
                               setup.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
                               {place.left, place.top},
                               {place.right - place.left, place.bottom - place.top}, parent);
}

HWND CreatePictureBox(PictureBoxSetup setup, HWND parent, const RECT& place) {
  auto state = std::make_unique<PictureBoxState>();
  state->picture = std::move(setup.picture);
  state->background = setup.background;
  state->dpi = setup.dpi;
  return CreateWindowWithState(std::move(state), 0, kPictureBoxClass, setup.name.c_str(),
                               WS_CHILD | WS_VISIBLE | WS_TABSTOP, {place.left, place.top},
                               {place.right - place.left, place.bottom - place.top}, parent);
}

namespace {

// Gives a window of the class its new dpi. False when it is no such window or had that dpi.
template <typename State>
bool Rescale(HWND window, const wchar_t* windowClass, UINT dpi) {
  if (!HasWindowClass(window, windowClass)) return false;
  auto* state = StateOf<State>(window);
  if (state == nullptr || state->dpi == dpi) return false;
  state->dpi = dpi;
  return true;
}

}  // namespace

void SetFrameScale(HWND frame, UINT dpi) {
  if (Rescale<FrameState>(frame, kFrameClass, dpi)) InvalidateRect(frame, nullptr, TRUE);
}

void SetPictureScale(HWND box, UINT dpi) {
  // The box keeps its pixels when it only grows: the picture is drawn anew at its new size.
  if (Rescale<PictureBoxState>(box, kPictureBoxClass, dpi)) InvalidateRect(box, nullptr, FALSE);
}

const Picture* PictureOf(HWND box) {
  if (!HasWindowClass(box, kPictureBoxClass)) return nullptr;
  const auto* state = StateOf<PictureBoxState>(box);
  return state != nullptr ? &state->picture : nullptr;
}

bool ShowsFocusCue(HWND box) {
  return PictureOf(box) != nullptr && StateOf<PictureBoxState>(box)->focusCue;
}

int LivePictureBoxes() {
  return livePictureBoxes;
}

void SetKeyboardMovingFocus(bool moving) {
  keyboardMovingFocus = moving;
}

}  // namespace vestora::win32
