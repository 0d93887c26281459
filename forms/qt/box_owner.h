// The window a message box belongs to, and the box shown over it.
#pragma once

#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <vector>

namespace vestora::qt {

// Follows which of the program's windows was active when, so that a box can belong to a window
// of the program, as on Windows: the active one, else the one active last that is shown and not
// minimized (a desktop hides what belongs to a minimized window). Desktops keep a box over the
// window it belongs to and centre it there: WM_TRANSIENT_FOR on X11, the toplevel's parent on
// Wayland. Without an owner a box is made transient for Qt's hidden group leader on X11, which
// desktops refuse, and gets no parent on Wayland.
class BoxOwners final : public QObject {
 public:
  // Follows the window from now on, as the one active last until another becomes active.
  void Follow(QWidget* window);

  // The window a box shown now belongs to, or none when no window of the program is shown.
  QWidget* Owner() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Promote(QWidget* window);

  std::vector<QPointer<QWidget>> order_;  // the one active last first
};

// Shows the box until it is closed and deletes it, unless it went with its owner; then the control
// that had the focus has it again and its window is asked to be the active one. The window manager
// does that most times, by activating the box's owner, but nothing makes it do so and the toolkit
// does not ask: where it does not, no control of the program has the focus and keys go nowhere.
void ExecKeepingFocus(const QPointer<QMessageBox>& box);

// A message box with an OK button, belonging to its owner (or to none) and shown centred over
// it: its client area's centre on the owner's, within the owner's screen. The toolkit's own
// placement guesses the frames' sizes and lands a few pixels off, and the desktops honour it.
class OwnedMessageBox final : public QMessageBox {
 public:
  OwnedMessageBox(Icon icon, const QString& title, const QString& text, QWidget* owner);

 protected:
  void showEvent(QShowEvent* event) override;
};

}  // namespace vestora::qt
