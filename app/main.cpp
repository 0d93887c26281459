// Vestora: a catalog of avatar outfits and scene backgrounds. It reads no file or setting; the
// whole catalog is built in. Its command line takes --help and --version only (see vestora(1)):
// both answer without a display, and anything else is refused with exit status 2.
#include <unistd.h>

#include <QApplication>
#include <QByteArray>
#include <QMessageLogContext>
#include <QString>
#include <QtGlobal>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "app/application.h"
#include "forms/qt/fonts.h"
#include "forms/qt/platform.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/x11_titles.h"

namespace {

constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;  // a wrong command line, as with the GNU tools

constexpr std::string_view kUsage =
    "Usage: vestora [--help | --version]\n"
    "Shows Vestora, a catalog of avatar outfit and scene background pictures, in\n"
    "windows on the X display named by DISPLAY, or where no X server answers there,\n"
    "on the Wayland compositor named by WAYLAND_DISPLAY.\n"
    "\n"
    "  --help     print this help and exit\n"
    "  --version  print the version and exit\n";

// What the command line asks for.
enum class Request { Start, Help, Version, UsageError };

// Every argument is checked before any is acted on; of --help and --version the first wins.
// Nothing reaches the toolkit, so its own options (-style, -display, ...) are refused too.
Request ReadCommandLine(int argc, char* argv[]) {
  Request request = Request::Start;
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "--version") {
      if (request == Request::Start) {
        request = argument == "--help" ? Request::Help : Request::Version;
      }
      continue;
    }
    std::fprintf(stderr, "vestora: unknown argument \"%s\" (vestora --help lists the options)\n",
                 vestora::qt::ShownOnOneLine(argument).c_str());
    return Request::UsageError;
  }
  return request;
}

// Writes text to standard output; a failed write (a full disk, a closed pipe) is an error.
int Print(std::string_view text) {
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size() || std::fflush(stdout) != 0) {
    std::fprintf(stderr, "vestora: cannot write to standard output: %s\n", std::strerror(errno));
    return kExitFailure;
  }
  return EXIT_SUCCESS;
}

// While the application object connects to the display, the toolkit's messages are held back.
// When it cannot open any display it ends the process through a fatal message (an abort, with
// advice to reinstall); this handler ends it instead with one line that names the display, and
// exit status 1. Once the application object exists, the held messages go out as usual.
struct HeldMessage {
  QtMsgType type;
  QByteArray category;
  QString text;
};
std::mutex heldMutex;
std::vector<HeldMessage> heldMessages;
QtMessageHandler toolkitHandler = nullptr;

bool ConnectionFailed() {
  for (const HeldMessage& message : heldMessages) {
    if (message.text.contains(QLatin1String("connect to display")) ||
        message.text.contains(QLatin1String("wl_display"))) {
      return true;
    }
  }
  return false;
}

void HoldWhileStarting(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  const std::lock_guard lock(heldMutex);
  if (type != QtFatalMsg) {
    heldMessages.push_back({type, QByteArray(context.category ? context.category : ""), text});
    return;
  }
  if (ConnectionFailed()) {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') {
      std::fputs("vestora: cannot open a display: DISPLAY is not set\n", stderr);
    } else {
      std::fprintf(stderr, "vestora: cannot open display \"%s\" named by DISPLAY\n",
                   vestora::qt::ShownOnOneLine(display).c_str());
    }
  } else {
    // Some other failure of the toolkit's start (a platform plugin missing, say): its own words.
    for (const HeldMessage& message : heldMessages) {
      std::fprintf(stderr, "%s\n", qUtf8Printable(message.text));
    }
    std::fprintf(stderr, "vestora: %s\n", qUtf8Printable(text));
  }
  std::fflush(stderr);
  // No abort and no core: the threads still running (the font configuration's) need no cleanup.
  _exit(kExitFailure);
}

void ReleaseHeldMessages() {
  qInstallMessageHandler(toolkitHandler);
  const std::lock_guard lock(heldMutex);
  for (const HeldMessage& message : heldMessages) {
    const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
    qt_message_output(message.type, context, message.text);
  }
  heldMessages.clear();
  heldMessages.shrink_to_fit();
}

}  // namespace

int main(int argc, char* argv[]) {
  switch (ReadCommandLine(argc, argv)) {
    case Request::Help:
      return Print(kUsage);
    case Request::Version:
      return Print("vestora " VESTORA_VERSION "\n");
    case Request::UsageError:
      return kExitUsage;
    case Request::Start:
      break;
  }

  // Every display server named is asked, within a bound, before the toolkit connects to one
  // without any: none that answers ends the program with one line.
  vestora::qt::PlatformChoice platform = vestora::qt::ChoosePlatform();
  if (!platform.failure.empty()) {
    std::fprintf(stderr, "vestora: %s\n", platform.failure.c_str());
    return kExitFailure;
  }
  vestora::qt::AvoidSilentAccessibilityBus();
  vestora::qt::BeginReadingFontConfiguration();
  toolkitHandler = qInstallMessageHandler(HoldWhileStarting);
  // Only the program's name and the platform chosen for it reach the toolkit: options such as
  // -stylesheet or -style on the command line are not read.
  vestora::qt::ToolkitCommandLine toolkit(argv[0], std::move(platform.platform));
  QApplication application(toolkit.argc(), toolkit.argv());
  ReleaseHeldMessages();
  vestora::qt::KeepX11TitlesInUtf8();
  // Desktops match the program's windows to its desktop entry by this name (the app id on Wayland).
  QGuiApplication::setDesktopFileName(QStringLiteral("org.vestora.Vestora"));
  vestora::qt::PrepareApplication();
  vestora::qt::QtRuntime runtime;
  vestora::app::Application program(runtime);
  return program.Run();
}
