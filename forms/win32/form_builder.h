// Builds a window from its description: a top-level window of this program's class with its
// frames, labels, picture boxes and push buttons, laid out at the window's dots per inch.
#pragma once

#include <functional>
#include <string_view>

#include "forms/runtime.h"
#include "forms/win32/windows_api.h"

namespace vestora::win32 {

inline constexpr const wchar_t* kFormClass = L"VestoraForm";

// Registers the window classes; call once before the first form.
void RegisterFormClasses();

// The window of the form, hidden, with every control and its timer running. Throws
// forms::Failure when a control or a picture cannot be made; nothing of the window is left then.
// Once built, a window that goes away (the user closed it) calls forget, then tells the events.
HWND BuildForm(const forms::FormDescription& form, forms::FormEvents& events,
               std::function<void()> forget);

// Shows a built window at its place, the first control in focus order holding the focus.
void ShowBuiltForm(HWND window);

// Destroys a built window without telling anyone: for windows still open when the runtime goes.
void DestroyQuietly(HWND window);

// A control of a form's window by its name, or null.
HWND FindControl(HWND form, std::string_view name);

}  // namespace vestora::win32
