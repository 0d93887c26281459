// Starts a cell's link: its exact command line, with the launch style of its kind.
#pragma once

#include "catalog/model.h"
#include "forms/runtime.h"

namespace vestora::app {

forms::LaunchStyle StyleFor(LinkKind kind);

// Starts the link's program and ignores the task number. A failure to start is not caught here:
// it travels on to the program-wide failure path.
void Launch(const ItemLink& link, forms::Runtime& runtime);

}  // namespace vestora::app
