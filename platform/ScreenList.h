// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QScreen>
#include <QStringList>

// The monitors as the command line names them: by their index in the
// system's order, or by name.

// One line a monitor: index, name, maker and model where reported, physical
// resolution, position, refresh rate and scale; the primary one marked.
QStringList describeScreens();

// The monitor `nameOrIndex` names, or nullptr.
QScreen* findScreen(const QString& nameOrIndex);
