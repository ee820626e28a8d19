// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

// Above the other windows and active. Without a window manager a shown window
// is neither, and its keys would go elsewhere.
inline void bringToFront(QWidget& window)
{
    window.raise();
    window.activateWindow();
}

inline void showOnTop(QWidget& window)
{
    window.show();
    bringToFront(window);
}
