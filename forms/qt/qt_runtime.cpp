#include "forms/qt/qt_runtime.h"

#include <QApplication>
#include <QLabel>
#include <QLocale>
#include <QMessageBox>
#include <QPixmapCache>
#include <QTranslator>

#include "forms/failure_texts.h"
#include "forms/qt/accessibility.h"
#include "forms/qt/box_owner.h"
#include "forms/qt/contrast.h"
#include "forms/qt/fonts.h"
#include "forms/qt/form_builder.h"
#include "forms/qt/motion_setting.h"
#include "forms/qt/program_icon.h"
#include "forms/qt/resources.h"
#include "forms/qt/start_program.h"
#include "forms/qt/style.h"
#include "forms/qt/text.h"

namespace vestora::qt {
namespace {

// Room for the faces of the program's buttons in their states, a dozen KiB each.
constexpr int kStyleCacheKb = 512;

QMessageBox::Icon IconFor(int style) {
  switch (style & 0x70) {
    case 16:
      return QMessageBox::Critical;
    case 32:
      return QMessageBox::Question;
    case 48:
      return QMessageBox::Warning;
    case 64:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

}  // namespace

QtRuntime::~QtRuntime() {
  // Windows still open when the runtime goes away close silently: the program that listened for
  // their closing may be gone already. Only that connection goes (its context is the window);
  // others, such as the accessibility cache's, must still hear of the window's end.
  for (auto& [name, window] : windows_) {
    if (window) {
      QObject::disconnect(window, &QObject::destroyed, window, nullptr);
      delete window;
    }
  }
}

void QtRuntime::ShowForm(const forms::FormDescription& form, forms::FormEvents& events) {
  QPointer<QWidget>& window = windows_[std::string(form.name)];
  if (window) {
    // Already open: the same window comes to the front, restored if it was minimized.
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->show();
    window->raise();
    window->activateWindow();
    return;
  }
  window = BuildForm(form, events);
  box_owners_.Follow(window);
  window->show();
  if (QWidget* first = FirstInFocusOrder(window)) first->setFocus(Qt::OtherFocusReason);
  window->activateWindow();
}

QWidget* QtRuntime::Window(std::string_view form) const {
  const auto found = windows_.find(form);
  return found == windows_.end() ? nullptr : found->second.data();
}

QWidget* QtRuntime::Control(std::string_view form, std::string_view control) const {
  QWidget* window = Window(form);
  QWidget* widget = window ? window->findChild<QWidget*>(ToQString(control)) : nullptr;
  if (widget == nullptr) {
    throw forms::Failure(forms::NoSuchControl(form, control));
  }
  return widget;
}

bool QtRuntime::IsLabelVisible(std::string_view form, std::string_view label) {
  return !Control(form, label)->isHidden();
}

void QtRuntime::SetLabelVisible(std::string_view form, std::string_view label, bool visible) {
  Control(form, label)->setVisible(visible);
}

bool QtRuntime::AnimationsOff() {
  return DesktopAnimationsOff();
}

void QtRuntime::ShowMessageBox(std::string_view prompt, int style, std::string_view title) {
  // Owned by a window of ours (BoxOwners); on the heap, since it goes with its owner.
  const QPointer<QMessageBox> box =
      new OwnedMessageBox(IconFor(style), ToQString(title), ToQString(prompt), box_owners_.Owner());
  box->setObjectName(QStringLiteral("MessageBox"));
  box->setDefaultButton(QMessageBox::Ok);
  box->setEscapeButton(QMessageBox::Ok);
  box->setWindowModality(Qt::ApplicationModal);
  box->setTextFormat(Qt::PlainText);
  ExecKeepingFocus(box);
}

forms::TaskNumber QtRuntime::StartProgram(std::string_view commandLine, forms::LaunchStyle style) {
  return qt::StartProgram(commandLine, style);
}

void QtRuntime::ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept {
  try {
    const QPointer<QMessageBox> box =
        new OwnedMessageBox(QMessageBox::Critical, ToQString(forms::kFailureBoxTitle),
                            ToQString(forms::FailureBoxText(what, reason)), box_owners_.Owner());
    box->setObjectName(QStringLiteral("FailureBox"));
    box->setWindowModality(Qt::ApplicationModal);
    box->setTextFormat(Qt::PlainText);
    ExecKeepingFocus(box);
  } catch (...) {
    // Nothing is left to tell the user with; the program goes on regardless.
  }
}

int QtRuntime::Run() {
  return QApplication::exec();
}

void QtRuntime::EndProgram() {
  QCoreApplication::exit(0);
}

void InstallChineseTexts() {
  QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
  auto* translator = new QTranslator(qApp);
  if (translator->load(kTranslationPath)) QCoreApplication::installTranslator(translator);
}

void InstallStyle() {
  // Buttons alike share one cached face (see SharedFacesStyle). The cache holds a few faces; its
  // limit keeps anything else from piling up in it: the backing stores hold what was drawn.
  QApplication::setStyle(new SharedFacesStyle(QApplication::style()->name()));
  QPixmapCache::setCacheLimit(kStyleCacheKb);
}

void PrepareApplication() {
  BeginReadingProgramIcon();
  InstallChineseTexts();
  InstallEmbeddedFonts();
  InstallStyle();
  InstallAccessibility();
  BeginReadingMotionSetting();
  FollowHighContrast();
  // The program ends when its last window closes, as it decides, not when the toolkit thinks
  // the last "primary" window went (a message box could otherwise end it).
  QApplication::setQuitOnLastWindowClosed(false);
}

}  // namespace vestora::qt
