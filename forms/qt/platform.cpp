#include "forms/qt/platform.h"

#include <arpa/inet.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QString>
#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <tuple>
#include <vector>

namespace vestora::qt {
namespace {

using Clock = std::chrono::steady_clock;

std::string_view Environment(const char* name) {
  const char* value = std::getenv(name);
  return value == nullptr ? std::string_view() : std::string_view(value);
}

std::string Quoted(std::string_view value) {
  std::string quoted = "\"";
  quoted += ShownOnOneLine(value);
  quoted += '"';
  return quoted;
}

struct Address {
  sockaddr_storage storage{};
  socklen_t length = 0;
};

// A socket in the file system, or with `abstract` in Linux's abstract namespace (as libxcb tries
// an X server's first).
std::optional<Address> UnixAddress(std::string_view path, bool abstract) {
  Address address;
  sockaddr_un local{};
  local.sun_family = AF_UNIX;
  const std::size_t offset = abstract ? 1 : 0;
  if (path.empty() || offset + path.size() >= sizeof local.sun_path) return std::nullopt;
  std::memcpy(local.sun_path + offset, path.data(), path.size());
  std::memcpy(&address.storage, &local, sizeof local);
  address.length = abstract
                       ? static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + path.size())
                       : static_cast<socklen_t>(sizeof local);
  return address;
}

// A host name looked up without blocking (getaddrinfo_a). A lookup still running when the bound
// passes is cancelled; one that cannot be cancelled keeps its request, which the resolver still
// writes to, until the program ends.
class Lookup {
 public:
  Lookup(std::string host, std::uint16_t port) : request_(std::make_unique<Request>()) {
    request_->host = std::move(host);
    request_->port = std::to_string(port);
    request_->hints.ai_socktype = SOCK_STREAM;
    request_->hints.ai_flags = AI_ADDRCONFIG;
    request_->block.ar_name = request_->host.c_str();
    request_->block.ar_service = request_->port.c_str();
    request_->block.ar_request = &request_->hints;
    gaicb* list[] = {&request_->block};
    started_ = getaddrinfo_a(GAI_NOWAIT, list, 1, nullptr) == 0;
  }
  Lookup(const Lookup&) = delete;
  Lookup& operator=(const Lookup&) = delete;
  ~Lookup() {
    if (started_ && gai_error(&request_->block) == EAI_INPROGRESS &&
        gai_cancel(&request_->block) == EAI_NOTCANCELED) {
      static std::vector<std::unique_ptr<Request>> abandoned;
      abandoned.push_back(std::move(request_));
      return;
    }
    if (request_->block.ar_result != nullptr) freeaddrinfo(request_->block.ar_result);
  }

  // Whether the lookup has ended, found or not.
  bool Done() const { return !started_ || gai_error(&request_->block) != EAI_INPROGRESS; }

  std::vector<Address> Found() const {
    std::vector<Address> found;
    if (!started_ || gai_error(&request_->block) != 0) return found;
    for (const addrinfo* info = request_->block.ar_result; info != nullptr; info = info->ai_next) {
      if (info->ai_addrlen > sizeof(sockaddr_storage)) continue;
      Address address;
      std::memcpy(&address.storage, info->ai_addr, info->ai_addrlen);
      address.length = info->ai_addrlen;
      found.push_back(address);
    }
    return found;
  }

 private:
  struct Request {
    std::string host;
    std::string port;
    addrinfo hints{};
    gaicb block{};
  };
  std::unique_ptr<Request> request_;
  bool started_ = false;
};

// One conversation with a display server: its addresses tried in turn until one takes the
// connection, a first request written, and a wait for any reply.
class Conversation {
 public:
  explicit Conversation(std::string greeting) : greeting_(std::move(greeting)) {}
  Conversation(const Conversation&) = delete;
  Conversation& operator=(const Conversation&) = delete;
  ~Conversation() { CloseSocket(); }

  void Add(const Address& address) { addresses_.push_back(address); }
  void LookUp(std::string host, std::uint16_t port) {
    lookup_ = std::make_unique<Lookup>(std::move(host), port);
  }
  void Settle(Answer answer) { answer_ = answer; }

  std::optional<Answer> answer() const { return answer_; }
  bool LookingUp() const { return !answer_ && lookup_ != nullptr; }

  // Tries the addresses from the first.
  void Begin() {
    if (!answer_ && lookup_ == nullptr) ConnectNext();
  }

  // The descriptor to wait on and what for; -1 when none.
  pollfd Wait() const {
    if (answer_ || fd_ < 0) return {-1, 0, 0};
    const bool writing = connecting_ || written_ < greeting_.size();
    return {fd_, static_cast<short>(writing ? POLLOUT : POLLIN), 0};
  }

  // After a wait: carries on with what the socket or the lookup allows.
  void Advance(short events) {
    if (answer_) return;
    if (lookup_ != nullptr) {
      if (!lookup_->Done()) return;
      for (const Address& address : lookup_->Found()) addresses_.push_back(address);
      lookup_.reset();
      ConnectNext();
      return;
    }
    if (fd_ < 0 || events == 0) return;
    if (connecting_) {
      int error = 0;
      socklen_t length = sizeof error;
      if (getsockopt(fd_, SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) {
        ConnectNext();
        return;
      }
      connecting_ = false;
      Write();
      return;
    }
    if (written_ < greeting_.size()) {
      Write();
      return;
    }
    char reply[64];
    const ssize_t received = recv(fd_, reply, sizeof reply, MSG_DONTWAIT);
    if (received > 0) {
      Finish(Answer::Answered);
    } else if (received == 0 || (errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR)) {
      Finish(Answer::Refused);
    }
  }

  // The bound has passed.
  void TimeOut() {
    if (!answer_) Finish(lookup_ != nullptr || fd_ >= 0 ? Answer::Silent : Answer::Refused);
  }

 private:
  void CloseSocket() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

  void Finish(Answer answer) {
    CloseSocket();
    lookup_.reset();
    answer_ = answer;
  }

  void ConnectNext() {
    CloseSocket();
    while (next_ < addresses_.size()) {
      const Address& address = addresses_[next_++];
      fd_ = socket(address.storage.ss_family, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
      if (fd_ < 0) continue;
      if (connect(fd_, reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0) {
        connecting_ = false;
        Write();
        return;
      }
      if (errno == EINPROGRESS) {
        connecting_ = true;
        return;
      }
      CloseSocket();
    }
    Finish(Answer::Refused);
  }

  void Write() {
    while (written_ < greeting_.size()) {
      const ssize_t sent =
          send(fd_, greeting_.data() + written_, greeting_.size() - written_, MSG_NOSIGNAL);
      if (sent > 0) {
        written_ += static_cast<std::size_t>(sent);
      } else if (sent < 0 && errno == EINTR) {
        continue;
      } else {
        if (sent < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;
        Finish(Answer::Refused);
        return;
      }
    }
  }

  std::string greeting_;
  std::vector<Address> addresses_;
  std::size_t next_ = 0;
  std::unique_ptr<Lookup> lookup_;
  int fd_ = -1;
  bool connecting_ = false;
  std::size_t written_ = 0;
  std::optional<Answer> answer_;
};

// Runs the conversations side by side until each has an answer, `enough` says the rest do not
// matter, or the bound passes.
template <typename Enough>
void Converse(const std::vector<Conversation*>& conversations, std::chrono::milliseconds bound,
              Enough enough) {
  const Clock::time_point deadline = Clock::now() + bound;
  for (Conversation* conversation : conversations) conversation->Begin();
  for (;;) {
    const bool pending = std::ranges::any_of(
        conversations, [](const Conversation* c) { return !c->answer().has_value(); });
    if (!pending || enough()) return;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) break;
    std::vector<pollfd> waits;
    bool lookingUp = false;
    for (const Conversation* conversation : conversations) {
      waits.push_back(conversation->Wait());
      lookingUp = lookingUp || conversation->LookingUp();
    }
    // A lookup tells nothing to poll: it is looked at every 10 ms.
    const auto wait = lookingUp ? std::min(left, std::chrono::milliseconds(10)) : left;
    const int ready = poll(waits.data(), waits.size(), static_cast<int>(wait.count()));
    if (ready < 0 && errno != EINTR) break;
    for (std::size_t i = 0; i < conversations.size(); ++i) {
      conversations[i]->Advance(ready > 0 ? waits[i].revents : 0);
    }
  }
  for (Conversation* conversation : conversations) conversation->TimeOut();
}

// The X connection setup request: little-endian byte order, protocol 11.0, no authorization.
// Every server replies (Success, Failed or Authenticate) in its first bytes.
std::string XGreeting() {
  return std::string("l\0\x0b\0\0\0\0\0\0\0\0\0", 12);
}

// wl_display (object 1) sync, opcode 0, twelve bytes, a new callback as object 2: the compositor
// answers with the callback's done event. In the machine's own byte order, as the protocol is.
std::string WaylandGreeting() {
  const std::uint32_t words[3] = {1, (12u << 16) | 0u, 2};
  return std::string(reinterpret_cast<const char*>(words), sizeof words);
}

// Sets up the conversation with the X server on `name`, as libxcb would connect: for a local
// display its abstract socket, its socket in /tmp/.X11-unix, then TCP on the local host; for a
// host, TCP on port 6000 + the display number. False where the name is no display name.
bool PrepareX(Conversation& conversation, std::string_view name) {
  std::string_view protocol;
  if (const std::size_t slash = name.rfind('/'); slash != std::string_view::npos) {
    protocol = name.substr(0, slash);
    name = name.substr(slash + 1);
  }
  const std::size_t colon = name.rfind(':');
  if (colon == std::string_view::npos) return false;
  std::string_view host = name.substr(0, colon);
  const std::string_view rest = name.substr(colon + 1);
  const std::size_t dot = rest.find('.');
  const std::string_view number = rest.substr(0, dot);
  if (number.empty() || number.size() > 5 ||
      !std::ranges::all_of(number, [](char c) { return c >= '0' && c <= '9'; })) {
    return false;
  }
  if (dot != std::string_view::npos) {
    const std::string_view screen = rest.substr(dot + 1);
    if (screen.empty() || !std::ranges::all_of(screen, [](char c) { return c >= '0' && c <= '9'; }))
      return false;
  }
  const int display = std::atoi(std::string(number).c_str());
  if (6000 + display > 65535) return false;
  const auto port = static_cast<std::uint16_t>(6000 + display);

  const bool tcp = protocol != "unix" && !host.empty() && host != "unix";
  if (!tcp) {
    if (!protocol.empty() && protocol != "unix") return true;  // nothing to try: refused
    const std::string file = "/tmp/.X11-unix/X" + std::string(number);
    for (const bool abstract : {true, false}) {
      if (const auto address = UnixAddress(file, abstract)) conversation.Add(*address);
    }
    if (!protocol.empty() || !host.empty()) return true;
    host = "localhost";
  } else if (!protocol.empty() && protocol != "tcp" && protocol != "inet" && protocol != "inet6") {
    return true;
  }
  if (host.size() > 2 && host.front() == '[' && host.back() == ']') {
    host = host.substr(1, host.size() - 2);
  }
  // An address written out needs no lookup; "localhost" is the loopback addresses.
  const std::string hostText(host);
  sockaddr_in v4{};
  sockaddr_in6 v6{};
  v4.sin_family = AF_INET;
  v4.sin_port = htons(port);
  v6.sin6_family = AF_INET6;
  v6.sin6_port = htons(port);
  const bool local = host == "localhost";
  const bool isV4 = inet_pton(AF_INET, local ? "127.0.0.1" : hostText.c_str(), &v4.sin_addr) == 1;
  const bool isV6 = inet_pton(AF_INET6, local ? "::1" : hostText.c_str(), &v6.sin6_addr) == 1;
  for (const auto& [given, raw, length] :
       {std::tuple{isV4, static_cast<const void*>(&v4), sizeof v4},
        std::tuple{isV6, static_cast<const void*>(&v6), sizeof v6}}) {
    if (!given) continue;
    Address address;
    std::memcpy(&address.storage, raw, length);
    address.length = static_cast<socklen_t>(length);
    conversation.Add(address);
  }
  if (!isV4 && !isV6) conversation.LookUp(hostText, port);
  return true;
}

// The Wayland socket's path: WAYLAND_DISPLAY itself when absolute, else in the runtime folder.
std::optional<Address> WaylandAddress(std::string_view name, std::string_view runtimeDirectory) {
  if (name.front() == '/') return UnixAddress(name, false);
  if (runtimeDirectory.empty()) return std::nullopt;
  return UnixAddress(std::string(runtimeDirectory) + "/" + std::string(name), false);
}

// What the user reads about one of the two variables.
std::string Told(std::string_view variable, std::string_view value, Answer answer,
                 std::chrono::milliseconds bound) {
  std::string told(variable);
  switch (answer) {
    case Answer::Unnamed:
      return told + " is not set";
    case Answer::Answered:
      return told + " " + Quoted(value) + " answers";
    case Answer::Refused:
      return told + " " + Quoted(value) + " does not answer";
    case Answer::Silent:
      return told + " " + Quoted(value) + " gave no answer in " +
             std::to_string((bound.count() + 999) / 1000) + " s";
  }
  return told;
}

}  // namespace

std::string ShownOnOneLine(std::string_view value) {
  std::string shown;
  for (const char c : value) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) {
      static constexpr char kHex[] = "0123456789abcdef";
      shown += "\\x";
      shown += kHex[byte >> 4];
      shown += kHex[byte & 0xF];
    } else {
      shown += c;
    }
  }
  return shown;
}

Answer AskXServer(std::string_view display, std::chrono::milliseconds bound) {
  if (display.empty()) return Answer::Unnamed;
  Conversation conversation(XGreeting());
  if (!PrepareX(conversation, display)) return Answer::Refused;
  Converse({&conversation}, bound, [] { return false; });
  return *conversation.answer();
}

Answer AskWaylandCompositor(std::string_view waylandDisplay, std::string_view runtimeDirectory,
                            std::chrono::milliseconds bound) {
  if (waylandDisplay.empty()) return Answer::Unnamed;
  const std::optional<Address> address = WaylandAddress(waylandDisplay, runtimeDirectory);
  if (!address) return Answer::Refused;
  Conversation conversation(WaylandGreeting());
  conversation.Add(*address);
  Converse({&conversation}, bound, [] { return false; });
  return *conversation.answer();
}

PlatformChoice ChoosePlatform(std::chrono::milliseconds bound) {
  // A platform the user names is not replaced, but where it is X or Wayland, a server that does
  // not answer is told at once rather than waited for.
  const std::string_view named = Environment("QT_QPA_PLATFORM");
  const std::string_view namedBase = named.substr(0, named.find(':'));
  const bool userChose = !named.empty();
  const bool askX = !userChose || namedBase == "xcb";
  // A compositor that hands its socket over in WAYLAND_SOCKET is taken at its word: asking
  // there would disturb the conversation the toolkit takes over. Without WAYLAND_DISPLAY the
  // program is in no Wayland session: a compositor's default socket found anyway may be another
  // user's desktop seen from a remote shell.
  const bool waylandSocket = !Environment("WAYLAND_SOCKET").empty();
  const bool askWayland = !userChose || namedBase.starts_with("wayland");

  const std::string_view display = Environment("DISPLAY");
  const std::string_view waylandDisplay = Environment("WAYLAND_DISPLAY");
  Conversation x(XGreeting());
  Conversation wayland(WaylandGreeting());
  std::vector<Conversation*> asked;
  if (askX) {
    if (display.empty()) {
      x.Settle(Answer::Unnamed);
    } else if (!PrepareX(x, display)) {
      x.Settle(Answer::Refused);
    }
    asked.push_back(&x);
  }
  if (askWayland) {
    if (waylandSocket) {
      wayland.Settle(Answer::Answered);
    } else if (waylandDisplay.empty()) {
      wayland.Settle(Answer::Unnamed);
    } else if (const auto address =
                   WaylandAddress(waylandDisplay, Environment("XDG_RUNTIME_DIR"))) {
      wayland.Add(*address);
    } else {
      wayland.Settle(Answer::Refused);
    }
    asked.push_back(&wayland);
  }
  if (asked.empty()) return {};
  // X is preferred: once it answers, Wayland's answer no longer matters.
  Converse(asked, bound, [&] { return askX && x.answer() == Answer::Answered; });

  PlatformChoice choice;
  if (askX && x.answer() == Answer::Answered) {
    if (!userChose) choice.platform = "xcb";
    return choice;
  }
  if (askWayland && wayland.answer() == Answer::Answered) {
    if (!userChose) choice.platform = "wayland";
    return choice;
  }
  if (askX) choice.failure = Told("DISPLAY", display, *x.answer(), bound);
  if (askWayland) {
    if (!choice.failure.empty()) choice.failure += ", ";
    choice.failure += waylandSocket
                          ? std::string("WAYLAND_SOCKET")
                          : Told("WAYLAND_DISPLAY", waylandDisplay, *wayland.answer(), bound);
  }
  choice.failure = "cannot open a display: " + choice.failure;
  return choice;
}

void AvoidSilentAccessibilityBus(std::chrono::milliseconds bound) {
  if (!Environment("QT_LINUX_ACCESSIBILITY_ALWAYS_ON").empty()) return;
  // A connection of its own, ended here: the toolkit's shared one is not yet made.
  const QString name = QStringLiteral("vestora-accessibility-bus-question");
  bool silent = false;
  {
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, name);
    if (bus.isConnected()) {
      // What the toolkit asks first. No bus, or no one owning the name, is an error at once.
      QDBusMessage get = QDBusMessage::createMethodCall(
          QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
          QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
      get << QStringLiteral("org.a11y.Status") << QStringLiteral("IsEnabled");
      // A bus that nobody runs yet is not started for the question: the toolkit does not start
      // it either, it only asks one that runs.
      get.setAutoStartService(false);
      const QDBusMessage reply = bus.call(get, QDBus::Block, static_cast<int>(bound.count()));
      silent = reply.type() == QDBusMessage::ErrorMessage &&
               reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.NoReply");
    }
  }
  QDBusConnection::disconnectFromBus(name);
  if (silent) setenv("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", "1", 1);
}

ToolkitCommandLine::ToolkitCommandLine(char* program, std::string platform)
    : platform_(std::move(platform)) {
  argv_[0] = program;
  if (!platform_.empty()) {
    argv_[1] = option_.data();
    argv_[2] = platform_.data();
    argc_ = 3;
  }
}

}  // namespace vestora::qt
