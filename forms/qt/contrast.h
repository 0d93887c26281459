// High contrast: while the desktop asks for it (see motion_setting.h), every colour a window's
// description chooses gives way to the desktop's window and text colours. With it off, the
// described colours show as they are.
#pragma once

#include <QColor>
#include <QWidget>
#include <optional>

namespace vestora::qt {

struct ContrastColors {
  QColor window;
  QColor text;
};

// The desktop's window and text colours while high contrast is on, nothing while it is off: the
// palette the platform gives, or where it gives none (the toolkit's own), white on black or black
// on white as the desktop's colour scheme prefers (black on white where it prefers neither).
std::optional<ContrastColors> HighContrastColors();

// Gives the widget its described colours (none: the platform's own, inherited) and keeps them,
// so that they can give way to high contrast and come back.
void SetDescribedColors(QWidget* widget, std::optional<QColor> foreground,
                        std::optional<QColor> background);

// From now on every open window takes its colours anew when high contrast goes on or off, or the
// desktop's palette changes while it is on. Call once, after the application object exists.
void FollowHighContrast();

}  // namespace vestora::qt
