// The real main window on the offscreen platform, checked against its description.
#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimerEvent>

#include "app/main_window.h"
#include "forms/fake/motion_override.h"
#include "forms/qt/fonts.h"
#include "forms/qt/program_icon.h"
#include "forms/qt/resources.h"
#include "forms/qt/widgets.h"
#include "qt_program.h"

using namespace vestora;

namespace {

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

bool HasPixel(const QImage& image, const QRect& area, QColor colour) {
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      if (image.pixelColor(x, y) == colour) return true;
    }
  }
  return false;
}

}  // namespace

class MainWindowTest : public QObject {
  Q_OBJECT

  std::unique_ptr<testing::QtProgram> program_;
  QWidget* window_ = nullptr;

  template <typename T = QWidget>
  T* Control(std::string_view name) {
    return window_->findChild<T*>(Q(name));
  }

 private slots:
  void init() {
    program_ = std::make_unique<testing::QtProgram>();
    window_ = program_->Open(app::kMainWindow);
    QVERIFY(window_ != nullptr);
    QVERIFY(QTest::qWaitForWindowExposed(window_));
  }
  void cleanup() { program_.reset(); }

  void windowHasItsClientSizeCaptionAndIcon() {
    QCOMPARE(window_->size(), QSize(600, 519));
    QCOMPARE(window_->minimumSize(), window_->maximumSize());
    QCOMPARE(window_->windowTitle(), QStringLiteral("Vestora"));
    QVERIFY(!window_->windowIcon().isNull());
  }

  // The icon is read on a thread of its own, image by image; it must be the icon QIcon makes of
  // the file, size for size and pixel for pixel.
  void programIconIsTheIconFileAsQIconReadsIt() {
    const QIcon& icon = qt::ProgramIcon();
    const QIcon file(qt::kIconPath);
    QCOMPARE(icon.availableSizes(), file.availableSizes());
    QVERIFY(file.availableSizes().contains(QSize(256, 256)));
    for (const QSize& size : file.availableSizes()) {
      QCOMPARE(icon.pixmap(size).toImage(), file.pixmap(size).toImage());
    }
  }

  void everyControlSitsWhereItsDescriptionSays() {
    const forms::FormDescription description = app::MainWindowDescription();
    QCOMPARE(description.controls.size(), std::size_t{23});
    for (const forms::ControlDescription& control : description.controls) {
      QWidget* widget = Control(control.name);
      QVERIFY2(widget, control.name.data());
      QCOMPARE(widget->geometry(), qt::ToPixels(control.rect));
      const QString parent = control.parent.empty() ? Q(app::kMainWindow) : Q(control.parent);
      QCOMPARE(widget->parentWidget()->objectName(), parent);
      const bool button = control.kind == forms::ControlKind::PushButton;
      QCOMPARE(widget->focusPolicy() != Qt::NoFocus, button);
      if (button) QCOMPARE(static_cast<QPushButton*>(widget)->text(), Q(control.text));
    }
    // The footer reaches past the bottom of the client area and is cut there.
    auto* footer = Control(app::kFooter);
    QVERIFY(footer->geometry().bottom() >= window_->height());
  }

  void blackWindowWithMagentaCaptionsAndRedFooter() {
    const QImage shot = window_->grab().toImage();
    QCOMPARE(shot.pixelColor(2, 2), QColor(Qt::black));
    QCOMPARE(shot.pixelColor(599, 518), QColor(Qt::black));
    for (const char* frame : {"Frame1", "Frame2", "Frame3"}) {
      auto* box = Control<qt::FrameBox>(frame);
      const QRect caption = box->CaptionRect().translated(box->pos());
      QVERIFY2(HasPixel(shot, caption, QColor(255, 0, 255)), frame);
    }
    QVERIFY(HasPixel(shot, Control(app::kFooter)->geometry() & shot.rect(), QColor(255, 0, 0)));
  }

  void captionsAndSloganUseTheKaiFaceAtTheirSizes() {
    QCOMPARE(Control("Frame1")->font().pointSizeF(), 15.75);
    QCOMPARE(Control("Frame2")->font().pointSizeF(), 15.75);
    QCOMPARE(Control("Frame3")->font().pointSizeF(), 15.0);
    QCOMPARE(Control(app::kSlogan)->font().pointSizeF(), 26.25);
    QCOMPARE(Control("Frame3")->font().families(), qt::KaiFont(15).families());
    QCOMPARE(Control("Command1")->font().families(), qt::DefaultFont().families());
  }

  void tabWalksTheButtonsInNumberOrder() {
    QVERIFY(QTest::qWaitForWindowActive(window_));
    QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("Command1"));
    QStringList expected;
    for (int i = 1; i <= 18; ++i) expected << QStringLiteral("Command%1").arg(i);
    expected << QStringLiteral("Command1");
    QCOMPARE(testing::TabWalk(window_, 19), expected);
    // Nineteen presses went once round and on to Command2; Shift+Tab walks back from there.
    QStringList backwards{QStringLiteral("Command2"), QStringLiteral("Command1")};
    for (int i = 18; i >= 3; --i) backwards << QStringLiteral("Command%1").arg(i);
    backwards << QStringLiteral("Command2");
    QCOMPARE(testing::TabWalk(window_, 19, true), backwards);
  }

  void sloganBlinksWithEachTick() {
    auto* timer = window_->findChild<QTimer*>(Q(app::kBlinkTimer));
    QVERIFY(timer && timer->isActive());
    QCOMPARE(timer->interval(), 250);
    auto* slogan = Control<QLabel>(app::kSlogan);
    QVERIFY(!slogan->isHidden());
    auto tick = [&] {
      QTimerEvent event(timer->timerId());
      QCoreApplication::sendEvent(timer, &event);
    };
    tick();
    QVERIFY(slogan->isHidden());
    tick();
    QVERIFY(!slogan->isHidden());
    tick();
    QVERIFY(slogan->isHidden());
  }

  // What a screen reader is told: the window is a frame named by its caption, each framed group
  // a grouping named by its caption, the texts labels, the buttons push buttons.
  void readersGetEachControlsRoleAndName() {
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_);
    QVERIFY(window);
    QCOMPARE(window->role(), QAccessible::Window);
    QCOMPARE(window->text(QAccessible::Name), QStringLiteral("Vestora"));
    for (const app::MainControl& control : app::kMainControls) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(Control(control.name));
      QVERIFY2(reader, control.name.data());
      QAccessible::Role role = QAccessible::PushButton;
      if (control.kind == forms::ControlKind::Frame) role = QAccessible::Grouping;
      if (control.kind == forms::ControlKind::Label) role = QAccessible::StaticText;
      QCOMPARE(reader->role(), role);
      QCOMPARE(reader->text(QAccessible::Name), Q(control.text));
    }
    const QStringList noise = testing::ReaderNoise(window);
    QVERIFY2(noise.isEmpty(), qPrintable(noise.join(QStringLiteral("; "))));
  }

  // The notice box and the failure box are alerts that carry their whole text.
  void messageBoxesAreAlertsWithTheirText() {
    QString title, text, role;
    QStringList noise;
    auto read = [&](QMessageBox* box) {
      QAccessibleInterface* reader = QAccessible::queryAccessibleInterface(box);
      role = reader && reader->role() == QAccessible::AlertMessage ? "alert" : "other";
      title = reader ? reader->text(QAccessible::Name) : QString();
      noise << testing::ReaderNoise(reader);
      text.clear();
      for (int i = 0; reader && i < reader->childCount(); ++i) {
        if (reader->child(i)->role() == QAccessible::StaticText) {
          text += reader->child(i)->text(QAccessible::Name);
        }
      }
    };
    {
      const auto watch = testing::WhenModalBoxShows(read);
      Control<QPushButton>(app::kNoticeButton)->click();
    }
    QCOMPARE(role, QStringLiteral("alert"));
    QCOMPARE(title, QStringLiteral("友情提醒"));
    QCOMPARE(text, Q(app::kNoticePrompt));
    {
      const auto watch = testing::WhenModalBoxShows(read);
      program_->runtime.ReportUnhandledFailure("打开窗口", "磁盘已满");
    }
    QCOMPARE(role, QStringLiteral("alert"));
    QCOMPARE(title, QStringLiteral("Vestora"));
    QVERIFY2(text.contains(QStringLiteral("打开窗口")) && text.contains(QStringLiteral("磁盘已满")),
             qPrintable(text));
    QVERIFY2(noise.isEmpty(), qPrintable(noise.join(QStringLiteral("; "))));
  }

  // Return and keypad Enter press the focused button, as Space does, once however long the key is
  // held; with another modifier they do not. The button stays a plain one: no default button, nor
  // one that becomes default when focused, which styles draw with a frame of its own.
  void enterAndSpacePressTheFocusedButton_data() {
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<int>("presses");
    QTest::newRow("Return") << int(Qt::Key_Return) << int(Qt::NoModifier) << 1;
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier) << 1;
    QTest::newRow("Space") << int(Qt::Key_Space) << int(Qt::NoModifier) << 1;
    QTest::newRow("Ctrl+Return") << int(Qt::Key_Return) << int(Qt::ControlModifier) << 0;
    QTest::newRow("Alt+keypad Enter")
        << int(Qt::Key_Enter) << int(Qt::AltModifier | Qt::KeypadModifier) << 0;
  }
  void enterAndSpacePressTheFocusedButton() {
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(int, presses);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    auto* button = Control<QPushButton>("Command9");
    button->setFocus(Qt::TabFocusReason);
    QVERIFY(button->hasFocus());
    int pressed = 0;
    connect(button, &QPushButton::clicked, this, [&] { ++pressed; });
    const auto mods = Qt::KeyboardModifiers(modifiers);
    QTest::keyPress(button, Qt::Key(key), mods);
    // Held down: the keyboard repeats the key.
    for (int i = 0; i < 3; ++i) {
      QKeyEvent repeat(QEvent::KeyPress, key, mods, QString(), true);
      QApplication::sendEvent(button, &repeat);
    }
    QTest::keyRelease(button, Qt::Key(key), mods);
    QCOMPARE(pressed, presses);
    QCOMPARE(program_->runtime.Window("Form9") != nullptr, presses == 1);
    QVERIFY(!button->isDefault() && !button->autoDefault());
  }

  // After a box closes the control that had the focus has it again, whether or not the platform
  // gives the window back its activation: the box's owner asks for it, and is focused where it was.
  void focusComesBackAfterEachBox_data() {
    QTest::addColumn<bool>("notice");
    QTest::newRow("the notice box") << true;
    QTest::newRow("the failure box") << false;
  }
  void focusComesBackAfterEachBox() {
    QFETCH(bool, notice);
    QVERIFY(QTest::qWaitForWindowActive(window_));
    auto* button = Control<QPushButton>(app::kNoticeButton);
    button->setFocus(Qt::TabFocusReason);
    for (int round = 0; round < 3; ++round) {
      bool shown = false;
      {
        const auto watch = testing::WhenModalBoxShows([&](QMessageBox*) { shown = true; });
        if (notice) {
          QTest::keyClick(button, Qt::Key_Return);
        } else {
          program_->runtime.ReportUnhandledFailure("打开窗口", "磁盘已满");
        }
      }
      QVERIFY(shown);
      QTRY_COMPARE(QApplication::activeWindow(), window_);
      QCOMPARE(QApplication::focusWidget(), button);
    }
  }

  // A box belongs to the active window, else to the one active last that is shown and not
  // minimized, and is centred over it: desktops keep it there only if it has an owner.
  void boxesBelongToTheActiveWindowAndAreCentredOverIt() {
    QWidget* category = program_->Open("Form6");
    QVERIFY(category);
    struct Seen {
      QWidget* owner = nullptr;
      QPoint centre;
    };
    const auto failureBox = [&] {
      Seen seen;
      const auto watch = testing::WhenModalBoxShows([&](QMessageBox* box) {
        seen = {box->parentWidget(), box->geometry().center()};
      });
      program_->runtime.ReportUnhandledFailure("打开窗口", "磁盘已满");
      return seen;
    };
    QApplication::setActiveWindow(category);
    QTRY_COMPARE(QApplication::activeWindow(), category);
    Seen seen = failureBox();
    QCOMPARE(seen.owner, category);
    // To the offscreen platform's made-up frame (2 pixels); exact under real desktops (e2e).
    QVERIFY2((seen.centre - category->geometry().center()).manhattanLength() <= 4,
             qPrintable(QStringLiteral("box centred at %1,%2 over a window centred at %3,%4")
                            .arg(seen.centre.x())
                            .arg(seen.centre.y())
                            .arg(category->geometry().center().x())
                            .arg(category->geometry().center().y())));

    QApplication::setActiveWindow(window_);
    QTRY_COMPARE(QApplication::activeWindow(), window_);
    QCOMPARE(failureBox().owner, window_);

    // The active window minimized: the box goes to the one active before it.
    QApplication::setActiveWindow(category);
    QTRY_COMPARE(QApplication::activeWindow(), category);
    window_->showMinimized();
    QApplication::setActiveWindow(window_);
    QCOMPARE(failureBox().owner, category);
  }

  // Where the desktop says animations are off the slogan is shown and holds still, tick after
  // tick of the real timer. The setting is faked at the seam, never changed on the machine.
  void sloganHoldsStillWhereAnimationsAreOff_data() {
    QTest::addColumn<bool>("off");
    QTest::newRow("animations on") << false;
    QTest::newRow("animations off") << true;
  }
  void sloganHoldsStillWhereAnimationsAreOff() {
    QFETCH(bool, off);
    qt::QtRuntime backend;
    forms::MotionOverride runtime(backend, off);
    app::Application application(runtime);
    QVERIFY(application.Start());
    QWidget* window = backend.Window(app::kMainWindow);
    auto* slogan = window->findChild<QLabel*>(Q(app::kSlogan));
    auto* timer = window->findChild<QTimer*>(Q(app::kBlinkTimer));
    QVERIFY(slogan && timer);
    int hiddenAfterTicks = 0;
    QObject::connect(timer, &QTimer::timeout, slogan,
                     [&] { hiddenAfterTicks += slogan->isHidden() ? 1 : 0; });
    QTRY_VERIFY_WITH_TIMEOUT(runtime.labelQuestions >= 6, 30'000);
    QCOMPARE(hiddenAfterTicks > 0, !off);
    QCOMPARE(runtime.hides > 0, !off);
    if (off) QVERIFY(!slogan->isHidden());
  }

  void noticeButtonShowsTheWarningAndOpensNothing() {
    QString text, title, buttonText;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    int buttons = 0;
    bool okIsDefault = false;
    Qt::WindowModality modality = Qt::NonModal;
    const auto watch = testing::WhenModalBoxShows([&](QMessageBox* box) {
      text = box->text();
      title = box->windowTitle();
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      okIsDefault = box->defaultButton() == box->button(QMessageBox::Ok);
      buttonText = box->button(QMessageBox::Ok)->text();
      modality = box->windowModality();
    });
    Control<QPushButton>(app::kNoticeButton)->click();
    QCOMPARE(text, Q(app::kNoticePrompt));
    QCOMPARE(title, QStringLiteral("友情提醒"));
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(buttons, 1);
    QVERIFY(okIsDefault);
    QCOMPARE(buttonText, QStringLiteral("确定"));
    QCOMPARE(modality, Qt::ApplicationModal);
    QCOMPARE(program_->application.Registry().ObjectCount(), 1);
  }

  void categoryButtonsOpenTheirWindows_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("window");
    for (const Category& category : Catalog()) {
      QTest::newRow(category.mainButton.data()) << Q(category.mainButton) << Q(category.windowName);
    }
  }
  void categoryButtonsOpenTheirWindows() {
    QFETCH(QString, button);
    QFETCH(QString, window);
    Control<QPushButton>(button.toStdString())->click();
    QWidget* opened = program_->runtime.Window(window.toStdString());
    QVERIFY(opened && opened->isVisible());
    QCOMPARE(opened->windowTitle(), Q(CategoryByWindow(window.toStdString())->caption));
    Control<QPushButton>(button.toStdString())->click();
    QCOMPARE(program_->runtime.Window(window.toStdString()), opened);
    QCOMPARE(program_->application.Registry().ObjectCount(), 2);
  }

  void closingStopsTheTimerForGood() {
    QPointer<QTimer> timer = window_->findChild<QTimer*>(Q(app::kBlinkTimer));
    Control<QPushButton>("Command9")->click();
    window_->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(timer.isNull());
    QVERIFY(program_->runtime.Window(app::kMainWindow) == nullptr);
    QVERIFY(program_->runtime.Window("Form9")->isVisible());
  }
};

QTEST_MAIN(MainWindowTest)
#include "test_main_window.moc"
