// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/TileTable.h"

#include <QLocale>
#include <QScreen>
#include <QString>
#include <QWidget>

class LauncherMenu;
class PictureBox;
class QLabel;

// The launcher: the title with the resolution, the tiles, the exit and help
// pictures and the credit. It only reports what the user asked for; Program
// decides what happens.
class Form1 : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize ClientSize{521, 362};
    static inline const QString DesignCaption = QStringLiteral("Kijelzor - v1.05");

    // Form_Load: builds the window and its title from the screen it opens on,
    // the primary one unless another is given.
    explicit Form1(QString programFolder, QScreen* screen = nullptr);

    PictureBox* tile(const QString& name) const;
    PictureBox* Image1() const { return image1_; }
    PictureBox* Image2() const { return image2_; }
    QLabel* Label1() const { return label1_; }
    LauncherMenu* contextMenu() const { return menu_; }

    // Asks the desktop to open the help document beside the program; whether
    // it could is not examined, and every request opens it anew.
    void OpenHelpDocument();

signals:
    void tileClicked(const TileSpec& tile);
    void exitRequested();
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void buildTiles();
    void buildControls();
    bool isHelpKey(QEvent* event) const;
    bool isMenuKey(QEvent* event) const;
    // Opens the context menu by the control that has the focus.
    void openMenuFromKeys();

    QString programFolder_;
    PictureBox* image1_ = nullptr;
    PictureBox* image2_ = nullptr;
    QLabel* label1_ = nullptr;
    LauncherMenu* menu_ = nullptr;
};

// "Kijelzor - v1.05 (W x H pixeles aktuális felbontás)" for a screen of the
// given twips, each divided by 15 in single precision.
QString launcherTitle(float screenWidth, float screenHeight, const QLocale& locale = QLocale());

// The thumbnail a tile shows, rendered from the pattern code where it has one.
QImage tileThumbnail(const TileSpec& tile);
