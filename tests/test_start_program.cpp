// Pressing "点我获取" through real widgets starts xdg-open with the address, byte for byte.
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "catalog/catalog.h"
#include "catalog/constants.h"
#include "catalog/link_commands.h"
#include "forms/qt/start_program.h"
#include "qt_program.h"

using namespace vestora;

namespace {

// A stand-in xdg-open that writes its arguments, NUL-separated, to a file of its own per call.
// PATH holds nothing else, so it names its tools by their full paths.
constexpr char kRecorder[] =
    "#!/bin/sh\n"
    "out=\"${0%/*}/calls/$$\"\n"
    "printf '%s\\0' \"$@\" > \"$out.tmp\" && /bin/mv \"$out.tmp\" \"$out\"\n";

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

class StartProgramTest : public QObject {
  Q_OBJECT

  QTemporaryDir dir_;
  QByteArray originalPath_ = qgetenv("PATH");
  std::unique_ptr<testing::QtProgram> program_;

  QString Bin() const { return dir_.filePath("bin"); }
  QDir Calls() const { return QDir(dir_.filePath("bin/calls")); }
  void InstallRecorder() {
    QDir().mkpath(Bin() + "/calls");
    QFile script(Bin() + "/xdg-open");
    QVERIFY(script.open(QIODevice::WriteOnly));
    script.write(kRecorder);
    script.close();
    script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  void Press(const char* form, const char* button) {
    QWidget* window = program_->runtime.Window(form);
    QVERIFY(window);
    auto* widget = window->findChild<QPushButton*>(button);
    QVERIFY(widget);
    QTest::mouseClick(widget, Qt::LeftButton);
  }
  QList<QByteArrayList> Recorded() const {
    QList<QByteArrayList> calls;
    for (const QString& name : Calls().entryList({"[0-9]*"}, QDir::Files)) {
      if (name.endsWith(".tmp")) continue;
      QFile file(Calls().filePath(name));
      if (!file.open(QIODevice::ReadOnly)) continue;
      QByteArray bytes = file.readAll();
      bytes.chop(1);
      calls << bytes.split('\0');
    }
    return calls;
  }

 private slots:
  void initTestCase() {
    QVERIFY(dir_.isValid());
    InstallRecorder();
    // Only the stand-in may be found: the real xdg-open would start a browser.
    qputenv("PATH", Bin().toLocal8Bit());
  }
  void init() {
    program_ = std::make_unique<testing::QtProgram>();
    QVERIFY(program_->Open("Form1"));
    for (const QString& name : Calls().entryList(QDir::Files)) Calls().remove(name);
  }
  void cleanup() { program_.reset(); }
  void cleanupTestCase() { qputenv("PATH", originalPath_); }

  void addressesOfTheCatalogsCommandLines_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("address");
    QTest::newRow("shell") << "explorer.exe \"http://h/p/f?t=13&i=1&u=2\""
                           << "http://h/p/f?t=13&i=1&u=2";
    QTest::newRow("browser path")
        << "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://h/a%25b"
        << "http://h/a%25b";
  }
  void addressesOfTheCatalogsCommandLines() {
    QFETCH(QString, line);
    QFETCH(QString, address);
    QCOMPARE(Q(qt::AddressOf(line.toStdString())), address);
  }

  void linesNamingOtherProgramsOrArgumentsAreRefused_data() {
    QTest::addColumn<QString>("line");
    QTest::newRow("unknown program") << "notepad.exe \"http://h/\"";
    QTest::newRow("no address") << "explorer.exe";
    QTest::newRow("two addresses") << "explorer.exe http://a/ http://b/";
    QTest::newRow("browser elsewhere") << "C:\\Browser\\IEXPLORE.EXE http://h/";
  }
  void linesNamingOtherProgramsOrArgumentsAreRefused() {
    QFETCH(QString, line);
    QVERIFY_THROWS_EXCEPTION(forms::Failure, qt::AddressOf(line.toStdString()));
  }

  void eachPressStartsXdgOpenWithTheAddress_data() {
    QTest::addColumn<QString>("mainButton");
    QTest::addColumn<QString>("window");
    QTest::addColumn<QString>("button");
    QTest::newRow("item page") << "Command5"
                               << "Form6"
                               << "Command1";
    QTest::newRow("outfit page") << "Command5"
                                 << "Form6"
                                 << "Command4";
    QTest::newRow("friend items") << "Command5"
                                  << "Form6"
                                  << "Command8";
    QTest::newRow("swapped pair") << "Command11"
                                  << "Form10"
                                  << "Command9";
  }
  void eachPressStartsXdgOpenWithTheAddress() {
    QFETCH(QString, mainButton);
    QFETCH(QString, window);
    QFETCH(QString, button);
    program_->application.Pressed("Form1", mainButton.toStdString());
    Press(qPrintable(window), qPrintable(button));
    Press(qPrintable(window), qPrintable(button));
    QTRY_COMPARE_WITH_TIMEOUT(Recorded().size(), 2, 10000);
    const ItemCell* cell =
        CellByButton(*CategoryByWindow(window.toStdString()), button.toStdString());
    const std::string line = BuildCommandLine(cell->link);
    // The address as the line shows it: between the quotation marks after the shell, or after
    // the browser's path and one space.
    const QByteArray whole = QByteArray::fromStdString(line);
    const QByteArray shell = "explorer.exe \"";
    const QByteArray address = whole.startsWith(shell)
                                   ? whole.mid(shell.size()).chopped(1)
                                   : whole.mid(static_cast<qsizetype>(kBrowserProgram.size()) + 1);
    for (const QByteArrayList& call : Recorded()) {
      QCOMPARE(call, QByteArrayList{address});
    }
  }

  void missingXdgOpenIsReportedAndALaterPressWorks() {
    program_->application.Pressed("Form1", "Command9");
    QFile::rename(Bin() + "/xdg-open", Bin() + "/xdg-open.away");
    QString reported;
    const auto watch =
        testing::WhenModalBoxShows([&](QMessageBox* box) { reported = box->text(); });
    Press("Form9", "Command1");
    QVERIFY2(reported.contains(QStringLiteral("xdg-open")), qPrintable(reported));
    QVERIFY(program_->runtime.Window("Form9")->isVisible());
    QVERIFY(Recorded().isEmpty());

    QFile::rename(Bin() + "/xdg-open.away", Bin() + "/xdg-open");
    Press("Form9", "Command1");
    QTRY_COMPARE_WITH_TIMEOUT(Recorded().size(), 1, 10000);
  }
};

QTEST_MAIN(StartProgramTest)
#include "test_start_program.moc"
