// Reading the catalog's Windows command lines: which program, which arguments.
#include <QTest>

#include "catalog/constants.h"
#include "forms/command_line.h"

using vestora::forms::SplitWindowsCommandLine;

namespace {

constexpr std::string_view kKnown[] = {vestora::kShellProgram, vestora::kBrowserProgram};

QStringList ToList(const std::vector<std::string>& arguments) {
  QStringList list;
  for (const std::string& argument : arguments) list << QString::fromStdString(argument);
  return list;
}

}  // namespace

class CommandLineTest : public QObject {
  Q_OBJECT

 private slots:
  void splitsAsWindowsDoes_data() {
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("shell with a quoted address")
        << "explorer.exe \"http://h/p/f?t=13&i=1&u=2\""
        << "explorer.exe" << QStringList{"http://h/p/f?t=13&i=1&u=2"};
    QTest::newRow("unquoted browser path with spaces")
        << "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE http://h/x%3Fa%3D1%26b"
        << "C:\\Program Files\\Internet Explorer\\IEXPLORE.EXE"
        << QStringList{"http://h/x%3Fa%3D1%26b"};
    QTest::newRow("program names compare without case")
        << "c:\\program files\\internet explorer\\iexplore.exe http://h/"
        << "c:\\program files\\internet explorer\\iexplore.exe" << QStringList{"http://h/"};
    QTest::newRow("unknown unquoted program is its first word")
        << "C:\\Program Files\\Other\\x.exe a"
        << "C:\\Program" << QStringList{"Files\\Other\\x.exe", "a"};
    QTest::newRow("quoted program") << "\"C:\\a b\\c.exe\" one \"two three\""
                                    << "C:\\a b\\c.exe" << QStringList{"one", "two three"};
    QTest::newRow("escaped quotation mark") << "explorer.exe \"a\\\"b\" c\\\\d"
                                            << "explorer.exe" << QStringList{"a\"b", "c\\\\d"};
    QTest::newRow("backslashes before a quote halve") << "explorer.exe \"a\\\\\" b"
                                                      << "explorer.exe" << QStringList{"a\\", "b"};
    QTest::newRow("doubled quote inside quotes") << "explorer.exe \"a\"\"b\""
                                                 << "explorer.exe" << QStringList{"a\"b"};
    QTest::newRow("unterminated quote runs to the end") << "explorer.exe \"a b"
                                                        << "explorer.exe" << QStringList{"a b"};
    QTest::newRow("blanks around and between") << "  explorer.exe \t x  y "
                                               << "explorer.exe" << QStringList{"x", "y"};
    QTest::newRow("no arguments") << "explorer.exe"
                                  << "explorer.exe" << QStringList{};
    QTest::newRow("empty line") << ""
                                << "" << QStringList{};
  }
  void splitsAsWindowsDoes() {
    QFETCH(QString, line);
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    const auto command = SplitWindowsCommandLine(line.toStdString(), kKnown);
    QCOMPARE(QString::fromStdString(command.program), program);
    QCOMPARE(ToList(command.arguments), arguments);
  }
};

QTEST_GUILESS_MAIN(CommandLineTest)
#include "test_command_line.moc"
