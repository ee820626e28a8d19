// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/FrameClock.h"

#include <QObject>
#include <QRect>
#include <QSize>

#include <memory>

class Form2;

// Why a picture does not reach the panel pixel for pixel.
enum class Inexact {
    None,
    // The compositor resamples the window: its scale is one Qt does not draw at.
    ScaledByCompositor,
    // The output's size over its scale is not whole, so the compositor must
    // resample whatever a window gives it.
    OutputNotWhole,
};
const char* inexactName(Inexact why);

// The way from the canvas's composed picture to the screen. The window keeps
// its screen and its input; a presenter shows the frames that
// Form2::composeFrame composes, and may tell which of them were shown.
class Presenter : public QObject {
    Q_OBJECT
public:
    // The pixels it shows one to one: the raster takes this size.
    virtual QSize pixels() const = 0;
    // Physical pixels per logical pixel of the window: where a click lands,
    // and how large what is drawn at the desktop's scale is.
    virtual qreal pixelsPerLogical() const = 0;
    // `damage` (physical pixels) of the picture has changed.
    virtual void present(const QRect& damage) = 0;
    virtual Inexact inexact() const = 0;
    // The clock for paced tests on the frames this presenter shows, or null
    // where the display's own clock is the better one.
    virtual std::unique_ptr<FrameClock> frameClock(double rate);
    // Whether the window's own paint events compose the frames; elsewhere a
    // surface of the presenter's covers the window.
    virtual bool composedByWindow() const { return false; }
};

// Qt's backing store: the window's paint event composes, Qt flushes.
class BackingStorePresenter : public Presenter {
    Q_OBJECT
public:
    explicit BackingStorePresenter(Form2& window);
    QSize pixels() const override;
    qreal pixelsPerLogical() const override;
    void present(const QRect& damage) override;
    Inexact inexact() const override;
    bool composedByWindow() const override { return true; }

private:
    Form2& window_;
};
