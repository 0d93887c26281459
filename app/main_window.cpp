#include "app/main_window.h"

namespace vestora::app {

forms::FormDescription MainWindowDescription() {
  forms::FormDescription form{
      .name = kMainWindow,
      .caption = kMainCaption,
      .hasIcon = true,
      .clientWidth = kMainClientWidth,
      .clientHeight = kMainClientHeight,
      .placement = Placement::SystemPlacement,
      .background = forms::kBlack,
      .timer = forms::TimerDescription{kBlinkTimer, kBlinkIntervalMs},
  };
  form.controls.reserve(kMainControls.size());
  for (const MainControl& control : kMainControls) {
    form.controls.push_back({
        .kind = control.kind,
        .name = control.name,
        .rect = control.rect,
        .parent = control.parent,
        .text = control.text,
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
