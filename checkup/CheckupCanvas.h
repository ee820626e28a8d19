// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Form2.h"
#include "canvas/SteadyClock.h"
#include "checkup/CheckupRecord.h"

#include <QColor>
#include <QPainter>
#include <QString>
#include <QTimer>

#include <optional>
#include <vector>

// The colour of a ring's pixel. Not an inversion of what lies under the ring,
// which would dissolve into 1-pixel stripes and checkerboards: the test's ring
// colour, or where that differs from the picture by less than the ring's
// contrast in every channel, the opposite one. For a colour of full and empty
// channels one of the two always differs by at least 128 in some channel.
class RingColour {
public:
    explicit RingColour(QRgb preferred);
    // Looked up, not worked out: this is asked for every pixel of every ring.
    QRgb over(QRgb under) const
    {
        const bool far = far_[0][qRed(under)] | far_[1][qGreen(under)] | far_[2][qBlue(under)];
        return far ? preferred_ : opposite_;
    }

private:
    QRgb preferred_, opposite_;
    bool far_[3][256];
};

// The rings of a test's marks, ready to be drawn over one area after another.
class Rings {
public:
    Rings(const std::vector<Mark>& marks, QRgb colour);
    // Over the pixels of `area`, `painter` drawing in physical pixels; `scale`
    // sizes the rings as the desktop's scale does. Only the rings that reach
    // the area are looked at: a paint costs what it shows.
    void draw(QPainter& painter, const RasterCanvas& canvas, const QRect& area, int scale) const;
    const std::vector<QPoint>& centres() const { return centres_; }

private:
    std::vector<QPoint> centres_; // sorted by row, then column
    RingColour colour_;
};

// The test canvas of the guided checkup. The hint and the marks lie over the
// test's picture and never touch its raster: wherever neither is, the screen
// shows the test's own pixels. Esc (and a close request) still asks to
// return; clicks mark defects instead.
class CheckupCanvas : public Form2 {
    Q_OBJECT
public:
    explicit CheckupCanvas(QScreen* screen);

    enum class HintLasts { HintMs, UntilAKey };
    // Shows the hint; any key hides it.
    void showHint(const QString& title, const QString& position, const QString& text,
        HintLasts lasts = HintLasts::HintMs);
    void hideHint();
    bool hintShown() const { return !hintTitle_.isEmpty() && hintVisible_; }
    // The marks of the test shown, each a ring of `colour` around its pixel.
    void showMarks(const std::vector<Mark>& marks, QColor colour);

    static constexpr int HintMs = 4000;
    // The radii between which a ring lies around the pixel it marks, in
    // physical pixels at a scale of 1; as large to the eye at other scales.
    static constexpr int RingInner = 4, RingOuter = 7;
    // Every pixel of a ring differs from the picture under it by at least
    // this much in some channel.
    static constexpr int RingContrast = 96;
    // A press this soon after the canvas became active only activated it.
    static constexpr int ActivationMs = 300;
    // Whether a click now marks a pixel: the canvas is active, and has been
    // for ActivationMs.
    bool takesMarks() const;
    // The time the moment is measured on; tests hand the canvas their own.
    void setClock(Nanoseconds now);

signals:
    void nextRequested();
    void previousRequested();
    void markRequested(QPoint pixel);
    void unmarkRequested(QPoint pixel);

protected:
    void paintOverlays(QPainter& painter) override;
    void paintOver(QPainter& painter, const QRect& band) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void drawHint(QPainter& painter) const;
    QRect hintArea() const;
    QRect ringArea(QPoint pixel) const;
    int ringScale() const;

    QString hintTitle_, hintPosition_, hintText_;
    bool hintVisible_ = false;
    QTimer hintTimer_;
    Rings rings_{{}, 0}; // of the marks shown
    Nanoseconds now_ = steadyNanoseconds();
    std::optional<qint64> activeSince_;
};
