#include "forms/fake/fake_runtime.h"

namespace vestora::forms {
namespace {

std::string Key(std::string_view form, std::string_view control) {
  return std::string(form) + "." + std::string(control);
}

}  // namespace

void FakeRuntime::ShowForm(const FormDescription& form, FormEvents& events) {
  calls.push_back("ShowForm " + std::string(form.name));
  if (failShowForm) throw Failure(*failShowForm);
  events_ = &events;
  if (!IsOpen(form.name)) {
    open.emplace(std::string(form.name), form);
    ++builds;
  }
}

bool FakeRuntime::IsLabelVisible(std::string_view form, std::string_view label) {
  calls.push_back("IsLabelVisible " + Key(form, label));
  return !hiddenLabels_[Key(form, label)];
}

void FakeRuntime::SetLabelVisible(std::string_view form, std::string_view label, bool visible) {
  calls.push_back("SetLabelVisible " + Key(form, label) + (visible ? " true" : " false"));
  hiddenLabels_[Key(form, label)] = !visible;
}

void FakeRuntime::ShowMessageBox(std::string_view prompt, int style, std::string_view title) {
  calls.push_back("ShowMessageBox " + std::string(title));
  if (failMessageBox) throw Failure(*failMessageBox);
  messageBoxes.push_back({std::string(prompt), style, std::string(title)});
}

TaskNumber FakeRuntime::StartProgram(std::string_view commandLine, LaunchStyle style) {
  calls.push_back("StartProgram " + std::string(commandLine));
  if (failStartProgram) throw Failure(*failStartProgram);
  starts.push_back({std::string(commandLine), style});
  return static_cast<TaskNumber>(starts.size());
}

void FakeRuntime::ReportUnhandledFailure(std::string_view what, std::string_view reason) noexcept {
  calls.push_back("ReportUnhandledFailure " + std::string(what));
  reports.push_back({std::string(what), std::string(reason)});
}

void FakeRuntime::CloseByUser(std::string_view form) {
  const auto found = open.find(form);
  if (found == open.end()) return;
  const std::string name = found->first;
  open.erase(found);
  // A form built again starts with every label visible.
  std::erase_if(hiddenLabels_,
                [&](const auto& entry) { return entry.first.starts_with(name + "."); });
  if (events_ != nullptr) events_->Closed(name);
}

}  // namespace vestora::forms
