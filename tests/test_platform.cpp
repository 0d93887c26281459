// Asking display servers whether they answer, before the toolkit connects: stand-in servers on
// private sockets that answer, take the connection and say nothing, or close it. Every question
// ends within its bound and leaves no descriptor open.
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QTemporaryDir>
#include <QTest>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <thread>
#include <tuple>
#include <utility>

#include "forms/qt/platform.h"

using vestora::qt::Answer;
using namespace std::chrono_literals;

Q_DECLARE_METATYPE(Answer)

namespace {

// What the stand-in does with a connection.
enum class Behaviour {
  Silent,       // takes it (the kernel does, without accept) and never says a word
  Answers,      // reads the first request, and replies at once if it is the protocol's
  AnswersLate,  // the same after 300 ms
  Closes,       // closes it unread
};

// Where the stand-in listens.
enum class Where { XAbstract, XTcp, Wayland };

int OpenDescriptors() {
  int count = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    ++count;
  }
  return count;
}

// A display server on its own socket, served by one thread, ended when the object goes.
class StandIn {
 public:
  StandIn(Behaviour behaviour, Where where, const QString& folder)
      : behaviour_(behaviour), where_(where) {
    if (pipe2(stop_, O_CLOEXEC) != 0) qFatal("pipe2");
    if (where == Where::XTcp) {
      listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_in address{};
      address.sin_family = AF_INET;
      address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      // A port that a display number reaches: 6000 and above.
      for (std::uint16_t port = 6500 + static_cast<std::uint16_t>(getpid() % 20000);; ++port) {
        address.sin_port = htons(port);
        if (bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0) {
          display_ = "127.0.0.1:" + std::to_string(port - 6000);
          break;
        }
      }
    } else {
      listener_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
      sockaddr_un address{};
      address.sun_family = AF_UNIX;
      socklen_t length = sizeof address;
      std::string path;
      if (where == Where::XAbstract) {
        // The abstract name libxcb tries first, for a display number no server here uses.
        const int number = 40000 + getpid() % 19000;
        display_ = ":" + std::to_string(number);
        path = "/tmp/.X11-unix/X" + std::to_string(number);
        std::memcpy(address.sun_path + 1, path.data(), path.size());
        length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size());
      } else {
        // A Wayland socket, named by its path.
        path = (folder + QStringLiteral("/wayland-test")).toStdString();
        display_ = path;
        std::memcpy(address.sun_path, path.data(), path.size());
      }
      if (bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0) {
        qFatal("bind %s: %s", path.c_str(), std::strerror(errno));
      }
    }
    if (listen(listener_, 4) != 0) qFatal("listen");
    if (behaviour != Behaviour::Silent) thread_ = std::thread([this] { Serve(); });
  }
  StandIn(const StandIn&) = delete;
  StandIn& operator=(const StandIn&) = delete;
  ~StandIn() {
    Stop();
    close(listener_);
    close(stop_[0]);
    close(stop_[1]);
  }

  // Waits until the stand-in has seen the client go (at most 2 s), so that the connection it
  // accepted is closed again: what is left open then is the client's.
  void Settle() {
    if (!thread_.joinable()) return;
    for (int i = 0; i < 200 && !served_; ++i) std::this_thread::sleep_for(10ms);
    Stop();
  }

  // The name to give the question: a DISPLAY, or the Wayland socket's path.
  const std::string& display() const { return display_; }

 private:
  void Stop() {
    const char stop = 's';
    [[maybe_unused]] const ssize_t written = write(stop_[1], &stop, 1);
    if (thread_.joinable()) thread_.join();
  }

  // Waits for fd to be readable; false when told to stop first.
  bool Await(int fd) {
    pollfd waits[2] = {{fd, POLLIN, 0}, {stop_[0], POLLIN, 0}};
    return poll(waits, 2, -1) > 0 && (waits[1].revents & POLLIN) == 0;
  }

  void Serve() {
    ServeOne();
    served_ = true;
  }

  void ServeOne() {
    if (!Await(listener_)) return;
    const int connection = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (connection < 0) return;
    if (behaviour_ == Behaviour::Closes) {
      close(connection);
      return;
    }
    unsigned char request[12] = {};
    std::size_t got = 0;
    while (got < sizeof request && Await(connection)) {
      const ssize_t n = read(connection, request + got, sizeof request - got);
      if (n <= 0) break;
      got += static_cast<std::size_t>(n);
    }
    if (got == sizeof request && IsFirstRequest(request)) {
      if (behaviour_ == Behaviour::AnswersLate) {
        pollfd wait = {stop_[0], POLLIN, 0};
        poll(&wait, 1, 300);
      }
      const unsigned char reply[8] = {1, 0, 11, 0, 0, 0, 0, 0};
      [[maybe_unused]] const ssize_t written = send(connection, reply, sizeof reply, MSG_NOSIGNAL);
      // Until the client closes its end.
      char rest[64];
      while (Await(connection) && read(connection, rest, sizeof rest) > 0) {
      }
    }
    close(connection);
  }

  // X's connection setup (protocol 11, either byte order), or Wayland's wl_display.sync.
  bool IsFirstRequest(const unsigned char* r) const {
    if (where_ == Where::Wayland) {
      std::uint32_t words[3];
      std::memcpy(words, r, sizeof words);
      return words[0] == 1 && words[1] == (12u << 16) && words[2] >= 2;
    }
    return (r[0] == 'l' && r[2] == 11 && r[3] == 0) || (r[0] == 'B' && r[2] == 0 && r[3] == 11);
  }

  Behaviour behaviour_;
  Where where_;
  int listener_ = -1;
  int stop_[2] = {-1, -1};
  std::string display_;
  std::atomic<bool> served_ = false;
  std::thread thread_;
};

// Sets an environment variable for one scope, or unsets it with nullptr.
class ScopedVariable {
 public:
  ScopedVariable(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name)) old_ = old;
    had_ = std::getenv(name) != nullptr;
    if (value) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ScopedVariable(const ScopedVariable&) = delete;
  ScopedVariable& operator=(const ScopedVariable&) = delete;
  ~ScopedVariable() {
    if (had_) {
      setenv(name_, old_.c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }

 private:
  const char* name_;
  std::string old_;
  bool had_ = false;
};

constexpr auto kShortBound = 400ms;

}  // namespace

class PlatformTest : public QObject {
  Q_OBJECT

 private slots:
  void asksEachServerWithinTheBound_data() {
    QTest::addColumn<int>("where");
    QTest::addColumn<int>("behaviour");
    QTest::addColumn<Answer>("expected");
    const std::pair<Where, const char*> places[] = {{Where::XAbstract, "X abstract socket"},
                                                    {Where::XTcp, "X over TCP"},
                                                    {Where::Wayland, "Wayland socket"}};
    const std::tuple<Behaviour, const char*, Answer> behaviours[] = {
        {Behaviour::Answers, "answers", Answer::Answered},
        {Behaviour::AnswersLate, "answers within the bound", Answer::Answered},
        {Behaviour::Silent, "never answers", Answer::Silent},
        {Behaviour::Closes, "closes unread", Answer::Refused}};
    for (const auto& [where, place] : places) {
      for (const auto& [behaviour, what, expected] : behaviours) {
        QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(place, what)))
            << static_cast<int>(where) << static_cast<int>(behaviour) << expected;
      }
    }
  }

  void asksEachServerWithinTheBound() {
    QFETCH(int, where);
    QFETCH(int, behaviour);
    QFETCH(Answer, expected);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    StandIn server(static_cast<Behaviour>(behaviour), static_cast<Where>(where), folder.path());
    const int before = OpenDescriptors();
    const auto bound = behaviour == static_cast<int>(Behaviour::AnswersLate) ? 2000ms : kShortBound;
    const Answer answer = static_cast<Where>(where) == Where::Wayland
                              ? vestora::qt::AskWaylandCompositor(server.display(), "", bound)
                              : vestora::qt::AskXServer(server.display(), bound);
    QCOMPARE(answer, expected);
    server.Settle();
    QCOMPARE(OpenDescriptors(), before);
  }

  // Names that reach no server at all: refused at once, no descriptor left.
  void nothingThereIsRefused_data() {
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::newRow("a display number no server has") << ":59000"
                                                    << "";
    QTest::newRow("no display number") << "localhost"
                                       << "";
    QTest::newRow("a protocol libxcb does not know") << "decnet/:0"
                                                     << "";
    QTest::newRow("a host name that is not found") << "no-such-host.invalid:0"
                                                   << "";
    QTest::newRow("a Wayland name with no runtime folder") << ""
                                                           << "wayland-0";
    QTest::newRow("a Wayland path where nothing listens") << ""
                                                          << "/nonexistent/wayland-0";
  }

  void nothingThereIsRefused() {
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    const int before = OpenDescriptors();
    const Answer answer =
        wayland.isEmpty()
            ? vestora::qt::AskXServer(display.toStdString(), vestora::qt::kAnswerBound)
            : vestora::qt::AskWaylandCompositor(wayland.toStdString(), "",
                                                vestora::qt::kAnswerBound);
    // A name lookup may find no resolver to ask within the bound: silent, not hung.
    QVERIFY2(answer == Answer::Refused || (display.contains("invalid") && answer == Answer::Silent),
             qPrintable(QString::number(static_cast<int>(answer))));
    QCOMPARE(OpenDescriptors(), before);
  }

  // The choice, from what the environment names: X wins where it answers; Wayland where only it
  // does; where none does, one line naming both variables; a platform the user names stays.
  void choosesWhatAnswers_data() {
    QTest::addColumn<int>("x");        // -1: DISPLAY unset, else a Behaviour
    QTest::addColumn<int>("wayland");  // the same for WAYLAND_DISPLAY
    QTest::addColumn<QString>("named");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("failure");
    const int kUnset = -1;
    const int kAnswers = static_cast<int>(Behaviour::Answers);
    const int kSilent = static_cast<int>(Behaviour::Silent);
    QTest::newRow("X answers") << kAnswers << kAnswers << ""
                               << "xcb"
                               << "";
    QTest::newRow("X silent, Wayland answers") << kSilent << kAnswers << ""
                                               << "wayland"
                                               << "";
    QTest::newRow("no DISPLAY, Wayland answers") << kUnset << kAnswers << ""
                                                 << "wayland"
                                                 << "";
    QTest::newRow("both silent")
        << kSilent << kSilent << ""
        << ""
        << "cannot open a display: DISPLAY \"%x\" gave no answer in 1 s, WAYLAND_DISPLAY "
           "\"%w\" gave no answer in 1 s";
    QTest::newRow("X silent, no WAYLAND_DISPLAY")
        << kSilent << kUnset << ""
        << ""
        << "cannot open a display: DISPLAY \"%x\" gave no answer in 1 s, WAYLAND_DISPLAY is not "
           "set";
    QTest::newRow("neither set") << kUnset << kUnset << ""
                                 << ""
                                 << "cannot open a display: DISPLAY is not set, WAYLAND_DISPLAY "
                                    "is not set";
    // The party not asked is silent: an answer from it would change nothing.
    QTest::newRow("xcb named, X silent")
        << kSilent << kSilent << "xcb"
        << ""
        << "cannot open a display: DISPLAY \"%x\" gave no answer in 1 s";
    QTest::newRow("xcb named, no DISPLAY") << kUnset << kSilent << "xcb"
                                           << ""
                                           << "cannot open a display: DISPLAY is not set";
    QTest::newRow("wayland named, Wayland answers") << kSilent << kAnswers << "wayland"
                                                    << ""
                                                    << "";
    QTest::newRow("another platform named") << kSilent << kSilent << "offscreen"
                                            << ""
                                            << "";
  }

  void choosesWhatAnswers() {
    QFETCH(int, x);
    QFETCH(int, wayland);
    QFETCH(QString, named);
    QFETCH(QString, platform);
    QFETCH(QString, failure);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    std::optional<StandIn> xServer;
    std::optional<StandIn> compositor;
    if (x >= 0) xServer.emplace(static_cast<Behaviour>(x), Where::XAbstract, folder.path());
    if (wayland >= 0) {
      compositor.emplace(static_cast<Behaviour>(wayland), Where::Wayland, folder.path());
    }
    const std::string xName = xServer ? xServer->display() : "";
    const std::string waylandName = compositor ? compositor->display() : "";
    ScopedVariable display("DISPLAY", xServer ? xName.c_str() : nullptr);
    ScopedVariable waylandDisplay("WAYLAND_DISPLAY", compositor ? waylandName.c_str() : nullptr);
    ScopedVariable waylandSocket("WAYLAND_SOCKET", nullptr);
    const QByteArray namedText = named.toUtf8();
    ScopedVariable qpa("QT_QPA_PLATFORM", named.isEmpty() ? nullptr : namedText.constData());
    const int before = OpenDescriptors();
    const vestora::qt::PlatformChoice choice = vestora::qt::ChoosePlatform(500ms);
    QCOMPARE(QString::fromStdString(choice.platform), platform);
    failure.replace(QStringLiteral("%x"), QString::fromStdString(xName));
    failure.replace(QStringLiteral("%w"), QString::fromStdString(waylandName));
    QCOMPARE(QString::fromStdString(choice.failure), failure);
    if (xServer) xServer->Settle();
    if (compositor) compositor->Settle();
    QCOMPARE(OpenDescriptors(), before);
  }
};

QTEST_GUILESS_MAIN(PlatformTest)
#include "test_platform.moc"
