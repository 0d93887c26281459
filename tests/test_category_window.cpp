// The real category windows on the offscreen platform, checked against their categories.
#include <QAccessible>
#include <QBuffer>
#include <QImageReader>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include "app/category_window.h"
#include "catalog/catalog.h"
#include "forms/qt/form_builder.h"
#include "forms/qt/pictures.h"
#include "forms/qt/resources.h"
#include "forms/qt/widgets.h"
#include "qt_program.h"

using namespace vestora;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

const Category& Window(const QString& name) {
  return *CategoryByWindow(name.toStdString());
}

// The colour the window shows at a logical point, whatever the scale factor.
QColor ShownAt(const QImage& shot, QPoint logical) {
  const qreal ratio = shot.devicePixelRatio();
  return shot.pixelColor(qRound(logical.x() * ratio), qRound(logical.y() * ratio));
}

}  // namespace

class CategoryWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::QtProgram> program_;

  QWidget* Open(const QString& name) {
    QWidget* window = program_->Open(name.toStdString());
    if (window && !QTest::qWaitForWindowExposed(window)) return nullptr;
    return window;
  }

 private slots:
  void init() { program_ = std::make_unique<testing::QtProgram>(); }
  void cleanup() { program_.reset(); }

  void everyWindowIsBuiltFromItsCategory_data() {
    QTest::addColumn<QString>("window");
    for (const Category& category : Catalog()) {
      QTest::newRow(category.windowName.data()) << Q(category.windowName);
    }
  }
  void everyWindowIsBuiltFromItsCategory() {
    QFETCH(QString, window);
    const Category& category = Window(window);
    QWidget* shown = Open(window);
    QVERIFY(shown);
    QCOMPARE(shown->windowTitle(), Q(category.caption));
    QCOMPARE(shown->size(), QSize(category.clientWidth / 15, category.clientHeight / 15));
    QCOMPARE(shown->windowIcon().isNull(), !category.hasIcon);
    // The offscreen platform pulls a window that starts left of the screen back by its made-up
    // frame margin; Form9's place off the left edge is checked on a real X server end to end.
    const bool offscreen = QGuiApplication::platformName() == QStringLiteral("offscreen");
    if (category.placement == Placement::ManualPlacement &&
        !(offscreen && category.clientLeft < 0)) {
      QCOMPARE(shown->geometry().topLeft(),
               QPoint(category.clientLeft / 15, category.clientTop / 15));
    }
    const QImage shot = shown->grab().toImage();
    QCOMPARE(ShownAt(shot, {shown->width() - 1, shown->height() - 1}), QColor(Qt::black));
    QAccessibleInterface* windowReader = QAccessible::queryAccessibleInterface(shown);
    QVERIFY(windowReader);
    QCOMPARE(windowReader->role(), QAccessible::Window);
    QCOMPARE(windowReader->text(QAccessible::Name), Q(category.caption));

    for (const ItemCell& cell : Cells(category)) {
      auto* box = shown->findChild<qt::PictureBox*>(Q(PictureName(cell.pictureBox)));
      auto* button = shown->findChild<QPushButton*>(Q(CommandName(cell.button)));
      QVERIFY(box && button);
      QCOMPARE(box->geometry(), qt::ToPixels(cell.pictureRect));
      QCOMPARE(button->geometry(), qt::ToPixels(cell.buttonRect));
      QCOMPARE(button->text(), QStringLiteral("点我获取"));
      // No default button, and none that becomes one when focused: a style would draw it so.
      QVERIFY(!button->isDefault() && !button->autoDefault());
      QCOMPARE(box->Picture().size(), QSize(cell.image.width, cell.image.height));
      // Screen readers hear the category and the cell's place, not only "点我获取".
      const QString place =
          QStringLiteral("%1 第%2行第%3个").arg(Q(category.title)).arg(cell.row).arg(cell.column);
      QVERIFY2(button->accessibleName().startsWith(place), qPrintable(button->accessibleName()));
      QVERIFY(box->accessibleName().startsWith(place));
      // Readers get an image named by its place, and a push button.
      QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(box);
      QVERIFY(picture);
      QCOMPARE(picture->role(), QAccessible::Graphic);
      QCOMPARE(picture->text(QAccessible::Name), place);
      QCOMPARE(QAccessible::queryAccessibleInterface(button)->role(), QAccessible::PushButton);
    }
    // No name of the window or of anything in it ends in a role word; nothing has a description.
    const QStringList noise = testing::ReaderNoise(windowReader);
    QVERIFY2(noise.isEmpty(), qPrintable(noise.join(QStringLiteral("; "))));
  }

  void buttonsPairWithThePictureAboveThemInForm10() {
    QWidget* shown = Open("Form10");
    QVERIFY(shown);
    auto centreBelow = [&](const char* button, const char* picture) {
      const QRect b = shown->findChild<QWidget*>(button)->geometry();
      const QRect p = shown->findChild<QWidget*>(picture)->geometry();
      return b.center().x() >= p.left() && b.center().x() <= p.right() && b.top() > p.bottom();
    };
    QVERIFY(centreBelow("Command9", "Picture10"));
    QVERIFY(centreBelow("Command10", "Picture9"));
    QVERIFY(!centreBelow("Command9", "Picture9"));
  }

  void focusStartsOnPicture1AndTabFollowsFocusPositions_data() {
    QTest::addColumn<QString>("window");
    QTest::newRow("Form2, numbered out of display order") << "Form2";
    QTest::newRow("Form6, all pictures before all buttons") << "Form6";
    QTest::newRow("Form10, swapped pair") << "Form10";
  }
  void focusStartsOnPicture1AndTabFollowsFocusPositions() {
    QFETCH(QString, window);
    QWidget* shown = Open(window);
    QVERIFY(shown && QTest::qWaitForWindowActive(shown));
    const forms::FormDescription description = app::DescribeCategoryWindow(Window(window));
    std::vector<const forms::ControlDescription*> order;
    for (const auto& control : description.controls) order.push_back(&control);
    std::ranges::sort(order, {}, &forms::ControlDescription::focusPosition);
    QStringList expected;
    for (const auto* control : order) expected << Q(control->name);
    QCOMPARE(expected.front(), QStringLiteral("Picture1"));
    expected << expected.front();
    QCOMPARE(testing::TabWalk(shown, static_cast<int>(expected.size())), expected);
  }

  void picturesSitUnscaledAtTheTopLeftAndAreClipped_data() {
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("picture");
    QTest::newRow("larger than its box both ways") << "Form18"
                                                   << "Picture1";
    QTest::newRow("narrowest box") << "Form18"
                                   << "Picture12";
    QTest::newRow("smaller, button-face background") << "Form5"
                                                     << "Picture4";
    QTest::newRow("smaller, black background") << "Form9"
                                               << "Picture1";
    QTest::newRow("animated, first frame") << "Form3"
                                           << "Picture1";
  }
  void picturesSitUnscaledAtTheTopLeftAndAreClipped() {
    QFETCH(QString, window);
    QFETCH(QString, picture);
    QWidget* shown = Open(window);
    QVERIFY(shown);
    auto* box = shown->findChild<qt::PictureBox*>(picture);
    QVERIFY(box);
    const ItemCell* cell = nullptr;
    for (const ItemCell& c : Cells(Window(window))) {
      if (Q(PictureName(c.pictureBox)) == picture) cell = &c;
    }
    const QImage expected = qt::DecodePicture(
        qt::ReadResource(qt::PicturePath(PictureFileName(Window(window), *cell))));
    const QColor background = cell->pictureBack == PictureBack::Black
                                  ? QColor(Qt::black)
                                  : QApplication::palette().color(QPalette::Button);
    const QImage shot = box->grab().toImage();
    for (int y = 0; y < box->height(); y += 3) {
      for (int x = 0; x < box->width(); x += 3) {
        const QColor want =
            x < expected.width() && y < expected.height() ? expected.pixelColor(x, y) : background;
        if (ShownAt(shot, {x, y}) != want) {
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs").arg(x).arg(y)));
        }
      }
    }
  }

  // A box keeps only its picture's encoded bytes: every paint decodes them anew. What it draws
  // must not change with the paint: the focus cue comes and goes over the same picture.
  void repaintsDrawTheSamePictureUnderAndWithoutTheFocusCue() {
    QWidget* shown = Open("Form2");
    QVERIFY(shown && QTest::qWaitForWindowActive(shown));
    auto* box = dynamic_cast<qt::PictureBox*>(QApplication::focusWidget());
    QVERIFY(box);
    const QImage plain = box->grab().toImage();

    QTest::keyClick(box, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    QCOMPARE(QApplication::focusWidget(), box);
    const QImage cued = box->grab().toImage();
    QVERIFY(cued != plain);
    // Inside the dotted frame the picture is untouched.
    const QRect inside = box->rect().adjusted(3, 3, -4, -4);
    for (int y = inside.top(); y <= inside.bottom(); y += 2) {
      for (int x = inside.left(); x <= inside.right(); x += 2) {
        if (ShownAt(cued, {x, y}) != ShownAt(plain, {x, y})) {
          QFAIL(qPrintable(QStringLiteral("pixel %1,%2 differs under the cue").arg(x).arg(y)));
        }
      }
    }

    QTest::keyClick(box, Qt::Key_Tab);
    QVERIFY(QApplication::focusWidget() != box);
    QCOMPARE(box->grab().toImage(), plain);
  }

  // The window fails to open, through the failure path, over a picture that is not there or
  // cannot be read; and the bytes of a picture are checked, not only found.
  void picturesThatCannotBeReadFailTheWindow() {
    QVERIFY(!qt::DecodableSize("no picture at all").has_value());
    const QByteArray jpeg = qt::ReadResource(qt::PicturePath("Form10-Picture1.jpg"));
    QCOMPARE(qt::DecodableSize(jpeg), std::optional(qt::DecodePicture(jpeg).size()));
    QVERIFY(!qt::DecodableSize(jpeg.left(24)).has_value());

    struct : forms::FormEvents {
      void Pressed(std::string_view, std::string_view) noexcept override {}
      void Ticked(std::string_view, std::string_view) noexcept override {}
      void Closed(std::string_view) noexcept override {}
    } events;
    forms::FormDescription form{.name = "Broken", .clientWidth = 3000, .clientHeight = 3000};
    form.controls.push_back({.kind = forms::ControlKind::PictureBox,
                             .name = "Picture1",
                             .rect = {0, 0, 1500, 1500},
                             .picture = "Form2-Picture99.jpg"});
    QVERIFY_THROWS_EXCEPTION(forms::Failure, qt::BuildForm(form, events));
    QCOMPARE(qt::PictureBox::LiveCount(), 0);
  }

  // A kept picture's bytes are the executable's own, let go of after each decoding and read from
  // the file again: they stay whole however often they are decoded. Bytes held on the heap are
  // never let go of, which would lose them.
  void keptPicturesDecodeTheSameEveryTime() {
    for (const char* name : {"Form10-Picture1.jpg", "Form4-Picture2.gif"}) {
      const QByteArray copy = qt::ReadResource(qt::PicturePath(name));
      const QImage expected = qt::DecodePicture(copy);
      const qt::EncodedPicture kept = qt::FindPicture(name);
      QVERIFY2(kept.inExecutable, name);
      const qt::EncodedPicture onHeap{copy, kept.size, kept.format, false};
      for (int round = 0; round < 2; ++round) {
        QCOMPARE(qt::DecodePicture(kept), expected);
        QCOMPARE(qt::DecodePicture(onHeap), expected);
        QCOMPARE(kept.bytes, copy);
      }
      QCOMPARE(onHeap.bytes, qt::ReadResource(qt::PicturePath(name)));
    }
  }

  void animatedPicturesStandStillOnTheirFirstFrame() {
    const QByteArray bytes = qt::ReadResource(qt::PicturePath("Form4-Picture2.gif"));
    QBuffer buffer;
    buffer.setData(bytes);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    QImageReader reader(&buffer);
    QImage first = reader.read().convertToFormat(QImage::Format_RGB32);
    QImage second = reader.read().convertToFormat(QImage::Format_RGB32);
    QVERIFY2(!second.isNull() && first != second, "the picture must move for this to bite");
    QCOMPARE(qt::DecodePicture(bytes), first);
  }

  void reopenedWindowIsBuiltAnewAtItsPlace() {
    QWidget* first = Open("Form17");
    QVERIFY(first);
    first->move(5, 5);
    first->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(program_->runtime.Window("Form17") == nullptr);
    QCOMPARE(qt::PictureBox::LiveCount(), 0);
    QWidget* again = Open("Form17");
    QVERIFY(again);
    QCOMPARE(again->geometry().topLeft(), QPoint(660 / 15, 1620 / 15));
    QCOMPARE(qt::PictureBox::LiveCount(), 12);
  }
};

QTEST_MAIN(CategoryWindowTest)
#include "test_category_window.moc"
