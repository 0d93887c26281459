#include "forms/qt/platform.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string_view>

namespace vestora::qt {
namespace {

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

// An X server takes a connection on the display named by DISPLAY (whatever form it has: a
// socket, a host, an authority to show).
bool XServerAnswers() {
  if (Environment("DISPLAY").empty()) return false;
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  const bool answers = xcb_connection_has_error(connection) == 0;
  xcb_disconnect(connection);
  return answers;
}

// A Wayland compositor listens where WAYLAND_DISPLAY says (a path, or a name in
// XDG_RUNTIME_DIR), or hands its socket over in WAYLAND_SOCKET. Without either the program is in
// no Wayland session: a compositor's default socket found anyway may be another user's desktop
// seen from a remote shell.
bool WaylandCompositorAnswers() {
  if (!Environment("WAYLAND_SOCKET").empty()) return true;
  std::string path(Environment("WAYLAND_DISPLAY"));
  if (path.empty()) return false;
  if (path.front() != '/') {
    const std::string_view runtime = Environment("XDG_RUNTIME_DIR");
    if (runtime.empty()) return false;
    path = std::string(runtime) + "/" + path;
  }
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.size() >= sizeof address.sun_path) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answers =
      connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return answers;
}

}  // namespace

std::string ChoosePlatform() {
  if (!Environment("QT_QPA_PLATFORM").empty()) return {};
  if (XServerAnswers()) return "xcb";
  return WaylandCompositorAnswers() ? "wayland" : "xcb";
}

ToolkitCommandLine::ToolkitCommandLine(char* program) : platform_(ChoosePlatform()) {
  argv_[0] = program;
  if (!platform_.empty()) {
    argv_[1] = option_.data();
    argv_[2] = platform_.data();
    argc_ = 3;
  }
}

}  // namespace vestora::qt
