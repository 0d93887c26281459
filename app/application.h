// The program: its start, the window registry, and the handlers of every window, each routed
// through the one path for failures that nothing else catches.
#pragma once

#include <string_view>

#include "app/window_registry.h"
#include "forms/runtime.h"

namespace vestora::app {

class Application final : public forms::FormEvents {
 public:
  explicit Application(forms::Runtime& runtime) : runtime_(runtime) {}

  // Shows the main window and dispatches events until no window is open; the exit status.
  int Run();

  // Builds and shows the main window. False when it could not be shown.
  bool Start();

  // Creates the window object on its first request and shows it, modeless, on every request.
  void OpenWindow(std::string_view formName);

  const WindowRegistry& Registry() const { return registry_; }

  void Pressed(std::string_view form, std::string_view control) noexcept override;
  void Ticked(std::string_view form, std::string_view timer) noexcept override;
  void Closed(std::string_view form) noexcept override;

 private:
  template <typename Handler>
  void RunHandler(std::string_view what, Handler&& handler) noexcept;
  void PressMainButton(std::string_view control);

  forms::Runtime& runtime_;
  WindowRegistry registry_;
};

}  // namespace vestora::app
