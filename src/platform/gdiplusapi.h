// The system's GDI+ headers, for the files that call GDI+ itself. They use
// the min and max macros that NOMINMAX removes.
#pragma once

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>
