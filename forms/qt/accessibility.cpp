#include "forms/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QWidget>
#include <utility>

#include "forms/qt/widgets.h"

namespace vestora::qt {
namespace {

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
  // Asked once for each class the object's type derives from, most derived first: the program's
  // own widgets declare no class of their own, so they come as "QWidget".
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className != QLatin1String("QWidget")) return nullptr;
  // A picture box's name and description are the widget's own (set as it is built).
  if (dynamic_cast<PictureBox*>(widget) != nullptr) {
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  }
  if (dynamic_cast<FrameBox*>(widget) != nullptr) {
    return new QAccessibleWidget(widget, QAccessible::Grouping);
  }
  // A form's window is a plain widget without a parent; its name is its caption.
  if (widget->isWindow()) return new QAccessibleWidget(widget, QAccessible::Window);
  return nullptr;
}

}  // namespace

void InstallAccessibility() {
  static bool installed = false;
  if (std::exchange(installed, true)) return;
  QAccessible::installFactory(MakeInterface);
}

}  // namespace vestora::qt
