// The program's life against the recording fake: the window registry, the end of the program,
// the main window's handlers and the failure path.
#include <QTest>

#include "app/application.h"
#include "app/failure_messages.h"
#include "app/main_window.h"
#include "forms/fake/fake_runtime.h"

using namespace vestora;
using forms::FakeRuntime;

namespace {

struct Program {
  FakeRuntime runtime;
  app::Application application{runtime};

  Program() {
    if (!application.Start()) qFatal("the main window did not open");
  }
  int Count(const std::string& call) const {
    return static_cast<int>(std::ranges::count(runtime.calls, call));
  }
};

}  // namespace

class ApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  void startOpensOnlyTheMainWindow() {
    Program program;
    QVERIFY(program.runtime.IsOpen("Form1"));
    QCOMPARE(program.runtime.open.size(), std::size_t{1});
    QCOMPARE(program.application.Registry().ObjectCount(), 1);
    const forms::FormDescription& main = program.runtime.open.at("Form1");
    QCOMPARE(main.caption, std::string_view("Vestora"));
    QVERIFY(main.timer && main.timer->intervalMs == 250);
  }

  void registryGoesThroughItsStates() {
    Program program;
    const app::WindowRegistry& registry = program.application.Registry();
    QVERIFY(registry.Find("Form9") == nullptr);  // empty

    program.application.Pressed("Form1", "Command9");  // empty -> open
    QVERIFY(registry.Find("Form9") && registry.Find("Form9")->open);
    QCOMPARE(program.runtime.builds, 2);

    program.application.Pressed("Form1", "Command9");  // open -> open, nothing new
    QCOMPARE(program.runtime.builds, 2);
    QCOMPARE(program.Count("ShowForm Form9"), 2);
    QCOMPARE(registry.ObjectCount(), 2);

    program.runtime.CloseByUser("Form9");  // open -> closed, object kept
    QVERIFY(registry.Find("Form9") && !registry.Find("Form9")->open);
    QVERIFY(!program.runtime.ended);

    program.application.Pressed("Form1", "Command9");  // closed -> open, built anew
    QVERIFY(registry.Find("Form9")->open);
    QCOMPARE(program.runtime.builds, 3);
    QCOMPARE(registry.ObjectCount(), 2);
  }

  void everyCategoryButtonOpensItsOwnWindow() {
    Program program;
    for (const app::MainControl& control : app::kMainControls) {
      if (control.kind == forms::ControlKind::PushButton) {
        program.application.Pressed("Form1", control.name);
      }
    }
    QCOMPARE(program.runtime.open.size(), std::size_t{18});
    for (const Category& category : Catalog()) {
      const forms::FormDescription& form =
          program.runtime.open.at(std::string(category.windowName));
      QCOMPARE(form.caption, category.caption);
    }
  }

  void programEndsWhenTheLastWindowCloses_data() {
    QTest::addColumn<QStringList>("closingOrder");
    QTest::newRow("main window first") << QStringList{"Form1", "Form3", "Form9"};
    QTest::newRow("main window last") << QStringList{"Form9", "Form3", "Form1"};
    QTest::newRow("main window between") << QStringList{"Form3", "Form1", "Form9"};
  }
  void programEndsWhenTheLastWindowCloses() {
    QFETCH(QStringList, closingOrder);
    Program program;
    program.application.Pressed("Form1", "Command1");
    program.application.Pressed("Form1", "Command9");
    for (qsizetype i = 0; i < closingOrder.size(); ++i) {
      QVERIFY(!program.runtime.ended);
      program.runtime.CloseByUser(closingOrder[i].toStdString());
    }
    QVERIFY(program.runtime.ended);
  }

  void categoryWindowsWorkAfterTheMainWindowCloses() {
    Program program;
    program.application.Pressed("Form1", "Command5");
    program.runtime.CloseByUser("Form1");
    QVERIFY(!program.runtime.ended);
    program.application.Pressed("Form6", "Command8");
    QCOMPARE(program.runtime.starts.size(), std::size_t{1});
  }

  void closingTheMainWindowAloneEndsTheProgram() {
    Program program;
    program.runtime.CloseByUser("Form1");
    QVERIFY(program.runtime.ended);
  }

  void noticeButtonShowsTheNoticeAndNothingElse() {
    Program program;
    program.application.Pressed("Form1", "Command8");
    program.application.Pressed("Form1", "Command8");
    QCOMPARE(program.runtime.messageBoxes.size(), std::size_t{2});
    const auto& box = program.runtime.messageBoxes.front();
    QCOMPARE(box.prompt, std::string(app::kNoticePrompt));
    QCOMPARE(box.title, std::string("友情提醒"));
    QCOMPARE(box.style, 48);
    QCOMPARE(program.runtime.open.size(), std::size_t{1});
    QVERIFY(program.runtime.starts.empty());
  }

  // Each tick inverts the slogan. Where the desktop says animations are off it is shown and holds
  // still, asking the window for nothing more; it blinks again once they are back on.
  void sloganBlinksUnlessAnimationsAreOff_data() {
    QTest::addColumn<QString>("animations");  // before each tick: '+' on, '-' off
    QTest::addColumn<QString>("shown");       // after each tick: '1' shown, '0' hidden
    QTest::newRow("on") << "++++"
                        << "0101";
    QTest::newRow("off") << "---"
                         << "111";
    QTest::newRow("turned off while hidden") << "+--"
                                             << "011";
    QTest::newRow("turned off while shown") << "++--"
                                            << "0111";
    QTest::newRow("turned back on") << "--++"
                                    << "1101";
  }
  void sloganBlinksUnlessAnimationsAreOff() {
    QFETCH(QString, animations);
    QFETCH(QString, shown);
    Program program;
    QVERIFY(program.runtime.IsLabelVisible("Form1", "Label2"));
    int changes = 0;
    bool before = true;
    for (qsizetype i = 0; i < animations.size(); ++i) {
      program.runtime.animationsOff = animations[i] == '-';
      program.application.Ticked("Form1", "Timer1");
      const bool after = program.runtime.IsLabelVisible("Form1", "Label2");
      QCOMPARE(after, shown[i] == '1');
      changes += after != before ? 1 : 0;
      before = after;
    }
    const int set = program.Count("SetLabelVisible Form1.Label2 true") +
                    program.Count("SetLabelVisible Form1.Label2 false");
    QCOMPARE(set, changes);
    QVERIFY(program.runtime.reports.empty());
  }

  void failingHandlersReachTheFailurePathOnceEach_data() {
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("what");
    QTest::newRow("opening a window")
        << "Form1"
        << "Command9" << QString::fromUtf8(app::kFailedOpeningWindow.data());
    QTest::newRow("the notice box")
        << "Form1"
        << "Command8" << QString::fromUtf8(app::kFailedShowingNotice.data());
    QTest::newRow("starting a browser")
        << "Form3"
        << "Command2" << QString::fromUtf8(app::kFailedStartingBrowser.data());
  }
  void failingHandlersReachTheFailurePathOnceEach() {
    QFETCH(QString, form);
    QFETCH(QString, control);
    QFETCH(QString, what);
    Program program;
    if (form != "Form1") program.application.Pressed("Form1", "Command1");
    program.runtime.failShowForm = "window failed";
    program.runtime.failMessageBox = "box failed";
    program.runtime.failStartProgram = "start failed";

    program.application.Pressed(form.toStdString(), control.toStdString());
    QCOMPARE(program.runtime.reports.size(), std::size_t{1});
    QCOMPARE(QString::fromStdString(program.runtime.reports[0].what), what);
    QVERIFY(program.runtime.reports[0].reason.ends_with("failed"));

    // The same failure again is reported again; the program goes on.
    program.application.Pressed(form.toStdString(), control.toStdString());
    QCOMPARE(program.runtime.reports.size(), std::size_t{2});
    QVERIFY(program.runtime.IsOpen("Form1"));
    QVERIFY(!program.runtime.ended);

    // Once the cause is gone the same press works.
    program.runtime.failShowForm.reset();
    program.runtime.failMessageBox.reset();
    program.runtime.failStartProgram.reset();
    program.application.Pressed(form.toStdString(), control.toStdString());
    QCOMPARE(program.runtime.reports.size(), std::size_t{2});
  }

  void windowThatFailedToShowKeepsItsObject() {
    Program program;
    program.runtime.failShowForm = "window failed";
    program.application.Pressed("Form1", "Command9");
    const app::WindowObject* object = program.application.Registry().Find("Form9");
    QVERIFY(object != nullptr);
    QVERIFY(!object->open);
    program.runtime.failShowForm.reset();
    program.application.Pressed("Form1", "Command9");
    QVERIFY(object->open);
    QCOMPARE(program.application.Registry().ObjectCount(), 2);
  }

  void failingStartLeavesNoWindowOpen() {
    FakeRuntime runtime;
    runtime.failShowForm = "no display";
    app::Application application(runtime);
    QCOMPARE(application.Run(), 1);
    QCOMPARE(runtime.reports.size(), std::size_t{1});
    QCOMPARE(runtime.reports[0].what, std::string(app::kFailedShowingMainWindow));
  }

  void eventsOfUnknownFormsAndControlsDoNothing() {
    Program program;
    const std::size_t calls = program.runtime.calls.size();
    program.application.Pressed("Form1", "Frame1");
    program.application.Pressed("Form99", "Command1");
    program.application.Ticked("Form9", "Timer1");
    program.application.Closed("Form42");
    QCOMPARE(program.runtime.calls.size(), calls);
    QVERIFY(!program.runtime.ended);
  }
};

QTEST_GUILESS_MAIN(ApplicationTest)
#include "test_application.moc"
