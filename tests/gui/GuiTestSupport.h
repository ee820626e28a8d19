// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Form1.h"
#include "app/PictureBox.h"
#include "app/Program.h"
#include "canvas/Form2.h"
#include "canvas/FrameClock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QMessageBox>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <memory>
#include <vector>

// Records what the program asks the desktop to open, instead of opening it.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    UrlRecorder() { QDesktopServices::setUrlHandler(QStringLiteral("file"), this, "open"); }
    ~UrlRecorder() override { QDesktopServices::unsetUrlHandler(QStringLiteral("file")); }
    Q_INVOKABLE void open(const QUrl& url) { opened.push_back(url); }
    std::vector<QUrl> opened;
};

// A frame clock that ticks when the test says so.
struct ManualClock : FrameClock {
    void start() override { running = true; }
    void stop() override { running = false; }
    double rate() const override { return 60; }
    TimingSource source() const override { return TimingSource::X11Present; }
    // One refresh later, or `refreshes` later, as the display tells it.
    void frame(std::uint64_t refreshes = 1)
    {
        refresh += refreshes;
        emit frameShown({std::int64_t(refresh) * 16'666'667, refresh, 16'666'667, {}});
        emit tick(refresh);
    }
    std::uint64_t refresh = 0;
    bool running = false;
};

// Clocks for paced tests that the test ticks by hand; `latest` is the last one made.
inline FrameClockFactory manualClocks(QPointer<ManualClock>& latest)
{
    return [&latest](Form2&) {
        auto made = std::make_unique<ManualClock>();
        latest = made.get();
        return made;
    };
}

// Ticks `clock` until `ended`, each `gap`th tick two refreshes late; the ticks it took.
inline int tickUntil(const auto& ended, QPointer<ManualClock>& clock, int gap = 0)
{
    int ticks = 0;
    for (; !ended() && clock && ticks < 100000; ++ticks) {
        clock->frame(gap && ticks % gap == gap - 1 ? 3 : 1);
        QCoreApplication::processEvents(); // the end is reported from the event loop
    }
    return ticks;
}

// Holds a window's named timer back from running out on the wall clock, once
// it is seen to last `ms`; `runOut` then lets it run out when the test says.
inline void holdTimer(QObject* owner, const char* name, int ms)
{
    auto* timer = owner->findChild<QTimer*>(QString::fromLatin1(name));
    ASSERT_TRUE(timer) << name;
    ASSERT_EQ(timer->interval(), ms) << name;
    timer->setInterval(std::numeric_limits<int>::max());
}
inline void runOut(QObject* owner, const char* name)
{
    auto* timer = owner->findChild<QTimer*>(QString::fromLatin1(name));
    ASSERT_TRUE(timer && timer->isActive()) << name;
    timer->stop();
    QMetaObject::invokeMethod(timer, "timeout");
}

// The question the program asks now; null when it asks none.
inline QMessageBox* question()
{
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}
// Presses the button of `box` that says `text`.
inline void press(QMessageBox* box, const char* text)
{
    ASSERT_TRUE(box);
    const QList<QAbstractButton*> buttons = box->buttons();
    const auto button = std::ranges::find(buttons, QString::fromUtf8(text), &QAbstractButton::text);
    ASSERT_NE(button, buttons.end()) << text;
    QTest::mouseClick(*button, Qt::LeftButton);
}

// Chooses `file` in the file dialog `owner` shows now (an earlier one may
// linger hidden); the file it offered.
inline QString chooseFile(const QWidget* owner, const QString& file)
{
    const QList<QFileDialog*> dialogs = owner->findChildren<QFileDialog*>();
    const auto shown = std::ranges::find_if(dialogs, &QWidget::isVisible);
    if (shown == dialogs.end()) {
        ADD_FAILURE() << "no file dialog is shown";
        return {};
    }
    const QString offered = (*shown)->selectedFiles().value(0);
    (*shown)->selectFile(file);
    static_cast<QDialog*>(*shown)->accept();
    return offered;
}

// A window of one size, without the buttons that would change it, in the
// middle of its screen's free area.
inline void expectFixedAndCentred(const QWidget* window, QSize size)
{
    EXPECT_TRUE(window->minimumSize() == size && window->maximumSize() == size);
    EXPECT_FALSE(
        window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    const QRect screen = window->screen()->availableGeometry();
    EXPECT_LE((window->geometry().center() - screen.center()).manhattanLength(), 2);
}

// A window as the screen shows it, pixel for pixel.
inline QImage shownPixels(QWidget* window)
{
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}
// Waits for a canvas's drawing to end and the last of it to be shown.
inline void waitUntilDrawn(Form2* canvas)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return !canvas->testRunning(); }, 10000));
    QCoreApplication::processEvents();
}

class ProgramTest : public testing::Test {
protected:
    void SetUp() override { program = std::make_unique<Program>(programFolder()); }
    virtual QString programFolder() { return QCoreApplication::applicationDirPath(); }

    Form1& launcher() { return program->launcher(); }
    PictureBox* tile(const char* name) { return launcher().tile(QString::fromLatin1(name)); }

    // Clicks the launcher where `name` lies, on whatever control is on top there.
    void clickTileArea(const char* name)
    {
        const QPoint centre = tile(name)->geometry().center();
        QWidget* target = launcher().childAt(centre);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&launcher(), centre));
    }

    QImage shownCanvas() { return shownPixels(program->canvas()); }
    void drawingDone() { waitUntilDrawn(program->canvas()); }

    // The paced tests' frames come from `clock`, ticked by the test.
    void tickByHand() { program->setFrameClockFactory(manualClocks(clock)); }

    UrlRecorder urls;
    std::unique_ptr<Program> program;
    QPointer<ManualClock> clock;
};
