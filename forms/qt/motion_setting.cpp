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

// The settings that can say "no animations", and how each says it.
enum class Meaning { ReducedMotionIsOne, FalseIsOff, ZeroIsOff };
struct Setting {
  const char* nameSpace;
  const char* key;
  Meaning meaning;
};
constexpr std::array<Setting, 3> kSettings = {{
    {"org.freedesktop.appearance", "reduced-motion", Meaning::ReducedMotionIsOne},
    {"org.gnome.desktop.interface", "enable-animations", Meaning::FalseIsOff},
    {"org.kde.kdeglobals.KDE", "AnimationDurationFactor", Meaning::ZeroIsOff},
}};

// What each setting said: animations off, or not (also when it is unset or of another type).
std::array<bool, kSettings.size()> saysOff = {};

// The value inside the variants the portal wraps it in (Read wraps it twice).
QVariant Unwrapped(QVariant value) {
  while (value.metaType() == QMetaType::fromType<QDBusVariant>()) {
    value = value.value<QDBusVariant>().variant();
  }
  return value;
}

bool SaysOff(Meaning meaning, const QVariant& value) {
  switch (meaning) {
    case Meaning::ReducedMotionIsOne:
      return value.metaType() == QMetaType::fromType<uint>() && value.toUInt() == 1;
    case Meaning::FalseIsOff:
      return value.metaType() == QMetaType::fromType<bool>() && !value.toBool();
    case Meaning::ZeroIsOff:
      return value.canConvert<double>() && value.metaType() != QMetaType::fromType<QString>() &&
             value.toDouble() == 0.0;
  }
  return false;
}

void Note(const QString& nameSpace, const QString& key, const QVariant& value) {
  for (std::size_t i = 0; i < kSettings.size(); ++i) {
    if (nameSpace == QLatin1String(kSettings[i].nameSpace) &&
        key == QLatin1String(kSettings[i].key)) {
      saysOff[i] = SaysOff(kSettings[i].meaning, Unwrapped(value));
    }
  }
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
  for (const bool off : saysOff) {
    if (off) return true;
  }
  return false;
}

}  // namespace vestora::qt

#include "motion_setting.moc"
