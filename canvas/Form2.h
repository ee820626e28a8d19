#pragma once

#include "canvas/RasterCanvas.h"
#include "canvas/TestDriver.h"

#include <QImage>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <memory>

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

    RasterCanvas& canvas() { return canvas_; }
    // Starts `run` on this canvas; a test already running is stopped first.
    void startTest(TestRun run);
    void stopTest();
    bool testRunning() const;
    const TestDriver* driver() const { return driver_.get(); }

    // The ghosting test's two controls, in physical pixels for the picture
    // and in twips for the marker, as the run-time keeps them.
    struct Image1State {
        QImage picture;
        bool visible = true;
    };
    struct Label1State {
        float left = 0, top = 0;
        bool visible = false;
    };
    Image1State& Image1() { return image1_; }
    Label1State& Label1() { return label1_; }
    static constexpr float MarkerTwips = 300;

    static constexpr int CursorHideMs = 2000;

signals:
    void returnRequested();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    void showDrawn();
    bool hitsControl(QPointF logicalPos) const;
    QRect markerPixels() const;
    void wakeCursor();

    QPointer<QScreen> screen_;
    RasterCanvas canvas_;
    // Declared after the canvas it draws on, so it is destroyed first.
    std::unique_ptr<TestDriver> driver_;
    Image1State image1_;
    Label1State label1_;
    QTimer cursorTimer_;
    bool pressedOnCanvas_ = false;
};
