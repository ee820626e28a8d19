#pragma once

#include "app/Form1.h"
#include "app/PictureBox.h"
#include "app/Program.h"
#include "canvas/Form2.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

// Records what the program asks the desktop to open, instead of opening it.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    std::vector<QUrl> opened;
public slots:
    void open(const QUrl& url) { opened.push_back(url); }
};

class ProgramTest : public testing::Test {
protected:
    void SetUp() override
    {
        QDesktopServices::setUrlHandler(QStringLiteral("file"), &urls, "open");
        program = std::make_unique<Program>(programFolder());
    }

    void TearDown() override
    {
        program.reset();
        QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    virtual QString programFolder() { return QCoreApplication::applicationDirPath(); }

    Form1& launcher() { return program->launcher(); }
    PictureBox* tile(const char* name) { return launcher().tile(QString::fromLatin1(name)); }

    // Clicks the launcher where `name` lies, on whatever control is on top there.
    void clickTileArea(const char* name)
    {
        const QPoint centre = tile(name)->geometry().center();
        QWidget* target = launcher().childAt(centre);
        ASSERT_NE(target, nullptr);
        QTest::mouseClick(target, Qt::LeftButton, {}, target->mapFrom(&launcher(), centre));
    }

    // The canvas as it is shown on the screen, pixel for pixel.
    QImage shownCanvas()
    {
        Form2* canvas = program->canvas();
        return canvas ? canvas->grab().toImage().convertToFormat(QImage::Format_RGB32) : QImage();
    }

    UrlRecorder urls;
    std::unique_ptr<Program> program;
};

// Whether every pixel of `image` is `colour`.
inline bool allPixels(const QImage& image, QRgb colour)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((row[x] & 0xFFFFFF) != (colour & 0xFFFFFF))
                return false;
    }
    return !image.isNull();
}
