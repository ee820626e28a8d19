// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/Presenter.h"

#include "canvas/Form2.h"
#include "canvas/ScreenMetrics.h"

const char* inexactName(Inexact why)
{
    switch (why) {
    case Inexact::ScaledByCompositor:
        return "scaled-by-compositor";
    case Inexact::OutputNotWhole:
        return "output-size-not-whole";
    case Inexact::None:
        break;
    }
    return "";
}

std::unique_ptr<FrameClock> Presenter::frameClock(double)
{
    return nullptr;
}

BackingStorePresenter::BackingStorePresenter(Form2& window)
    : window_(window)
{
}

QSize BackingStorePresenter::pixels() const
{
    return qtPixels(window_.screen());
}

qreal BackingStorePresenter::pixelsPerLogical() const
{
    return window_.devicePixelRatioF();
}

void BackingStorePresenter::present(const QRect& damage)
{
    if (!damage.isEmpty())
        window_.update(logicalUpdate(damage, pixelRatio(window_.screen())));
}

// Qt's buffers are the screen's physical size only where Qt knows its true
// scale; where it does not, the compositor shrinks what Qt drew.
Inexact BackingStorePresenter::inexact() const
{
    const std::optional<OutputScale> output = outputScale(window_.screen());
    if (!output)
        return Inexact::None;
    if (output->pixels != pixels())
        return Inexact::ScaledByCompositor;
    return output->whole ? Inexact::None : Inexact::OutputNotWhole;
}
