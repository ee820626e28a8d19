#pragma once

#include <qpa/qplatformscreen.h>
#include <qpa/qwindowsysteminterface.h>

#include <QGuiApplication>
#include <QScreen>

// A screen plugged in, resized and unplugged by the test, through the same
// window-system events a real one sends.
class FakeScreen : public QPlatformScreen {
public:
    static FakeScreen* plugIn(QRect geometry)
    {
        auto* screen = new FakeScreen(geometry);
        QWindowSystemInterface::handleScreenAdded(screen);
        return screen;
    }
    void resize(QSize size)
    {
        geometry_.setSize(size);
        QWindowSystemInterface::handleScreenGeometryChange(screen(), geometry_, geometry_);
        QCoreApplication::processEvents();
    }
    // Qt deletes the platform screen with its QScreen.
    void unplug()
    {
        QWindowSystemInterface::handleScreenRemoved(this);
        QCoreApplication::processEvents();
    }

    QRect geometry() const override { return geometry_; }
    int depth() const override { return 32; }
    QImage::Format format() const override { return QImage::Format_RGB32; }
    QString name() const override { return QStringLiteral("fake"); }

private:
    explicit FakeScreen(QRect geometry)
        : geometry_(geometry)
    {
    }

    QRect geometry_;
};
