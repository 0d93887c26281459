// The whole program on the real Qt backend, for widget tests on the offscreen platform.
#pragma once

#include <QAccessible>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>

#include "app/application.h"
#include "forms/qt/form_builder.h"
#include "forms/qt/qt_runtime.h"
#include "tests/role_words.h"

namespace vestora::testing {

struct QtProgram {
  QtProgram() {
    static bool prepared = false;
    if (!std::exchange(prepared, true)) qt::PrepareApplication();
  }

  qt::QtRuntime runtime;
  app::Application application{runtime};

  QWidget* Open(std::string_view form) {
    if (form == "Form1") {
      application.Start();
    } else {
      application.OpenWindow(form);
    }
    return runtime.Window(form);
  }
};

// Runs `inspect` on the next modal box as soon as it shows, then dismisses it with its default
// button. Call before the action that opens the box; the watch ends with the returned object,
// so a box that never came cannot be answered by a later test.
[[nodiscard]] inline std::unique_ptr<QTimer> WhenModalBoxShows(
    std::function<void(QMessageBox*)> inspect) {
  auto poll = std::make_unique<QTimer>();
  poll->setInterval(10);
  QObject::connect(poll.get(), &QTimer::timeout, [poll = poll.get(), inspect = std::move(inspect)] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr || !box->isVisible()) return;
    poll->stop();
    inspect(box);
    box->defaultButton() ? box->defaultButton()->click() : box->reject();
  });
  poll->start();
  return poll;
}

// What a screen reader would hear twice or needlessly in the object and all below it: a name that
// ends in a word for the kind of control (the reader says the kind from the role), and any
// description (said after the name, at every control). Empty when there is nothing.
inline QStringList ReaderNoise(QAccessibleInterface* object) {
  QStringList noise;
  if (object == nullptr) return noise;
  const QString name = object->text(QAccessible::Name);
  if (!EndingRoleWord(name.toStdString()).empty()) noise << QStringLiteral("name '%1'").arg(name);
  const QString description = object->text(QAccessible::Description);
  if (!description.isEmpty())
    noise << QStringLiteral("'%1' described as '%2'").arg(name, description);
  for (int i = 0; i < object->childCount(); ++i) noise << ReaderNoise(object->child(i));
  return noise;
}

// The widget's name and the names of the widgets Tab reaches from it, in order.
inline QStringList TabWalk(QWidget* window, int steps, bool backwards = false) {
  QStringList names;
  for (int i = 0; i < steps; ++i) {
    QWidget* focused = QApplication::focusWidget();
    names << (focused ? focused->objectName() : QString());
    QTest::keyClick(focused ? focused : window, Qt::Key_Tab,
                    backwards ? Qt::ShiftModifier : Qt::NoModifier);
  }
  return names;
}

}  // namespace vestora::testing
