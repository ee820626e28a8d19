// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QScreen;

// Starts the guided checkup on a screen and gives what runs it; the checkup
// calls `ended` once its summary is closed. The launcher holds one without
// knowing the checkup.
using CheckupStarter =
    std::function<std::unique_ptr<QObject>(QScreen* screen, std::function<void()> ended)>;
