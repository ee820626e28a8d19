// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include "app/LauncherMenu.h"
#include "app/PictureExport.h"
#include "app/TileTable.h"
#include "canvas/ScreenMetrics.h"
#include "checkup/Checkup.h"
#include "patterns/Pattern.h"

#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>
#include <set>

using LauncherTest = ProgramTest;

TEST_F(LauncherTest, AFixedCentredWindowWhoseTilesShowTheirTests)
{
    EXPECT_EQ(launcher().windowTitle(),
        QStringLiteral("Kijelzor - v1.05 (1024 x 768 pixeles aktuális felbontás)"));
    expectFixedAndCentred(&launcher(), QSize(521, 362));
    for (const TileSpec& row : tileTable()) // small tiles lie above the large ones
        EXPECT_EQ(launcher().childAt(tile(row.name)->geometry().center()), tile(row.name));
    // The tiles keep the launcher's own tool tips, where a test's title differs.
    EXPECT_EQ(tile("Picture1")->toolTip(), QStringLiteral("Szürke oszlopo"));
    EXPECT_EQ(tile("Picture6")->toolTip(), QStringLiteral("Red"));
    EXPECT_EQ(tile("Picture12")->toolTip(), QStringLiteral("Szürke oszlopok plusz opciók"));
    // Thumbnails: the tests themselves, the option tiles' icon, and the
    // uniformity test's bands without the grid (column 30 would be white).
    EXPECT_EQ(tile("Picture16")->picture(), renderPicture(*findPattern("light-gray"), {120, 90}));
    const QImage bands = tile("Picture17")->picture();
    EXPECT_EQ(bands.pixel(30, 45), bands.pixel(31, 45));
    EXPECT_TRUE(qGray(bands.pixel(30, 0)) < 8 && qGray(bands.pixel(30, 89)) > 248);
}

TEST_F(LauncherTest, TheHelpAndExitPicturesHaveTheirOwnPointers)
{
    const QCursor help = launcher().Image2()->cursor(), exit = launcher().Image1()->cursor();
    EXPECT_EQ(help.hotSpot(), QPoint(2, 2)); // the arrow's tip
    EXPECT_EQ(exit.hotSpot(), QPoint(12, 1)); // the fingertip
    const QImage arrow = help.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QImage hand = exit.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb black = qRgb(0, 0, 0), white = qRgb(255, 255, 255), navy = qRgb(0, 0, 128);
    EXPECT_TRUE(arrow.size() == QSize(32, 32) && hand.size() == QSize(32, 32));
    EXPECT_TRUE(arrow.pixel(2, 2) == black && arrow.pixel(4, 10) == white && !arrow.pixel(31, 31));
    EXPECT_TRUE(
        hand.pixel(12, 1) == black && hand.pixel(12, 5) == white && hand.pixel(15, 28) == navy);
    std::set<QRgb> arrowColours, handColours; // monochrome, and VGA's 16 colours
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            arrowColours.insert(arrow.pixel(x, y)), handColours.insert(hand.pixel(x, y));
    EXPECT_EQ(arrowColours, (std::set<QRgb>{0, black, white}));
    EXPECT_EQ(handColours, (std::set<QRgb>{0, black, white, navy, qRgb(128, 128, 128)}));
}

TEST_F(LauncherTest, F1AndTheHelpPictureOpenTheDocumentBesideTheProgram)
{
    QTest::keyClick(&launcher(), Qt::Key_F1);
    QTest::keyClick(tile("Picture4"), Qt::Key_F1, Qt::ShiftModifier | Qt::ControlModifier);
    QTest::mouseClick(launcher().Image2(), Qt::LeftButton);
    QTest::keyClick(&launcher(), Qt::Key_F2);
    const QUrl document =
        QUrl::fromLocalFile(QCoreApplication::applicationDirPath() + "/index.htm");
    EXPECT_EQ(urls.opened, std::vector<QUrl>(3, document));
}

namespace {

// Runs the event loop from `action` until the program quits it, or fails
// after a while. The timers are stopped when this returns, whatever happened.
int execUntilQuit(const std::function<void()>& action)
{
    QTimer timeout;
    QObject::connect(&timeout, &QTimer::timeout, &timeout, [] { QCoreApplication::exit(99); });
    timeout.start(5000);
    QMetaObject::invokeMethod(&timeout, action, Qt::QueuedConnection);
    return QCoreApplication::exec();
}

} // namespace

TEST_F(LauncherTest, TheExitPictureAndTheCloseBoxEndTheProgramWhateverIsOpen)
{
    EXPECT_EQ(execUntilQuit([&] { QTest::mouseClick(launcher().Image1(), Qt::LeftButton); }), 0);
    program = std::make_unique<Program>(); // a second run of the program
    clickTileArea("Picture3");
    EXPECT_EQ(execUntilQuit([&] { launcher().close(); }), 0);
    EXPECT_EQ(program->canvas(), nullptr);
}

namespace {

QAction* entry(QMenu* menu, const char* text)
{
    for (QAction* action : menu->actions())
        if (action->text() == QString::fromUtf8(text))
            return action;
    return nullptr;
}

} // namespace

TEST_F(LauncherTest, ARightClickAnywhereOrTheMenuKeysOpenTheMenuOnce)
{
    LauncherMenu* menu = launcher().contextMenu();
    QObject guard;
    int shown = 0;
    QObject::connect(menu, &QMenu::aboutToShow, &guard, [&] { ++shown; });
    const auto opens = [&](const std::function<void()>& open) {
        shown = 0;
        open();
        const bool visible = QTest::qWaitFor([&] { return menu->isVisible(); });
        menu->hide();
        return visible ? shown : 0;
    };
    for (QWidget* on : {static_cast<QWidget*>(tile("Picture3")),
             static_cast<QWidget*>(launcher().Image1()), static_cast<QWidget*>(&launcher())}) {
        const QPoint at = on->mapTo(&launcher(), on == &launcher() ? QPoint(3, 3) : QPoint(8, 8));
        EXPECT_EQ(
            opens([&] { QTest::mouseClick(launcher().windowHandle(), Qt::RightButton, {}, at); }),
            1);
    }
    EXPECT_TRUE(launcher().isVisible() && !program->canvas()); // tiles answer the left button only
    // X11 follows the Menu key with a context-menu event of its own.
    EXPECT_EQ(opens([&] {
        QTest::keyClick(tile("Picture4"), Qt::Key_Menu);
        QContextMenuEvent x11(QContextMenuEvent::Keyboard, {}, {});
        QApplication::sendEvent(tile("Picture4"), &x11);
    }),
        1);
    EXPECT_EQ(opens([&] { QTest::keyClick(&launcher(), Qt::Key_F10, Qt::ShiftModifier); }), 1);
}

TEST_F(LauncherTest, TheMenuOffersTheTestsWithoutTilesAndStartsTheCheckup)
{
    LauncherMenu* menu = launcher().contextMenu();
    QStringList entries, more, untiled;
    for (QAction* action : menu->actions())
        entries << action->text();
    EXPECT_EQ(entries,
        (QStringList{
            "Végigvezetett ellenőrzés", "További tesztek", "Minden teszt mentése képként…"}));
    for (QAction* action : menu->moreTests()->actions())
        more << action->text();
    for (const Pattern& pattern : allPatterns())
        if (std::ranges::none_of(tileTable(), [&](const TileSpec& tile) {
                return tile.pattern && tile.pattern == std::string_view(pattern.name);
            }))
            untiled << QString::fromUtf8(pattern.title);
    EXPECT_EQ(more, untiled);
    for (const char* name : {"pure-red", "pure-green", "pure-blue", "black-level",
             "white-saturation", "gamma", "sharpness"})
        EXPECT_TRUE(more.contains(QString::fromUtf8(findPattern(name)->title))) << name;

    // The checkup opens on the launcher's monitor; closing its summary brings the launcher back.
    program->setCheckupStarter(Checkup::fromLauncher(QCoreApplication::applicationDirPath()));
    launcher().setScreen(QGuiApplication::screens().back());
    entry(menu, "Végigvezetett ellenőrzés")->trigger();
    const auto shownWindow = [](auto* type) {
        for (QWidget* window : QApplication::topLevelWidgets())
            if (auto* found = qobject_cast<decltype(type)>(window); found && found->isVisible())
                return found;
        return decltype(type)(nullptr);
    };
    auto* canvas = shownWindow(static_cast<CheckupCanvas*>(nullptr));
    ASSERT_TRUE(canvas && !launcher().isVisible());
    EXPECT_EQ(canvas->screen(), QGuiApplication::screens().back());
    QTest::keyClick(canvas, Qt::Key_Escape);
    auto* summary = shownWindow(static_cast<SummaryWindow*>(nullptr));
    ASSERT_TRUE(summary);
    summary->close();
    press(question(), "Kilépés mentés nélkül");
    EXPECT_TRUE(launcher().isVisible());
}

TEST_F(LauncherTest, SavingEveryTestWritesWholeFilesAndStopsCleanlyOnMegseOrAFailure)
{
    const QSize pixels = physicalPixels(launcher().screen());
    const auto saveInto = [&](const QString& folder) {
        entry(launcher().contextMenu(), "Minden teszt mentése képként…")->trigger();
        chooseFile(&launcher(), folder);
        ASSERT_TRUE(program->pictureExport());
    };
    const auto ended = [&] {
        return QTest::qWaitFor([&] { return !program->pictureExport(); }, 30000);
    };
    // The files there, each the test's picture: none partial, none left over.
    const auto savedWhole = [&](const QString& folder) {
        QStringList names;
        for (const QString& file : QDir(folder).entryList(QDir::Files)) {
            const Pattern* pattern = findPattern(file.chopped(4).toStdString());
            EXPECT_TRUE(pattern &&
                QImage(folder + "/" + file).convertToFormat(QImage::Format_RGB32) ==
                    renderPicture(*pattern, pixels))
                << qPrintable(file);
            names << file;
        }
        return names;
    };
    QStringList all;
    for (const Pattern& pattern : allPatterns())
        all << QString::fromLatin1(pattern.name) + ".png";
    QTemporaryDir full, cancelled, failing;
    QFile stale(full.filePath("white.png"));
    ASSERT_TRUE(stale.open(QIODevice::WriteOnly) && stale.write("stale") == 5);
    stale.close();
    saveInto(full.path());
    ASSERT_TRUE(ended());
    all.sort();
    EXPECT_EQ(savedWhole(full.path()), all);

    saveInto(cancelled.path());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return program->pictureExport()->progress()->value() >= 2; }));
    QTest::mouseClick(
        program->pictureExport()->progress()->findChild<QPushButton*>(), Qt::LeftButton);
    ASSERT_TRUE(ended());
    const qsizetype kept = savedWhole(cancelled.path()).size();
    EXPECT_TRUE(kept >= 2 && kept < all.size()) << kept;

    ASSERT_TRUE(QDir(failing.path()).mkdir("gray.png"));
    saveInto(failing.path());
    ASSERT_TRUE(ended());
    auto* box = launcher().findChild<QMessageBox*>();
    ASSERT_TRUE(box && box->isVisible());
    EXPECT_TRUE(box->text().contains(failing.filePath("gray.png"))) << qPrintable(box->text());
    box->accept();
    EXPECT_EQ(savedWhole(failing.path()), (QStringList{"black.png", "white.png"}));
}
