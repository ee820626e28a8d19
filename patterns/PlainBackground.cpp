#include "patterns/PlainBackground.h"

TestRun PlainBackground(Canvas& canvas, std::optional<RgbColor> color)
{
    if (color)
        canvas.setBackColor(*color);
    co_return;
}
