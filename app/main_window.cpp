#include "app/main_window.h"

#include <string>

namespace vestora::app {

forms::FormDescription MainWindowDescription() {
  forms::FormDescription form{
      .name = std::string(kMainWindow),
      .caption = std::string(kMainCaption),
      .hasIcon = true,
      .clientWidth = kMainClientWidth,
      .clientHeight = kMainClientHeight,
      .placement = Placement::SystemPlacement,
      .background = forms::kBlack,
      .timer = forms::TimerDescription{std::string(kBlinkTimer), kBlinkIntervalMs},
  };
  form.controls.reserve(kMainControls.size());
  for (const MainControl& control : kMainControls) {
    form.controls.push_back({
        .kind = control.kind,
        .name = std::string(control.name),
        .rect = control.rect,
        .parent = std::string(control.parent),
        .text = std::string(control.text),
        .foreground = control.foreground,
        .background = control.background,
        .font = control.font,
        .focusPosition = control.focusPosition,
        .accessibleName = std::string(control.text),
    });
  }
  return form;
}

}  // namespace vestora::app
