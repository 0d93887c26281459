// What screen readers are told about the program's windows and controls, through Qt's
// accessibility interfaces: a window is a frame named by its caption, a framed group a grouping
// named by its caption, a picture box an image with its name and a description of what it shows.
// Labels, push buttons and the message boxes keep Qt's own roles: label, push button, and an
// alert whose label holds its text.
#pragma once

namespace vestora::qt {

// Installs the factory that makes these interfaces. Call once, after the application object
// exists. Cheap: an interface is made only when a reader first asks about its widget.
void InstallAccessibility();

}  // namespace vestora::qt
