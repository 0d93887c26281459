#include "app/application.h"

#include <exception>
#include <string>

#include "app/category_window.h"
#include "app/failure_messages.h"
#include "app/main_window.h"
#include "catalog/catalog.h"

namespace vestora::app {

template <typename Handler>
void Application::RunHandler(std::string_view what, Handler&& handler) noexcept {
  // A failing handler ends at the failing step; the failure is reported once and the program
  // goes on with every window as it was.
  try {
    handler();
  } catch (const std::exception& failure) {
    runtime_.ReportUnhandledFailure(what, failure.what());
  } catch (...) {
    runtime_.ReportUnhandledFailure(what, kUnknownReason);
  }
}

bool Application::Start() {
  RunHandler(kFailedShowingMainWindow, [&] {
    WindowObject* main = registry_.Obtain(kMainWindow);
    runtime_.ShowForm(MainWindowDescription(), *this);
    main->open = true;
  });
  return registry_.AnyOpen();
}

int Application::Run() {
  if (!Start()) return 1;
  return runtime_.Run();
}

void Application::OpenWindow(std::string_view formName) {
  WindowObject* object = registry_.Obtain(formName);
  if (object == nullptr || object->category == nullptr) {
    throw forms::Failure("没有名为“" + std::string(formName) + "”的窗口");
  }
  runtime_.ShowForm(DescribeCategoryWindow(*object->category), *this);
  object->open = true;
}

void Application::PressMainButton(std::string_view control) {
  if (control == kNoticeButton) {
    RunHandler(kFailedShowingNotice, [&] {
      runtime_.ShowMessageBox(kNoticePrompt, forms::kExclamationOkOnly, kNoticeTitle);
    });
    return;
  }
  if (const Category* category = CategoryByMainButton(control)) {
    RunHandler(kFailedOpeningWindow, [&] { OpenWindow(category->windowName); });
  }
}

void Application::Pressed(std::string_view form, std::string_view control) noexcept {
  if (form == kMainWindow) {
    PressMainButton(control);
    return;
  }
  if (const Category* category = CategoryByWindow(form)) {
    RunHandler(kFailedStartingBrowser, [&] { PressCellButton(*category, control, runtime_); });
  }
}

void Application::Ticked(std::string_view form, std::string_view timer) noexcept {
  if (form != kMainWindow || timer != kBlinkTimer) return;
  RunHandler(kFailedBlinkingSlogan, [&] {
    const bool visible = runtime_.IsLabelVisible(kMainWindow, kSlogan);
    // Where the user turned animations off, the slogan is shown and holds still; it blinks again
    // once they are back on.
    if (runtime_.AnimationsOff()) {
      if (!visible) runtime_.SetLabelVisible(kMainWindow, kSlogan, true);
      return;
    }
    runtime_.SetLabelVisible(kMainWindow, kSlogan, !visible);
  });
}

void Application::Closed(std::string_view form) noexcept {
  if (WindowObject* object = registry_.Find(form)) object->open = false;
  if (!registry_.AnyOpen()) runtime_.EndProgram();
}

}  // namespace vestora::app
