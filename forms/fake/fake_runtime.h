// A forms runtime that builds nothing on screen: it records every call, keeps the state a real
// backend would keep (which forms are open, which labels are visible), and can be told to fail.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <vector>

#include "forms/runtime.h"

namespace vestora::forms {

class FakeRuntime final : public Runtime {
 public:
  struct Start {
    std::string commandLine;
    LaunchStyle style;
  };
  struct Report {
    std::string what;
    std::string reason;
  };
  struct MessageBox {
    std::string prompt;
    int style;
    std::string title;
  };

  void ShowForm(const FormDescription& form, FormEvents& events) override;
  bool IsLabelVisible(std::string_view form, std::string_view label) override;
  void SetLabelVisible(std::string_view form, std::string_view label, bool visible) override;
  void ShowMessageBox(std::string_view prompt, int style, std::string_view title) override;
  TaskNumber StartProgram(std::string_view commandLine, LaunchStyle style) override;
  void ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept override;
  bool AnimationsOff() override { return animationsOff; }
  int Run() override { return 0; }
  void EndProgram() override { ended = true; }

  // The user closes a form with its close button.
  void CloseByUser(std::string_view form);
  bool IsOpen(std::string_view form) const { return open.contains(std::string(form)); }

  // Everything the program asked for, in order, one short line per call.
  std::vector<std::string> calls;
  std::map<std::string, FormDescription, std::less<>> open;  // open forms by name
  int builds = 0;                                            // forms built from a description
  std::vector<Start> starts;
  std::vector<Report> reports;
  std::vector<MessageBox> messageBoxes;
  bool ended = false;
  bool animationsOff = false;  // what the desktop's settings say

  // Failures to raise: the next calls of these operations throw Failure with this reason.
  std::optional<std::string> failShowForm;
  std::optional<std::string> failStartProgram;
  std::optional<std::string> failMessageBox;

 private:
  FormEvents* events_ = nullptr;
  std::map<std::string, bool, std::less<>> hiddenLabels_;
};

}  // namespace vestora::forms
