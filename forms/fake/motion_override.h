// A runtime that hands every call to a real backend, except that it answers for the desktop's
// animation setting as it is told, and counts what the program asked of the blinking label. For
// the backends' tests of a slogan that holds still: the setting is faked here, at the seam,
// never changed on the machine.
#pragma once

#include "forms/runtime.h"

namespace vestora::forms {

class MotionOverride final : public Runtime {
 public:
  MotionOverride(Runtime& backend, bool animationsOff)
      : backend_(backend), animationsOff_(animationsOff) {}

  void ShowForm(const FormDescription& form, FormEvents& events) override {
    backend_.ShowForm(form, events);
  }
  bool IsLabelVisible(std::string_view form, std::string_view label) override {
    ++labelQuestions;
    return backend_.IsLabelVisible(form, label);
  }
  void SetLabelVisible(std::string_view form, std::string_view label, bool visible) override {
    ++(visible ? shows : hides);
    backend_.SetLabelVisible(form, label, visible);
  }
  bool AnimationsOff() override {
    ++settingQuestions;
    return animationsOff_;
  }
  void ShowMessageBox(std::string_view prompt, int style, std::string_view title) override {
    backend_.ShowMessageBox(prompt, style, title);
  }
  TaskNumber StartProgram(std::string_view commandLine, LaunchStyle style) override {
    return backend_.StartProgram(commandLine, style);
  }
  void ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept override {
    backend_.ReportUnhandledFailure(what, reason);
  }
  int Run() override { return backend_.Run(); }
  void EndProgram() override { backend_.EndProgram(); }

  int labelQuestions = 0;    // IsLabelVisible calls: one per tick of the blinking timer
  int settingQuestions = 0;  // AnimationsOff calls
  int shows = 0;             // SetLabelVisible(true) calls
  int hides = 0;             // SetLabelVisible(false) calls

 private:
  Runtime& backend_;
  bool animationsOff_;
};

}  // namespace vestora::forms
