// The program's icon, read from its embedded icon file on a thread of its own so that the first
// window does not wait for it (its largest image is 256 pixels square).
#pragma once

#include <QIcon>

namespace vestora::qt {

// Starts decoding the program's icon on a thread of its own. Call once the application object
// exists; later calls do nothing.
void BeginReadingProgramIcon();

// Whether the icon has been read (or is not being read on a thread at all).
bool ProgramIconReady();

// The program's icon: the images of its icon file, as QIcon would load them from the file.
const QIcon& ProgramIcon();

}  // namespace vestora::qt
