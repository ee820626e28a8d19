// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The leading number of a text as the original run-time's Val read it: blanks,
// tabs and line feeds are skipped anywhere, an optional sign, digits with a '.'
// as the only decimal separator, and an optional exponent (E or D). A text that
// does not begin with a number gives 0.
double Val(const QString& text);
