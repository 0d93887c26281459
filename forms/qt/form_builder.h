// The one place that turns a form description into Qt widgets.
#pragma once

#include <QColor>
#include <QRect>
#include <QWidget>

#include "forms/runtime.h"

namespace vestora::qt {

// 15 twips make one (logical) pixel; at other scale factors Qt scales the whole layout as one.
QRect ToPixels(const TwipRect& rect);
QColor ToColor(forms::Color bgr);

// Builds the top-level window of a form, not yet shown. Its controls are children named by
// their control names; presses, timer ticks and the window's destruction reach `events`.
// Throws forms::Failure when a part of it (a picture) cannot be made.
QWidget* BuildForm(const forms::FormDescription& form, forms::FormEvents& events);

// The control that takes the focus first when the window is shown, or none.
QWidget* FirstInFocusOrder(QWidget* window);

}  // namespace vestora::qt
