// The forms runtime on Qt 6 Widgets.
#pragma once

#include <QPointer>
#include <QWidget>
#include <map>
#include <string>

#include "forms/qt/box_owner.h"
#include "forms/runtime.h"

namespace vestora::qt {

class QtRuntime final : public forms::Runtime {
 public:
  QtRuntime() = default;
  ~QtRuntime() override;
  QtRuntime(const QtRuntime&) = delete;
  QtRuntime& operator=(const QtRuntime&) = delete;

  void ShowForm(const forms::FormDescription& form, forms::FormEvents& events) override;
  bool IsLabelVisible(std::string_view form, std::string_view label) override;
  void SetLabelVisible(std::string_view form, std::string_view label, bool visible) override;
  bool AnimationsOff() override;
  void ShowMessageBox(std::string_view prompt, int style, std::string_view title) override;
  forms::TaskNumber StartProgram(std::string_view commandLine, forms::LaunchStyle style) override;
  void ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept override;
  int Run() override;
  void EndProgram() override;

  // The open window of a form, or none.
  QWidget* Window(std::string_view form) const;

 private:
  QWidget* Control(std::string_view form, std::string_view control) const;
  std::map<std::string, QPointer<QWidget>, std::less<>> windows_;
  BoxOwners box_owners_;  // the window each box belongs to
};

// Sets up the application as the program wants it: Chinese (PRC) texts for the toolkit's own
// words, the embedded fonts, the style, and an end decided by the program rather than by the last
// window.
void PrepareApplication();

// The parts of PrepareApplication besides the fonts (InstallEmbeddedFonts), each once.
void InstallChineseTexts();
void InstallStyle();

}  // namespace vestora::qt
