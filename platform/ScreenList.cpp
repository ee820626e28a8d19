// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScreenList.h"

#include "canvas/Val.h"
#include "canvas/ScreenMetrics.h"
#include "platform/MonitorEdid.h"

#include <QGuiApplication>

QStringList describeScreens()
{
    QStringList lines;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen* screen = screens[i];
        // The monitor's own word where it can be read; Qt's reading of it
        // turns the line feed that ends a name into a dash.
        const std::optional<Edid> edid = monitorEdid(*screen);
        const QString maker = edid
            ? QStringList{makerName(edid->maker), edid->name}.join(' ').trimmed()
            : QStringList{screen->manufacturer(), screen->model()}.join(' ').trimmed();
        const QSize pixels = physicalPixels(screen);
        // Built piece by piece: a name may hold a '%'.
        QString line = QString::number(i) + ' ' + screen->name();
        if (!maker.isEmpty())
            line += " (" + maker + ')';
        line += QStringLiteral(", %1 x %2 pixels at %3,%4, %5 Hz, scale %6")
                    .arg(pixels.width())
                    .arg(pixels.height())
                    .arg(screen->geometry().x())
                    .arg(screen->geometry().y())
                    .arg(screen->refreshRate(), 0, 'g', 4)
                    .arg(desktopScale(screen));
        if (edid) {
            if (!edid->serial.isEmpty())
                line += QStringLiteral(", serial ") + edid->serial;
            line += QStringLiteral(", made %1").arg(edid->year);
            if (edid->native)
                line += QStringLiteral(", native %1 x %2 at %3 Hz")
                            .arg(edid->native->pixels.width())
                            .arg(edid->native->pixels.height())
                            .arg(edid->native->refreshRate, 0, 'f', 2);
        }
        if (screen == QGuiApplication::primaryScreen())
            line += QStringLiteral(", primary");
        lines << line;
    }
    return lines;
}

QScreen* findScreen(const QString& nameOrIndex)
{
    const QList<QScreen*> screens = QGuiApplication::screens();
    if (const std::optional<int> index = wholeNumber(nameOrIndex.toStdString()))
        return *index < screens.size() ? screens[*index] : nullptr;
    for (QScreen* screen : screens)
        if (screen->name() == nameOrIndex)
            return screen;
    return nullptr;
}
