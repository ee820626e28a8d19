// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QSize>

#include <cstdint>

// The ghosting test's background: a dark, finely textured gray, the same for
// the same size and seed. Fine grain makes a marker's trail easy to see.
QImage makeGhostingBackground(QSize pixels, std::uint32_t seed = 1);
