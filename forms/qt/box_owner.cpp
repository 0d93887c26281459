#include "forms/qt/box_owner.h"

#include <QApplication>
#include <QEvent>
#include <QPointer>
#include <QScreen>
#include <QShowEvent>
#include <algorithm>

namespace vestora::qt {

void BoxOwners::Follow(QWidget* window) {
  window->installEventFilter(this);
  Promote(window);
}

QWidget* BoxOwners::Owner() const {
  const auto shown = [](const QWidget* window) {
    return window != nullptr && window->isVisible() && !window->isMinimized();
  };
  QWidget* active = QApplication::activeWindow();
  const auto isActive = [active](const QPointer<QWidget>& window) { return window == active; };
  if (shown(active) && std::ranges::any_of(order_, isActive)) return active;
  for (const QPointer<QWidget>& window : order_) {
    if (shown(window)) return window;
  }
  return nullptr;
}

namespace {

// Gives the control the focus, and its window the activation if it lacks it. In a window that is
// not active yet the control is only marked as the window's focus, which the toolkit gives it
// whenever the window becomes active, however late. A control that went, or whose window is
// hidden or minimized, is left alone: the user has moved on.
void FocusAgain(QWidget* control) {
  if (control == nullptr || !control->isVisible() || control->window()->isMinimized()) return;
  control->setFocus(Qt::ActiveWindowFocusReason);
  if (!control->isActiveWindow()) control->window()->activateWindow();
}

}  // namespace

bool BoxOwners::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Promote(static_cast<QWidget*>(watched));
  return false;
}

void BoxOwners::Promote(QWidget* window) {
  std::erase_if(order_, [window](const QPointer<QWidget>& w) { return w.isNull() || w == window; });
  order_.insert(order_.begin(), window);
}

void ExecKeepingFocus(const QPointer<QMessageBox>& box) {
  QPointer<QWidget> focused = QApplication::focusWidget();
  if (focused == nullptr && box->parentWidget() != nullptr) {
    focused = box->parentWidget()->focusWidget();
  }
  box->exec();
  delete box;
  FocusAgain(focused);
}

OwnedMessageBox::OwnedMessageBox(Icon icon, const QString& title, const QString& text,
                                 QWidget* owner)
    : QMessageBox(icon, title, text, QMessageBox::Ok, owner) {}

void OwnedMessageBox::showEvent(QShowEvent* event) {
  // The box takes its final size here, before it is mapped: the position set now is the one
  // that the window manager is told.
  QMessageBox::showEvent(event);
  const QWidget* owner = parentWidget();
  if (owner == nullptr || event->spontaneous()) return;
  QRect place(QPoint(), size());
  place.moveCenter(owner->geometry().center());
  if (const QScreen* screen = owner->screen()) {
    const QRect room = screen->availableGeometry();
    place.moveLeft(std::max(room.left(), std::min(place.left(), room.right() + 1 - place.width())));
    place.moveTop(std::max(room.top(), std::min(place.top(), room.bottom() + 1 - place.height())));
  }
  move(place.topLeft());
}

}  // namespace vestora::qt
