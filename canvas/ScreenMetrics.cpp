// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/ScreenMetrics.h"

#include <QScreen>
#include <qpa/qplatformscreen.h>

#include <cmath>

// QScreen reports its size in device-independent pixels, rounded, so with a
// fractional scale factor it cannot tell 1024 physical pixels from 1025. The
// platform screen knows the real size: in native pixels on X11, where Qt does
// the scaling, or in the platform's own units times its ratio on platforms
// that scale by themselves (Wayland, the offscreen test platform).
QSize physicalPixels(const QScreen* screen)
{
    if (!screen || !screen->handle())
        return {};
    const QPlatformScreen* platform = screen->handle();
    const QSize native = platform->geometry().size();
    const double ratio = platform->devicePixelRatio();
    return QSize(static_cast<int>(std::lround(native.width() * ratio)),
        static_cast<int>(std::lround(native.height() * ratio)));
}
