// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/FrameRecord.h"

#include <QLocale>
#include <QObject>

#include <algorithm>
#include <cmath>

QString presentedInHungarian(const PresentedCounts& c, const QString& middle)
{
    return QStringLiteral("%1 másolva, %2 lapozva%3%4 kihagyva, %5 nem optimálisan másolva")
        .arg(c.copy)
        .arg(c.flip)
        .arg(middle)
        .arg(c.skip)
        .arg(c.suboptimal);
}

QString presentedInEnglish(const PresentedCounts& c)
{
    return QStringLiteral("%1 copied, %2 flipped, %3 skipped, %4 suboptimal")
        .arg(c.copy)
        .arg(c.flip)
        .arg(c.skip)
        .arg(c.suboptimal);
}

std::vector<FrameFigure> frameFigures(const FrameRecord& f, const QString& middle)
{
    const QLocale hungarian(QLocale::Hungarian);
    const QString unknown = QStringLiteral("nem mérhető");
    const std::optional<double> rate = f.measuredRefreshRate();
    return {{"Megjelenített képkocka", QString::number(f.shown)},
        {"Kimaradt képkocka", QString::number(f.missed)},
        {"Késve érkezett", f.late ? QString::number(*f.late) : unknown},
        {"Mért frissítés", rate ? hungarian.toString(*rate, 'f', 2) + QStringLiteral(" Hz") : unknown},
        {"Időzítés forrása", QLatin1String(timingSourceName(f.timing))},
        {"Megjelenítés módja", f.presented ? presentedInHungarian(*f.presented, middle) : unknown},
        {"Elmozdulás képkockánként",
            hungarian.toString(f.pixelsPerFrame, 'f', 2) + QStringLiteral(" képpont"), true}};
}

QString timerWarning(const FrameRecord& record)
{
    return record.timing == TimingSource::Timer
        ? QStringLiteral("Ezeket a számokat a program saját időzítője adta, nem a kijelző: "
                         "arról, mi jelent meg a képernyőn, nem mondanak semmit.")
        : QString();
}

void FrameRecord::start(double rate, TimingSource source)
{
    const double usable = usableRefreshRate(rate);
    periodNs_ = 1e9 / usable;
    pixelsPerFrame = ::pixelsPerFrame(usable);
    timing = source;
    shown = missed = 0;
    late.reset();
    presented.reset();
    first_.reset();
    last_.reset();
    counted_ = true;
}

void FrameRecord::add(const FrameTime& frame)
{
    if (frame.late)
        late = late.value_or(0) + (*frame.late ? 1 : 0);
    if (frame.how) {
        PresentedCounts& counts = presented.emplace(presented.value_or(PresentedCounts{}));
        ++(*frame.how == PresentMode::Copy       ? counts.copy
              : *frame.how == PresentMode::Flip ? counts.flip
              : *frame.how == PresentMode::Skip ? counts.skip
                                                : counts.suboptimal);
    }
    if (frame.discarded) {
        ++missed;
        // The refresh it was meant for is missed once, not again in the
        // next frame's count.
        if (frame.refresh && last_ && last_->refresh && *frame.refresh > *last_->refresh)
            last_->refresh = frame.refresh;
        return;
    }
    ++shown;
    counted_ = counted_ && frame.refresh;
    const FrameSeen seen{frame.nanoseconds, frame.refresh};
    if (last_) {
        // A count that does not go forward (seq left at 0, a new output)
        // says nothing: the time does.
        counted_ = counted_ && countedForward(*last_, seen);
        const double period = frame.periodNs > 0 ? double(frame.periodNs) : periodNs_;
        missed += std::max<std::int64_t>(0, refreshesBetween(*last_, seen, period) - 1);
    }
    last_ = seen;
    if (!first_)
        first_ = last_;
}

std::optional<double> FrameRecord::measuredRefreshRate() const
{
    if (!first_ || !last_ || last_->nanoseconds <= first_->nanoseconds)
        return std::nullopt;
    const double refreshes = counted_ ? double(*last_->refresh - *first_->refresh) : double(shown - 1);
    return refreshes * 1e9 / double(last_->nanoseconds - first_->nanoseconds);
}

void recordFrames(FrameRecord& record, FrameClock& clock, const QObject* context)
{
    record.start(clock.rate(), clock.source());
    QObject::connect(&clock, &FrameClock::frameShown, context,
        [&record, &clock](const FrameTime& frame) {
            record.timing = clock.source();
            record.add(frame);
        });
}
