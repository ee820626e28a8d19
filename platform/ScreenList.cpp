// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/ScreenList.h"

#include "canvas/NumberText.h"
#include "canvas/ScreenMetrics.h"

#include <QGuiApplication>

QStringList describeScreens()
{
    QStringList lines;
    const QList<QScreen*> screens = QGuiApplication::screens();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const QScreen* screen = screens[i];
        const QString maker =
            QStringList{screen->manufacturer(), screen->model()}.join(' ').trimmed();
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
