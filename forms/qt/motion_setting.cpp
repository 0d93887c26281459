#include "forms/qt/motion_setting.h"

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusVariant>
#include <QObject>
#include <QTimer>
#include <array>
#include <utility>

namespace vestora::qt {
namespace {

const QString kService = QStringLiteral("org.freedesktop.portal.Desktop");
const QString kPath = QStringLiteral("/org/freedesktop/portal/desktop");
const QString kInterface = QStringLiteral("org.freedesktop.portal.Settings");
// The portal may first have to be started by the bus; nothing waits for it meanwhile.
constexpr int kReadTimeoutMs = 10'000;

// The settings read, what each is about, and how each says it.
enum class About { Motion, Contrast, Scheme };
enum class Meaning { OneIsYes, FalseIsYes, ZeroIsYes, TrueIsYes, Number };
struct Setting {
  const char* nameSpace;
  const char* key;
  About about;
  Meaning meaning;
};
constexpr std::array<Setting, 6> kSettings = {{
    // Animations off.
    {"org.freedesktop.appearance", "reduced-motion", About::Motion, Meaning::OneIsYes},
    {"org.gnome.desktop.interface", "enable-animations", About::Motion, Meaning::FalseIsYes},
    {"org.kde.kdeglobals.KDE", "AnimationDurationFactor", About::Motion, Meaning::ZeroIsYes},
    // Higher contrast: the standard key where the portal has it, else GNOME's own switch.
    {"org.freedesktop.appearance", "contrast", About::Contrast, Meaning::OneIsYes},
    {"org.gnome.desktop.a11y.interface", "high-contrast", About::Contrast, Meaning::TrueIsYes},
    // 0 no preference, 1 dark, 2 light.
    {"org.freedesktop.appearance", "color-scheme", About::Scheme, Meaning::Number},
}};

// What each setting said: 1 for yes (or the number), 0 for no, also when it is unset or of
// another type.
std::array<unsigned, kSettings.size()> said = {};
void (*contrastListener)() = nullptr;

// The value inside the variants the portal wraps it in (Read wraps it twice).
QVariant Unwrapped(QVariant value) {
  while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
    value = value.value<QDBusVariant>().variant();
  }
  return value;
}

unsigned Says(Meaning meaning, const QVariant& value) {
  const bool isUint = value.metaType() == QMetaType::fromType<uint>();
  const bool isBool = value.metaType() == QMetaType::fromType<bool>();
  switch (meaning) {
    case Meaning::OneIsYes:
      return isUint && value.toUInt() == 1 ? 1 : 0;
    case Meaning::FalseIsYes:
      return isBool && !value.toBool() ? 1 : 0;
    case Meaning::TrueIsYes:
      return isBool && value.toBool() ? 1 : 0;
    case Meaning::ZeroIsYes: {
      const bool zero = value.canConvert<double>() &&
                        value.metaType() != QMetaType::fromType<QString>() &&
                        value.toDouble() == 0.0;
      return zero ? 1 : 0;
    }
    case Meaning::Number:
      return isUint ? value.toUInt() : 0;
  }
  return 0;
}

bool AnySays(About about) {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (kSettings[i].about == about && said[i] == 1) return true;
  }
  return false;
}

void Note(const QString& nameSpace, const QString& key, const QVariant& value) {
  const bool contrastBefore = AnySays(About::Contrast);
  const DesktopScheme schemeBefore = DesktopColorScheme();
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (nameSpace == QLatin1String(kSettings[i].nameSpace) &&
        key == QLatin1String(kSettings[i].key)) {
      said[i] = Says(kSettings[i].meaning, Unwrapped(value));
    }
  }
  // The scheme matters only while high contrast is on.
  const bool contrast = AnySays(About::Contrast);
  const bool changed =
      contrast != contrastBefore || (contrast && DesktopColorScheme() != schemeBefore);
  if (changed && contrastListener != nullptr) contrastListener();
}

}  // namespace

// Receives the portal's announcements of changed settings: a namespace, a key and the value. The
// slot takes the whole message: Qt 6.4's D-Bus does not connect a bus signal to a slot that takes
// a QDBusVariant.
class MotionSettingListener final : public QObject {
  Q_OBJECT

 public:
  using QObject::QObject;

 public slots:
  void SettingChanged(const QDBusMessage& message) {
    const QList<QVariant> arguments = message.arguments();
    if (arguments.size() != 3) return;
    Note(arguments[0].toString(), arguments[1].toString(), arguments[2]);
  }
};

namespace {

void Read(QDBusConnection& bus, const Setting& setting) {
  QDBusMessage call =
      QDBusMessage::createMethodCall(kService, kPath, kInterface, QStringLiteral("Read"));
  call << QString::fromLatin1(setting.nameSpace) << QString::fromLatin1(setting.key);
  auto* watcher = new QDBusPendingCallWatcher(bus.asyncCall(call, kReadTimeoutMs), qApp);
  QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                   [setting](QDBusPendingCallWatcher* finished) {
                     // An unknown key, or no portal at all, is an error: the setting says nothing.
                     const QDBusPendingReply<QVariant> reply = *finished;
                     if (!reply.isError()) {
                       Note(QString::fromLatin1(setting.nameSpace),
                            QString::fromLatin1(setting.key), reply.value());
                     }
                     finished->deleteLater();
                   });
}

void ReadAll() {
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  auto* listener = new MotionSettingListener(qApp);
  // From any sender: naming the portal's service would have the toolkit look up its owner on the
  // bus there and then, a call that waits for its answer.
  bus.connect(QString(), kPath, kInterface, QStringLiteral("SettingChanged"), listener,
              SLOT(SettingChanged(QDBusMessage)));
  for (const Setting& setting : kSettings) Read(bus, setting);
}

}  // namespace

void BeginReadingMotionSetting() {
  static bool begun = false;
  if (std::exchange(begun, true)) return;
  QTimer::singleShot(0, qApp, ReadAll);
}

bool DesktopAnimationsOff() {
  return AnySays(About::Motion);
}

bool DesktopHighContrast() {
  return AnySays(About::Contrast);
}

DesktopScheme DesktopColorScheme() {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (kSettings[i].about == About::Scheme && said[i] <= 2) {
      return static_cast<DesktopScheme>(said[i]);
    }
  }
  return DesktopScheme::NoPreference;
}

void FollowContrastSetting(void (*changed)()) {
  contrastListener = changed;
}

}  // namespace vestora::qt

#include "motion_setting.moc"
