#include "forms/qt/start_program.h"

#include <QProcess>
#include <QStandardPaths>
#include <algorithm>
#include <array>

#include "catalog/constants.h"
#include "forms/command_line.h"
#include "forms/failure_texts.h"

namespace vestora::qt {
namespace {

// Both programs the catalog's command lines name mean "open this address" here.
constexpr std::array<std::string_view, 2> kBrowserPrograms = {kShellProgram, kBrowserProgram};

bool IsBrowserProgram(std::string_view program) {
  return std::ranges::any_of(kBrowserPrograms, [&](std::string_view known) {
    return forms::SameProgramName(program, known);
  });
}

}  // namespace

std::string AddressOf(std::string_view commandLine) {
  forms::SplitCommand command = forms::SplitWindowsCommandLine(commandLine, kBrowserPrograms);
  if (!IsBrowserProgram(command.program)) {
    throw forms::Failure(forms::CannotStartProgram(command.program, forms::kProgramUnknownHere));
  }
  if (command.arguments.size() != 1) {
    throw forms::Failure(
        forms::CannotStartProgram(command.program, forms::NotOneAddress(command.arguments.size())));
  }
  return std::move(command.arguments.front());
}

forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle) {
  // The launch style (normal or minimized window) cannot be honoured: xdg-open hands the address
  // to whatever browser the desktop prefers and has no say over how its window is shown.
  const std::string address = AddressOf(commandLine);
  const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
  if (opener.isEmpty()) {
    throw forms::Failure(std::string(forms::kNoOpener));
  }
  QProcess process;
  process.setProgram(opener);
  process.setArguments({QString::fromUtf8(address.data(), static_cast<qsizetype>(address.size()))});
  // The browser is on its own: it reads nothing from us and writes nothing into our terminal.
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!process.startDetached(&pid)) {
    throw forms::Failure(forms::CannotStartOpener(process.errorString().toStdString()));
  }
  return static_cast<forms::TaskNumber>(pid);
}

}  // namespace vestora::qt
