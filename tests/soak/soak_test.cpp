// Long use of the real windows: each category window opened and closed many times in a row,
// every cell button pressed along the way, and after each window's run not one widget or picture
// box more than before the first. Presses start a stand-in xdg-open that does nothing, found first
// on PATH.
//
// One data row per category keeps each piece of work far below Qt Test's per-function watchdog on
// a slow machine, and the counts are smaller under AddressSanitizer, where every opening and every
// process start costs several times as much.
#include <QApplication>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "app/application.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/text.h"
#include "forms/qt/widgets.h"

namespace {

using vestora::qt::ToQString;

#ifdef __SANITIZE_ADDRESS__
constexpr int kRounds = 40;
constexpr int kPressesPerCell = 1;
#else
constexpr int kRounds = 150;
constexpr int kPressesPerCell = 2;
#endif

// PictureBox has no meta-object of its own, so findChildren cannot tell it from a QWidget.
qsizetype PictureBoxesIn(QWidget* window) {
  const auto children = window->findChildren<QWidget*>();
  return std::ranges::count_if(children, [](QWidget* widget) {
    return dynamic_cast<vestora::qt::PictureBox*>(widget) != nullptr;
  });
}

}  // namespace

class SoakTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() {
    QVERIFY(opener_.isValid());
    // The cheapest program that starts and ends at once, under the opener's name.
    const QString doNothing = QStandardPaths::findExecutable(QStringLiteral("true"));
    QVERIFY(!doNothing.isEmpty());
    QVERIFY(QFile::link(doNothing, opener_.filePath(QStringLiteral("xdg-open"))));
    qputenv("PATH", opener_.path().toLocal8Bit() + ':' + qgetenv("PATH"));
    vestora::qt::PrepareApplication();

    // A failure box would wait for a user who never comes: note its text and dismiss it.
    connect(&boxWatch_, &QTimer::timeout, this, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        failures_ << box->text();
        box->done(QMessageBox::Ok);
      }
    });
    boxWatch_.start(50);

    // One program for the whole run: the windows are opened one after another in it, as a user
    // who stays a long time would.
    runtime_ = std::make_unique<vestora::qt::QtRuntime>();
    application_ = std::make_unique<vestora::app::Application>(*runtime_);
    QVERIFY(application_->Start());
    QCoreApplication::processEvents();
    widgetsBefore_ = QApplication::allWidgets().size();
    QCOMPARE(vestora::qt::PictureBox::LiveCount(), 0);
  }

  void cleanupTestCase() {
    QVERIFY(runtime_->Window(vestora::app::kMainWindow) != nullptr);
    application_.reset();
    runtime_.reset();
  }

  void openPressAndClose_data() {
    QTest::addColumn<int>("category");
    for (std::size_t c = 0; c < vestora::Catalog().size(); ++c) {
      QTest::newRow(vestora::Catalog()[c].windowName.data()) << static_cast<int>(c);
    }
  }

  void openPressAndClose() {
    QFETCH(int, category);
    const vestora::Category& shown = vestora::Catalog()[static_cast<std::size_t>(category)];
    const int presses = static_cast<int>(shown.cells.size()) * kPressesPerCell;
    int pressed = 0;
    for (int round = 0; round < kRounds; ++round) {
      application_->Pressed(vestora::app::kMainWindow, shown.mainButton);
      QPointer<QWidget> window = runtime_->Window(shown.windowName);
      QVERIFY2(window && window->isVisible(), shown.windowName.data());
      QCOMPARE(PictureBoxesIn(window), qsizetype(shown.cells.size()));
      QCoreApplication::processEvents();  // shown and painted, as the user would see it

      // The presses spread evenly over the rounds, walking the cells in turn.
      const int due = (round + 1) * presses / kRounds;
      for (; pressed < due; ++pressed) {
        const vestora::ItemCell& cell =
            shown.cells[static_cast<std::size_t>(pressed) % shown.cells.size()];
        auto* button =
            window->findChild<QPushButton*>(ToQString(vestora::CommandName(cell.button)));
        QVERIFY(button != nullptr);
        button->click();
      }

      window->close();
      QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
      QVERIFY(window.isNull());
      QCoreApplication::processEvents();
      QVERIFY(!application_->Registry().Find(shown.windowName)->open);
    }
    QCOMPARE(pressed, presses);
    QCOMPARE(QApplication::allWidgets().size(), widgetsBefore_);
    QCOMPARE(vestora::qt::PictureBox::LiveCount(), 0);
    QVERIFY2(failures_.isEmpty(), qPrintable(failures_.join('\n')));
  }

 private:
  QTemporaryDir opener_;
  QTimer boxWatch_;
  QStringList failures_;
  std::unique_ptr<vestora::qt::QtRuntime> runtime_;
  std::unique_ptr<vestora::app::Application> application_;
  qsizetype widgetsBefore_ = 0;
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
