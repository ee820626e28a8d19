// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/NumberText.h"


QString singleToText(float value, const QLocale& locale)
{
    QLocale format = locale;
    format.setNumberOptions(QLocale::OmitGroupSeparator);
    return format.toString(static_cast<double>(value), 'g', 7);
}
