#pragma once

#include "canvas/Canvas.h"
#include "canvas/TestRun.h"

// Quarter circles around the four corners and a frame set in by W / 24 from
// every edge, in white on black. Drawn straight through.
TestRun Bleeding(Canvas& canvas);
