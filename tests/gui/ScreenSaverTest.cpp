// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include "checkup/Checkup.h"
#include "dialogs/Form4.h"
#include "platform/ScreenSaverInhibitor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusVirtualObject>

// The desktop's screensaver service, played by the test on the private
// session bus that dbus-run-session starts for it.
class FakeScreenSaver : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.ScreenSaver")
public:
    Q_INVOKABLE uint Inhibit(const QString& application, const QString& reason)
    {
        requests << application + ": " + reason;
        return inhibited.emplace_back(41 + inhibited.size());
    }
    Q_INVOKABLE void UnInhibit(uint cookie) { allowed.push_back(cookie); }
    Q_INVOKABLE void SimulateUserActivity() { ++woken; }
    std::vector<uint> inhibited, allowed;
    size_t woken = 0;
    QStringList requests;
};

// The desktop portal: each grant of its inhibition is a request object of
// its own, given back by closing it.
struct FakePortal : QDBusVirtualObject {
    bool handleMessage(const QDBusMessage& message, const QDBusConnection& bus) override
    {
        if (message.member() == QLatin1String("Close"))
            return closed.push_back(message.path()), true;
        handed.push_back(
            QStringLiteral("/org/freedesktop/portal/desktop/request/k%1").arg(handed.size()));
        return bus.send(message.createReply(QVariant::fromValue(QDBusObjectPath(handed.back()))));
    }
    QString introspect(const QString&) const override { return {}; }
    std::vector<QString> handed, closed;
};

using ScreenSaverTest = ProgramTest;

TEST_F(ScreenSaverTest, ATestScreenWakesTheScreensaverAndKeepsItAwayForAsLongAsItIsShown)
{
    QDBusConnection bus = QDBusConnection::connectToBus(QDBusConnection::SessionBus, "fake");
    ASSERT_TRUE(bus.isConnected()) << "runs on a private bus: dbus-run-session";
    FakeScreenSaver fake;
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.ScreenSaver")));
    const QString path = QStringLiteral("/org/freedesktop/ScreenSaver");
    bus.registerObject(path, &fake, QDBusConnection::ExportAllInvokables);
    ASSERT_TRUE(bus.registerService(QStringLiteral("org.freedesktop.portal.Desktop")));
    FakePortal portal;
    bus.registerVirtualObject(
        QStringLiteral("/org/freedesktop/portal/desktop"), &portal, QDBusConnection::SubPath);

    clickTileArea("Picture3");
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.inhibited.size() == 1; }));
    EXPECT_EQ(fake.woken, 1u); // asked before the inhibition, so here by now
    EXPECT_EQ(
        fake.requests, QStringList("Kijelzor: " + QString::fromUtf8(ScreenSaverInhibitor::Reason)));
    QTest::keyClick(program->canvas(), Qt::Key_Escape);
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake.allowed == fake.inhibited; }));

    clickTileArea("Picture13"); // a test from a dialog, on the screen as the program ends
    QTest::mouseClick(program->gradientDialog()->Command1(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.inhibited.size() == 2; }));
    EXPECT_EQ(fake.woken, 2u);
    EXPECT_EQ(fake.allowed.size(), 1u);
    program.reset();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake.allowed == fake.inhibited; }));

    auto checkup = std::make_unique<Checkup>(QCoreApplication::applicationDirPath(), nullptr);
    ASSERT_TRUE(QTest::qWaitFor([&] { return fake.inhibited.size() == 3; }));
    EXPECT_EQ(fake.woken, 3u);
    checkup->finish(); // through every test, until the summary
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake.allowed == fake.inhibited; }));
    checkup.reset();

    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.closed == portal.handed; }));
    EXPECT_EQ(portal.handed.size(), 3u);

    // Withdrawn and asked again before the services answered: each first
    // answer is handed back, not taken for the second.
    ScreenSaverInhibitor quick;
    quick.inhibit();
    quick.allow();
    quick.inhibit();
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return fake.allowed.size() == 4 && portal.closed.size() == 4; }));
    EXPECT_EQ(fake.allowed.back(), 44u);
    EXPECT_EQ(portal.closed.back(), portal.handed[3]);
    quick.allow();
    EXPECT_TRUE(QTest::qWaitFor([&] { return fake.allowed == fake.inhibited; }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return portal.closed == portal.handed; }));
    QDBusConnection::disconnectFromBus(QStringLiteral("fake"));
}

#include "ScreenSaverTest.moc"
