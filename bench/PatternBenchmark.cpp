// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// How fast the patterns draw, and how long the longest slice the window's
// driver gives a run takes. Run: build/kijelzor-bench. With
// KIJELZOR_BENCH_WAYLAND=1 on a Wayland desktop, or KIJELZOR_BENCH_X11=1 on
// an X display, it also times the frames the canvas hands the display
// through its own surface or its Present pixmaps.

#include "canvas/Composition.h"
#include "canvas/RasterCanvas.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/TestDriver.h"
#include "canvas/TestRun.h"
#include "canvas/Twips.h"
#include "checkup/CheckupCanvas.h"
#include "patterns/GhostingBackground.h"
#include "patterns/Pattern.h"
#include "platform/DisplayTiming.h"
#include "canvas/FrameRecord.h"
#include "platform/WaylandClient.h"

#include <QApplication>
#include <QEventLoop>
#include <QImage>
#include <QPainter>
#include <QScreen>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <tuple>

namespace {

using Clock = std::chrono::steady_clock;

const QSize sizes[] = {{1920, 1080}, {3840, 2160}};

std::string sizeName(QSize size)
{
    return std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// The whole pattern, drawn to completion on a fresh raster.
void drawPattern(benchmark::State& state, const Pattern* pattern, QSize size)
{
    for (auto _ : state) {
        RasterCanvas canvas(size);
        TestRun run = pattern->start(canvas);
        runToCompletion(run);
        benchmark::DoNotOptimize(canvas.raster().image().constBits());
    }
}

// The pattern as the window runs it: slices of the driver's budget. Reports
// the longest slice, which bounds how late Esc can be answered.
void sliceRun(benchmark::State& state, const Pattern* pattern, QSize size)
{
    double longest = 0;
    std::int64_t slices = 0;
    for (auto _ : state) {
        RasterCanvas canvas(size);
        TestRun run = pattern->start(canvas);
        bool more = true;
        while (more) {
            const auto start = Clock::now();
            more = runSlice(run, TestDriver::DefaultBudget);
            canvas.raster().takeDirty();
            const std::chrono::duration<double, std::milli> took = Clock::now() - start;
            longest = std::max(longest, took.count());
            ++slices;
        }
    }
    state.counters["longest_slice_ms"] = longest;
    state.counters["slices"] =
        benchmark::Counter(double(slices), benchmark::Counter::kAvgIterations);
}

// The gray gradient's lines as a Qt developer would draw them with QPainter,
// the baseline our raster must at least match.
void gradientWithQPainter(benchmark::State& state, QSize size)
{
    for (auto _ : state) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::black);
        QPainter painter(&image);
        const float w = pixelsToTwips(size.width()), h = pixelsToTwips(size.height());
        float level = 256, y = 0;
        for (std::int64_t k = 1; k <= std::int64_t(w * 2); ++k) {
            y += h / w;
            const int gray = std::clamp(int(roundLevel(level)), 0, 255);
            painter.setPen(QColor(gray, gray, gray));
            painter.drawLine(QPointF(0, y / TwipsPerPixel), QPointF(k / double(TwipsPerPixel), 0));
            level -= 256.0f / (w * 2);
        }
        painter.end();
        benchmark::DoNotOptimize(image.constBits());
    }
}

// One frame of the ghosting test at 3840 × 2160: the raster, the picture and
// the marker composed as the window paints them, over the whole screen (a
// first frame) or over what one frame's 120 steps change.
void ghostingFrame(benchmark::State& state, bool wholeScreen)
{
    const QSize size(3840, 2160);
    RasterCanvas canvas(size);
    canvas.Image1().picture = makeGhostingBackground(QSize(1920, 1080));
    canvas.Label1() = {28800, 0, true};
    QImage screen(size, QImage::Format_RGB32);
    for (auto _ : state) {
        const QRect before = markerPixels(canvas.Label1());
        canvas.Label1().top += 240;
        if (canvas.Label1().top > 32400)
            canvas.Label1().top = 0;
        const QRect area = wholeScreen ? screen.rect() : before | markerPixels(canvas.Label1());
        QPainter painter(&screen);
        composeInBands(painter, canvas, area, Qt::white, [](const QRect&) {});
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
    }
}

// One paint of the checkup's rings over a picture with 1000 marks: of one
// ring's area, or of the whole screen; alone, or timed within a paint that
// composes the picture band by band as the checkup's canvas does, so that the
// rings find the caches as a paint leaves them; or that composition alone.
enum class Paint { Rings, RingsInPaint, Picture };
void ringsPaint(benchmark::State& state, bool wholeScreen, Paint paint)
{
    const QSize size(3840, 2160);
    RasterCanvas canvas(size);
    std::vector<Mark> marks;
    for (int i = 0; i < 1000; ++i)
        marks.push_back({QPoint(20 + (i * 97) % 3800, 20 + (i * 53) % 2120), MarkKind::Bright});
    const Rings rings(marks, qRgb(255, 0, 255));
    const QRect area = wholeScreen ? QRect(QPoint(0, 0), size)
                                   : QRect(marks[500].pixel - QPoint(7, 7), QSize(15, 15));
    QImage screen(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&screen);
        std::chrono::duration<double> ringsTime{};
        const auto drawRings = [&](const QRect& band) {
            const auto start = std::chrono::steady_clock::now();
            if (paint != Paint::Picture)
                rings.draw(painter, canvas, band, 1);
            ringsTime += std::chrono::steady_clock::now() - start;
        };
        if (paint == Paint::Rings)
            drawRings(area);
        else
            composeInBands(painter, canvas, area, Qt::white, drawRings);
        painter.end();
        benchmark::DoNotOptimize(screen.constBits());
        if (paint == Paint::RingsInPaint)
            state.SetIterationTime(ringsTime.count());
    }
}

// A frame of the ghosting test composed into the canvas's own buffer and
// handed to the display, timed from the display's call for it: the whole
// screen (the first frame), or what one frame's steps change. The output's
// physical size is the screen's. The frames the display missed are counted.
void presentedFrame(benchmark::State& state, bool wholeScreen)
{
    Form2 window(QGuiApplication::primaryScreen());
    choosePresenter(window);
    window.showOnScreen();
    RasterCanvas& canvas = window.canvas();
    canvas.Image1().picture = makeGhostingBackground(QSize(1920, 1080));
    canvas.Label1() = {28800, 0, true};
    const std::unique_ptr<FrameClock> clock = frameClockFor(window, {});
    FrameRecord frames;
    recordFrames(frames, *clock, &window);
    clock->start();
    for (auto _ : state) {
        QEventLoop loop;
        std::chrono::duration<double> took{};
        const auto connection = QObject::connect(clock.get(), &FrameClock::tick, &loop, [&] {
            const auto start = Clock::now();
            const QRect before = markerPixels(canvas.Label1());
            canvas.Label1().top = std::fmod(canvas.Label1().top + 240, 32400.0f);
            window.presenter().present(wholeScreen ? QRect(QPoint(), canvas.raster().size())
                                                   : before | markerPixels(canvas.Label1()));
            took = Clock::now() - start;
            loop.quit();
        });
        loop.exec();
        QObject::disconnect(connection);
        state.SetIterationTime(took.count());
    }
    clock->stop();
    state.counters["missed"] = double(frames.missed);
    state.counters["late"] = double(frames.late.value_or(-1));
}

void registerDisplay(const char* display)
{
    const QSize pixels = physicalPixels(QGuiApplication::primaryScreen());
    for (const bool wholeScreen : {true, false}) {
        const std::string name = std::string(display) + "-frame/" +
            (wholeScreen ? "whole-screen/" : "marker-moved/") + sizeName(pixels);
        // Each frame waits for the display's call: 600 take ten seconds at 60 Hz.
        benchmark::RegisterBenchmark(name.c_str(), presentedFrame, wholeScreen)
            ->Unit(benchmark::kMillisecond)
            ->UseManualTime()
            ->Iterations(600);
    }
}

void registerAll()
{
    for (QSize size : sizes) {
        for (const Pattern& pattern : allPatterns()) {
            const std::string name = std::string(pattern.name) + "/" + sizeName(size);
            benchmark::RegisterBenchmark(("draw/" + name).c_str(), drawPattern, &pattern, size)
                ->Unit(benchmark::kMillisecond);
            benchmark::RegisterBenchmark(("slices/" + name).c_str(), sliceRun, &pattern, size)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
        benchmark::RegisterBenchmark(
            ("qpainter/gray-gradient/" + sizeName(size)).c_str(), gradientWithQPainter, size)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("ghosting-frame/whole-screen/3840x2160", ghostingFrame, true)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("ghosting-frame/marker-moved/3840x2160", ghostingFrame, false)
        ->Unit(benchmark::kMillisecond);
    for (auto [name, wholeScreen, paint] :
        {std::tuple{"rings/1000-marks/one-ring/3840x2160", false, Paint::Rings},
            {"rings/1000-marks/whole-screen/3840x2160", true, Paint::Rings},
            {"rings/1000-marks/within-a-whole-screen-paint/3840x2160", true, Paint::RingsInPaint},
            {"rings/no-marks/whole-screen-paint/3840x2160", true, Paint::Picture}}) {
        auto* run = benchmark::RegisterBenchmark(name, ringsPaint, wholeScreen, paint)
                        ->Unit(benchmark::kMillisecond);
        if (paint == Paint::RingsInPaint)
            run->UseManualTime();
    }
}

} // namespace

int main(int argc, char** argv)
{
    const bool wayland = qEnvironmentVariable("KIJELZOR_BENCH_WAYLAND") == QLatin1String("1");
    const bool x11 = qEnvironmentVariable("KIJELZOR_BENCH_X11") == QLatin1String("1");
    std::unique_ptr<QApplication> app;
    std::unique_ptr<WaylandClient> client;
    if (wayland || x11) {
        qputenv("QT_QPA_PLATFORM", wayland ? "wayland" : "xcb");
        app = std::make_unique<QApplication>(argc, argv);
        if (wayland)
            client = WaylandClient::open();
        registerDisplay(wayland ? "wayland" : "x11");
    } else {
        registerAll();
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
