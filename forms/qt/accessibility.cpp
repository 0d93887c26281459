#include "forms/qt/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QMessageBox>
#include <QWidget>

#include "forms/qt/widgets.h"

namespace vestora::qt {
namespace {

// A picture box: an image named by its place, described by what it shows.
class PictureAccessible final : public QAccessibleWidget, public QAccessibleImageInterface {
 public:
  explicit PictureAccessible(PictureBox* box) : QAccessibleWidget(box, QAccessible::Graphic) {}

  void* interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::ImageInterface) return static_cast<QAccessibleImageInterface*>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QString imageDescription() const override { return text(QAccessible::Description); }
  QSize imageSize() const override {
    // What of the picture the box shows: it is drawn unscaled from the top-left corner and cut
    // off at the box's edges.
    return static_cast<const PictureBox*>(widget())->PictureSize().boundedTo(widget()->size());
  }
  QPoint imagePosition() const override { return rect().topLeft(); }
};

// A message box: an alert named by its title, its message as its description, so that a reader
// says both as the box comes up.
class MessageBoxAccessible final : public QAccessibleWidget {
 public:
  explicit MessageBoxAccessible(QMessageBox* box)
      : QAccessibleWidget(box, QAccessible::AlertMessage) {}

  QString text(QAccessible::Text type) const override {
    const auto* box = static_cast<const QMessageBox*>(widget());
    if (type == QAccessible::Description && widget()->accessibleDescription().isEmpty()) {
      return box->text();
    }
    return QAccessibleWidget::text(type);
  }
};

QAccessibleInterface* MakeInterface(const QString& className, QObject* object) {
  // Asked once for each class the object's type derives from, most derived first: the program's
  // own widgets declare no class of their own, so they come as "QWidget".
  if (object == nullptr || !object->isWidgetType()) return nullptr;
  auto* widget = static_cast<QWidget*>(object);
  if (className == QLatin1String("QMessageBox")) {
    return new MessageBoxAccessible(static_cast<QMessageBox*>(widget));
  }
  if (className != QLatin1String("QWidget")) return nullptr;
  if (auto* box = dynamic_cast<PictureBox*>(widget)) return new PictureAccessible(box);
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
  if (installed) return;
  installed = true;
  QAccessible::installFactory(MakeInterface);
}

}  // namespace vestora::qt
