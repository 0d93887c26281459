// Asks an X window to close the way a window manager does: a WM_DELETE_WINDOW message under
// WM_PROTOCOLS (ICCCM 4.2.8.1). The tests run without a window manager, and destroying the window
// instead would look to the program like a lost connection, not like the user closing it.
//   vestora-e2e-close WINDOW-ID     (decimal or 0x-prefixed hexadecimal)
#include <X11/Xlib.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace {

int Fail(const char* message) {
  std::fprintf(stderr, "vestora-e2e-close: %s\n", message);
  return 1;
}

bool caughtError = false;

int NoteError(Display*, XErrorEvent*) {
  caughtError = true;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) return Fail("usage: vestora-e2e-close WINDOW-ID");
  char* end = nullptr;
  errno = 0;
  const unsigned long window = std::strtoul(argv[1], &end, 0);
  if (errno != 0 || end == argv[1] || *end != '\0' || window == 0) {
    return Fail("the window id is not a number");
  }

  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) return Fail("cannot open the display");
  XSetErrorHandler(NoteError);

  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = window;
  event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display, window, False, NoEventMask, &event);
  XSync(display, False);
  XCloseDisplay(display);
  return caughtError ? Fail("no such window") : 0;
}
