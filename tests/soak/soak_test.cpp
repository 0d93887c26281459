// Long use of the real windows: every category window opened and closed 200 times, 10,000 cell
// buttons pressed in between (2,000 under AddressSanitizer), and after every round not one
// widget or picture box more than before the first. Presses start a stand-in xdg-open that does
// nothing, found first on PATH.
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
#include <array>
#include <cstdint>

#include "app/application.h"
#include "app/main_window.h"
#include "catalog/catalog.h"
#include "forms/qt/qt_runtime.h"
#include "forms/qt/widgets.h"

namespace {

constexpr int kRounds = 200;
#ifdef __SANITIZE_ADDRESS__
// Every press forks the whole process, and under AddressSanitizer that costs some 30 ms instead
// of 4: fewer presses keep the run short and still repeat the path far beyond any one-off leak.
constexpr int kPresses = 2'000;
#else
constexpr int kPresses = 10'000;
#endif
constexpr int kOpenings = kRounds * vestora::kCategoryCount;

QString ToQString(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
  }

  void openPressAndCloseEveryWindow() {
    vestora::qt::QtRuntime runtime;
    vestora::app::Application application(runtime);
    QVERIFY(application.Start());
    QCoreApplication::processEvents();
    const qsizetype widgetsBefore = QApplication::allWidgets().size();
    QCOMPARE(vestora::qt::PictureBox::LiveCount(), 0);

    int openings = 0;
    int presses = 0;
    std::array<std::size_t, vestora::kCategoryCount> nextCell{};
    for (int round = 0; round < kRounds; ++round) {
      for (std::size_t c = 0; c < vestora::Catalog().size(); ++c) {
        const vestora::Category& category = vestora::Catalog()[c];
        application.Pressed(vestora::app::kMainWindow, category.mainButton);
        QPointer<QWidget> window = runtime.Window(category.windowName);
        QVERIFY2(window && window->isVisible(), category.windowName.data());
        QCOMPARE(PictureBoxesIn(window), qsizetype(category.cells.size()));
        QCoreApplication::processEvents();  // shown and painted, as the user would see it

        // Presses spread evenly over the openings, walking each window's cells in turn.
        ++openings;
        const int due = static_cast<int>(std::int64_t{openings} * kPresses / kOpenings);
        for (; presses < due; ++presses) {
          const vestora::ItemCell& cell = category.cells[nextCell[c]++ % category.cells.size()];
          auto* button =
              window->findChild<QPushButton*>(ToQString(vestora::CommandName(cell.button)));
          QVERIFY(button != nullptr);
          button->click();
        }

        window->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(window.isNull());
        QCoreApplication::processEvents();
        QVERIFY(!application.Registry().Find(category.windowName)->open);
      }
      QCOMPARE(QApplication::allWidgets().size(), widgetsBefore);
      QCOMPARE(vestora::qt::PictureBox::LiveCount(), 0);
      QVERIFY2(failures_.isEmpty(), qPrintable(failures_.join('\n')));
    }
    QCOMPARE(presses, kPresses);
    QVERIFY(runtime.Window(vestora::app::kMainWindow) != nullptr);
  }

 private:
  QTemporaryDir opener_;
  QTimer boxWatch_;
  QStringList failures_;
};

QTEST_MAIN(SoakTest)
#include "soak_test.moc"
