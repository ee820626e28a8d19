// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "canvas/Presenter.h"
#include "canvas/RasterCanvas.h"
#include "canvas/TestDriver.h"

#include <QCursor>
#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QTransform>
#include <QWidget>

#include <memory>
#include <optional>

class QPainter;
class QScreen;

// The test canvas: frameless, topmost, covering one whole screen, showing the
// raster one image pixel to one physical pixel. Esc or a click asks to return
// to the launcher; the owner decides what that means (ReturnToLauncher).
class Form2 : public QWidget {
    Q_OBJECT
public:
    // Form_Load: the whole of `screen`, black, topmost. Not shown yet.
    explicit Form2(QScreen* screen);
    ~Form2() override;

    // Shows the canvas full screen and active.
    void showOnScreen();

    // The way its picture takes to the screen; Qt's backing store unless
    // another is set. Setting one loads the canvas anew, at its size.
    void setPresenter(std::unique_ptr<Presenter> presenter);
    Presenter& presenter() const { return *presenter_; }
    // Composes `area` (physical pixels) of what the screen shows: the test's
    // picture, what lies over it, and what is drawn at the desktop's scale,
    // which `logical` turns into the painter's physical pixels. Every
    // presenter shows the frame composed here.
    void composeFrame(QPainter& painter, const QRect& area, const QTransform& logical);

    RasterCanvas& canvas() { return canvas_; }
    const RasterCanvas& canvas() const { return canvas_; }
    // Starts `run` on this canvas in slices of a few milliseconds; a test
    // already running is stopped first.
    void startTest(TestRun run);
    // Starts `run` with its steps paced to the frames of `clock`: `steps` a
    // frame, or by default the marker's steps for about 960 pixels a second.
    void startPacedTest(TestRun run, std::unique_ptr<FrameClock> clock, int steps = 0);
    void stopTest();
    bool testRunning() const;
    const TestDriver* driver() const { return driver_.get(); }

    // Back to the state of a canvas just loaded, the test stopped: a test
    // started next draws as it would on a new canvas.
    void reload();
    // A few lines of figures over the picture's top-left corner, never in its
    // raster; an empty text takes them away.
    void showReadout(const QString& text);
    // Where they lie, in physical pixels; empty when none are shown.
    QRect readoutPixels() const;

    // Whether the notice that the picture is resampled on its way to the
    // panel is shown: for NoticeMs after the canvas is shown, where it is.
    bool noticeShown() const { return !notice_.isEmpty(); }

    // The pointer shown while it moves; the default arrow unless set.
    void setAwakeCursor(const QCursor& cursor);

    static constexpr int CursorHideMs = 2000, NoticeMs = 4000;
    static constexpr int ReadoutWidth = 420, ReadoutPadding = 8;

signals:
    void returnRequested();
    // The running test has drawn its last step (delivered from the event loop).
    void testFinished();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

    // Paints over `band` of the test's picture just after it is composed;
    // `painter` and `band` are in physical pixels.
    virtual void paintOver(QPainter& painter, const QRect& band);
    // Paints what lies over the whole picture at the desktop's scale, the
    // painter in logical pixels.
    virtual void paintOverlays(QPainter& painter);

    void wakeCursor();
    // `physical` pixels of the screen are to show anew.
    void showPixels(const QRect& physical);
    // The physical pixels a logical area shows, rounded outward.
    QRect physical(const QRect& logical) const;

private:
    // The canvas as Form_Load leaves it: the screen's size, black.
    RasterCanvas loadedCanvas();
    void showDrawn();
    void drive(std::unique_ptr<TestDriver> driver);
    bool hitsControl(QPointF logicalPos) const;
    void coverScreen();
    void paintPastTheEdge(const QImage& store, const QRect& logicalArea);
    QRect readoutArea() const;
    void showNotice();
    void hideNotice();
    QRect noticeArea() const;

    QPointer<QScreen> screen_;
    // Before the canvas, whose size it gives.
    std::unique_ptr<Presenter> presenter_;
    RasterCanvas canvas_;
    // Declared after the canvas it draws on, so it is destroyed first.
    std::unique_ptr<TestDriver> driver_;
    // What the screen shows of the two controls, to repaint only what moved.
    QRect shownMarker_, shownPicture_;
    qint64 shownPictureKey_ = 0;
    QTimer cursorTimer_;
    std::optional<QCursor> awakeCursor_;
    bool pressedOnCanvas_ = false;
    QString readout_;
    QString notice_;
    QTimer noticeTimer_;
};
