#pragma once
// Shared helpers of the sx_* facade files.

#include "xbase/engine.h"

#include <string>

namespace xb {

// The current work area, or nullptr after recording "no table is open".
WorkArea* currentArea();
// The current area's field by name (any case), or nullptr after recording why.
const DbfField* currentField(const char* name);
// Texts passed to the engine are at most 255 bytes.
bool checkText(const char* text, const char* what);
// Records the area's last error as the engine's; gives false.
bool areaFailed(WorkArea& area);

} // namespace xb
