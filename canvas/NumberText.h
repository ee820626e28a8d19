// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

// A single-precision number as the original run-time printed it: whole numbers
// without decimals, otherwise up to seven significant digits, the locale's
// decimal separator and no grouping.
QString singleToText(float value, const QLocale& locale = QLocale());
