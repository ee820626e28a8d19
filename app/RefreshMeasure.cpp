// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/RefreshMeasure.h"

#include "canvas/Form2.h"
#include "platform/DisplayTiming.h"
#include "canvas/FrameRecord.h"

#include <QEventLoop>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <cstdio>

int measureRefresh(QScreen* screen, std::chrono::milliseconds duration)
{
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    Form2 canvas(screen);
    choosePresenter(canvas);
    canvas.showOnScreen();
    const std::unique_ptr<FrameClock> clock = frameClockFor(canvas, {});
    FrameRecord frames;
    recordFrames(frames, *clock, &canvas);
    // A compositor tells of frames only as they are committed: one pixel a
    // frame keeps them coming.
    QObject::connect(clock.get(), &FrameClock::tick, &canvas,
        [&canvas] { canvas.presenter().present(QRect(0, 0, 1, 1)); });
    QEventLoop loop;
    QObject::connect(&canvas, &Form2::returnRequested, &loop, &QEventLoop::quit);
    QTimer::singleShot(duration, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    clock->start();
    loop.exec();
    clock->stop();

    if (frames.timing == TimingSource::Timer) {
        std::fputs("kijelzor: nothing to measure: the display tells of no frames here, "
                   "only the program's own timer could count them\n",
            stderr);
        return 1;
    }
    const std::optional<double> measured = frames.measuredRefreshRate();
    // Where the display tells when and how each frame was shown, so does the line.
    QString told;
    if (frames.late)
        told += QStringLiteral(", %1 late").arg(*frames.late);
    if (frames.presented)
        told += QStringLiteral(", ") + presentedInEnglish(*frames.presented);
    std::printf("%s Hz measured (%s Hz reported), %s, %lld frames, %lld missed%s\n",
        measured ? qPrintable(QString::number(*measured, 'f', 2)) : "-",
        qPrintable(QString::number(screen->refreshRate(), 'f', 2)), timingSourceName(frames.timing),
        static_cast<long long>(frames.shown), static_cast<long long>(frames.missed),
        qPrintable(told));
    return 0;
}
