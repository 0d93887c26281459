#include "forms/qt/x11_titles.h"

#include <QtGui/qguiapplication_platform.h>
#include <xcb/xcb.h>

#include <QApplication>
#include <QByteArray>
#include <QEvent>
#include <QGuiApplication>
#include <QObject>
#include <QWidget>
#include <cstdint>
#include <cstdlib>

namespace vestora::qt {
namespace {

class TitleWriter final : public QObject {
 public:
  TitleWriter(xcb_connection_t* connection, xcb_atom_t utf8String)
      : QObject(qApp), connection_(connection), utf8String_(utf8String) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    // The show event comes after the native window has its title, before it is mapped.
    if (event->type() != QEvent::Show && event->type() != QEvent::WindowTitleChange) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || !widget->isWindow() || !widget->testAttribute(Qt::WA_WState_Created)) {
      return false;
    }
    const QByteArray title = widget->windowTitle().toUtf8();
    xcb_change_property(connection_, XCB_PROP_MODE_REPLACE,
                        static_cast<xcb_window_t>(widget->winId()), XCB_ATOM_WM_NAME, utf8String_,
                        8, static_cast<std::uint32_t>(title.size()), title.constData());
    xcb_flush(connection_);
    return false;
  }

 private:
  xcb_connection_t* connection_;
  xcb_atom_t utf8String_;
};

}  // namespace

void KeepX11TitlesInUtf8() {
  auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  static constexpr char kName[] = "UTF8_STRING";
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      connection, xcb_intern_atom(connection, 0, sizeof kName - 1, kName), nullptr);
  if (reply == nullptr) return;
  const xcb_atom_t utf8String = reply->atom;
  std::free(reply);
  qApp->installEventFilter(new TitleWriter(connection, utf8String));
}

}  // namespace vestora::qt
