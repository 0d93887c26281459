// The floor for the Windows program's start: the main window written by hand, straight on Win32,
// from the window's description and nothing of the program's. The same window tree (three group
// boxes, the slogan and the footer as static controls, eighteen push buttons: 23 child windows),
// the same themed buttons (its manifest asks for the common controls version 6), the same two
// faces registered from its own resources with AddFontMemResourceEx, the program's icon, and the
// slogan blinking every 250 ms. It scales its twips to the window's dpi, as a per-monitor aware
// program does. It runs until the window is closed.
#include <windows.h>

#include <iterator>

namespace {

constexpr int kClientWidth = 9000;  // twips
constexpr int kClientHeight = 7785;
constexpr UINT_PTR kBlinkTimer = 1;
constexpr UINT kBlinkMs = 250;

enum class Kind { Group, Label, Button };
enum Face { kKai, kSans };

struct Control {
  Kind kind;
  int left, top, width, height;  // twips, in the client area
  const wchar_t* text;
  COLORREF colour;
  Face face;
  double points;
};

// In focus order; the buttons' rectangles are in client-area terms.
constexpr COLORREF kMagenta = RGB(0xFF, 0x00, 0xFF);
const Control kControls[] = {
    {Kind::Group, 360, 1320, 4095, 3015, L"女生QQ秀集合", kMagenta, kKai, 15.75},
    {Kind::Label, 1560, 7320, 6735, 615, L"Vestora 工作室出品　图片均为原创　谢谢使用",
     RGB(0xFF, 0x00, 0x00), kSans, 9},
    {Kind::Label, 2280, 360, 6495, 975, L"Vestora", RGB(0xFF, 0xC0, 0xFF), kKai, 26.25},
    {Kind::Button, 720, 2040, 1335, 495, L"个性女生QQ秀", 0, kSans, 9},
    {Kind::Button, 2640, 2040, 1455, 495, L"温柔女生QQ秀", 0, kSans, 9},
    {Kind::Button, 720, 3360, 1335, 495, L"非主流QQ秀", 0, kSans, 9},
    {Kind::Button, 2640, 3360, 1455, 495, L"贤淑女生QQ秀", 0, kSans, 9},
    {Kind::Group, 4680, 1320, 3975, 3015, L"男生QQ秀集合", kMagenta, kKai, 15.75},
    {Kind::Button, 4920, 2040, 1455, 495, L"个性男生QQ秀", 0, kSans, 9},
    {Kind::Button, 4920, 3360, 1455, 495, L"收费雷人QQ秀", 0, kSans, 9},
    {Kind::Button, 6960, 2040, 1455, 495, L"免费雷人QQ秀", 0, kSans, 9},
    {Kind::Button, 6960, 3360, 1455, 495, L"绝版QQ秀", 0, kSans, 9},
    {Kind::Group, 360, 4680, 8295, 2295, L"QQ秀背景", kMagenta, kKai, 15},
    {Kind::Button, 600, 5280, 1335, 495, L"动漫卡通", 0, kSans, 9},
    {Kind::Button, 600, 6120, 1335, 495, L"青草萋萋", 0, kSans, 9},
    {Kind::Button, 2280, 5280, 1335, 495, L"夜色朦胧", 0, kSans, 9},
    {Kind::Button, 2280, 6120, 1335, 495, L"恬静优雅", 0, kSans, 9},
    {Kind::Button, 3960, 5280, 1335, 495, L"憧憬爱情", 0, kSans, 9},
    {Kind::Button, 3960, 6120, 1335, 495, L"春意盎然", 0, kSans, 9},
    {Kind::Button, 5640, 5280, 1335, 495, L"高山流水", 0, kSans, 9},
    {Kind::Button, 5640, 6120, 1335, 495, L"历史沧桑", 0, kSans, 9},
    {Kind::Button, 7320, 5280, 1215, 495, L"白雪悠然", 0, kSans, 9},
    {Kind::Button, 7320, 6120, 1215, 495, L"我心依旧", 0, kSans, 9},
};
constexpr int kSlogan = 2;

HWND controls[std::size(kControls)];
HBRUSH black;

int Pixels(int twips, UINT dpi) {
  return MulDiv(twips, static_cast<int>(dpi), 1440);
}

bool RegisterFace(HINSTANCE instance, const wchar_t* name) {
  HRSRC found = FindResourceW(instance, name, MAKEINTRESOURCEW(10));  // RT_RCDATA
  HGLOBAL loaded = found != nullptr ? LoadResource(instance, found) : nullptr;
  DWORD fonts = 0;
  return loaded != nullptr &&
         AddFontMemResourceEx(LockResource(loaded), SizeofResource(instance, found), nullptr,
                              &fonts) != nullptr;
}

HFONT Font(Face face, double points, UINT dpi) {
  LOGFONTW font{};
  font.lfHeight = -static_cast<LONG>(points * dpi / 72 + 0.5);
  font.lfWeight = FW_NORMAL;
  font.lfCharSet = face == kKai ? GB2312_CHARSET : DEFAULT_CHARSET;
  lstrcpyW(font.lfFaceName, face == kKai ? L"Vestora Kai" : L"Vestora Sans");
  return CreateFontIndirectW(&font);
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    // The group boxes ask too; Wine draws their captions in the brush's colour, Windows in the
    // text colour.
    case WM_CTLCOLORSTATIC:
      for (size_t i = 0; i < std::size(kControls); ++i) {
        if (controls[i] == reinterpret_cast<HWND>(lParam)) {
          SetTextColor(reinterpret_cast<HDC>(wParam), kControls[i].colour);
          SetBkColor(reinterpret_cast<HDC>(wParam), RGB(0, 0, 0));
          return reinterpret_cast<LRESULT>(black);
        }
      }
      break;
    case WM_TIMER:
      if (wParam == kBlinkTimer) {
        HWND slogan = controls[kSlogan];
        ShowWindow(slogan, IsWindowVisible(slogan) ? SW_HIDE : SW_SHOW);
        return 0;
      }
      break;
    case WM_DESTROY:
      KillTimer(window, kBlinkTimer);
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  if (!RegisterFace(instance, L"VESTORAKAI-REGULAR.TTF") ||
      !RegisterFace(instance, L"VESTORASANS-REGULAR.TTF")) {
    return 1;
  }
  black = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProcedure;
  windowClass.hInstance = instance;
  windowClass.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = black;
  windowClass.lpszClassName = L"VestoraHandWindow";
  if (RegisterClassExW(&windowClass) == 0) return 1;

  // The system's dpi: the window opens on the primary monitor.
  HDC screen = GetDC(nullptr);
  const UINT dpi = static_cast<UINT>(GetDeviceCaps(screen, LOGPIXELSX));
  ReleaseDC(nullptr, screen);
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, Pixels(kClientWidth, dpi), Pixels(kClientHeight, dpi)};
  AdjustWindowRectEx(&frame, style, FALSE, WS_EX_CONTROLPARENT);
  HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, windowClass.lpszClassName, L"Vestora", style,
                                CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) return 1;

  HFONT fonts[4] = {Font(kKai, 15.75, dpi), Font(kKai, 15, dpi), Font(kKai, 26.25, dpi),
                    Font(kSans, 9, dpi)};
  // Made in focus order, each below the one before: the Tab order follows.
  for (size_t i = 0; i < std::size(kControls); ++i) {
    const Control& control = kControls[i];
    const wchar_t* windowClassName = control.kind == Kind::Label ? L"STATIC" : L"BUTTON";
    DWORD controlStyle = WS_CHILD | WS_VISIBLE;
    if (control.kind == Kind::Group) controlStyle |= BS_GROUPBOX;
    if (control.kind == Kind::Label) controlStyle |= SS_LEFT | SS_NOPREFIX;
    if (control.kind == Kind::Button) controlStyle |= WS_TABSTOP | BS_PUSHBUTTON;
    controls[i] = CreateWindowExW(
        0, windowClassName, control.text, controlStyle, Pixels(control.left, dpi),
        Pixels(control.top, dpi), Pixels(control.width, dpi), Pixels(control.height, dpi), window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(100 + i)), instance, nullptr);
    HFONT font = control.face == kSans   ? fonts[3]
                 : control.points > 20   ? fonts[2]
                 : control.points < 15.5 ? fonts[1]
                                         : fonts[0];
    SendMessageW(controls[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  SetTimer(window, kBlinkTimer, kBlinkMs, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  SetFocus(controls[3]);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(window, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  for (HFONT font : fonts) DeleteObject(font);
  return static_cast<int>(message.wParam);
}
