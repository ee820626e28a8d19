// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/TileTable.h"
#include "canvas/Canvas.h"
#include "canvas/CheckupStarter.h"
#include "canvas/FrameClock.h"
#include "canvas/TestRun.h"
#include "platform/ScreenSaverInhibitor.h"

#include <QCoreApplication>
#include <QObject>
#include <QPointer>
#include <QScreen>
#include <QString>
#include <QTranslator>

#include <functional>
#include <memory>
#include <string_view>

class Form1;
class Form2;
class Form3;
class Form4;
class PictureExport;
struct Pattern;

// Owns the windows and carries out what the user asks for. A window is
// "loaded" while its object exists; unloading destroys it, so the next use
// starts from its design state.
struct FrameRecord;

// The frame-skip test's read-out: the measured rate, the frames missed, where
// the figures come from, and how fast the cells flash.
QString frameSkipReadout(const FrameRecord& frames, double reportedRate);

class Program : public QObject {
    Q_OBJECT
public:
    // Settings that must be made before the QApplication exists.
    static void prepareApplication();
    // Qt's own texts (the buttons and labels of its dialogs) in Hungarian, as
    // the rest of the program is, for as long as the translator lives.
    static std::unique_ptr<QTranslator> loadQtTranslation();

    // Loads and shows the launcher. The program's folder holds the help
    // document and the ghosting test's picture.
    explicit Program(
        QString programFolder = QCoreApplication::applicationDirPath(), QScreen* screen = nullptr);
    ~Program() override;

    Form1& launcher() { return *form1_; }
    // The canvas while it is loaded, else nullptr.
    Form2* canvas() const;

    // The option dialogs while they are loaded, else nullptr.
    Form3* columnsDialog() const;
    Form4* gradientDialog() const;

    // Stops the running test, unloads the canvas and both dialogs, and shows
    // the launcher.
    void ReturnToLauncher();
    // Ends the program at once, whatever is open.
    void End();
    // Starts the test `name` as its tile would, drawn by `draw` where given
    // (a variant the command line chose).
    void RunTest(std::string_view name, const std::function<TestRun(Canvas&)>& draw = {});

    // Where the paced tests take their frame ticks from; the canvas's own
    // display clock unless replaced (tests drive it by hand).
    void setFrameClockFactory(FrameClockFactory factory) { frameClocks_ = std::move(factory); }
    // What the menu's guided checkup starts; the menu's entry does nothing
    // without it.
    void setCheckupStarter(CheckupStarter starter) { checkupStarter_ = std::move(starter); }

    // The guided checkup on the launcher's monitor, the launcher hidden until
    // the checkup ends.
    void StartCheckup();
    // Asks for a folder, then writes every test into it as a picture of the
    // launcher's monitor.
    void SaveAllPictures();
    // The saving while it runs, else nullptr.
    PictureExport* pictureExport() const;

private:
    void onTileClicked(const TileSpec& tile);
    void Picture12_Click();
    void Picture13_Click();
    void Form3_Command1_Click();
    void Form4_Command1_Click();
    // Mégse of either dialog, and its close box.
    void CancelDialog();
    // Form1.Hide, then Form2.Show: loads the canvas anew if needed, on the
    // launcher's screen.
    Form2& showCanvas();
    void unloadCanvas();
    template <typename Window> void unload(QPointer<Window>& window);
    // Hides the launcher and shows the dialog, loading it first if needed.
    template <typename Dialog> void openDialog(QPointer<Dialog>& dialog, void (Program::*ok)());
    void showLauncher();

    QString programFolder_;
    std::unique_ptr<Form1> form1_;
    QPointer<Form2> form2_;
    QPointer<Form3> form3_;
    QPointer<Form4> form4_;
    FrameClockFactory frameClocks_;
    CheckupStarter checkupStarter_;
    std::unique_ptr<QObject> checkup_;
    QPointer<PictureExport> pictureExport_;
    ScreenSaverInhibitor screenSaver_;
};
