#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// A gray ramp from black at the top to white at the bottom, one line per twip
// row, then a white grid that splits the screen into 4 × 4 fields.
TestRun Uniformity(Canvas& canvas);
