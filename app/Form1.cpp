// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Form1.h"

#include "artwork/Artwork.h"
#include "app/LauncherMenu.h"
#include "app/PictureBox.h"
#include "canvas/NumberText.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/Twips.h"
#include "patterns/Pattern.h"
#include "patterns/Uniformity.h"

#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStyle>
#include <QUrl>

namespace {

constexpr QSize thumbnailSize{120, 90};

} // namespace

QString launcherTitle(float screenWidth, float screenHeight, const QLocale& locale)
{
    const float w = screenWidth / float(TwipsPerPixel);
    const float h = screenHeight / float(TwipsPerPixel);
    return Form1::DesignCaption + QStringLiteral(" (") + singleToText(w, locale) +
        QStringLiteral(" x ") + singleToText(h, locale) +
        QStringLiteral(" pixeles aktuális felbontás)");
}

QImage tileThumbnail(const TileSpec& tile)
{
    switch (tile.thumbnail) {
    case TileThumbnail::OptionIcon:
        return Artwork::optionIcon();
    case TileThumbnail::GhostingPicture:
        return Artwork::ghostingThumbnail(thumbnailSize);
    case TileThumbnail::UniformityBands:
        return renderPicture(
            [](Canvas& c) { return Uniformity(c, UniformityGrid::Omitted); }, thumbnailSize);
    case TileThumbnail::FromPattern:
        break;
    }
    if (const Pattern* pattern = findPattern(tile.pattern))
        return renderPicture(*pattern, thumbnailSize);
    QImage blank(thumbnailSize, QImage::Format_RGB32);
    blank.fill(Qt::black);
    return blank;
}

Form1::Form1(QString programFolder, QScreen* screen)
    : QWidget(nullptr,
          Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , programFolder_(std::move(programFolder))
{
    setObjectName(QStringLiteral("Form1"));
    setFixedSize(ClientSize);
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QApplication::palette("QMenu").color(QPalette::Window));
    setPalette(colours);
    setAutoFillBackground(true);

    buildTiles();
    buildControls();
    menu_ = new LauncherMenu(this);

    if (!screen)
        screen = QGuiApplication::primaryScreen();
    setScreen(screen);
    const QSize pixels = physicalPixels(screen);
    // The title is built once: a later change of resolution leaves it as it is.
    setWindowTitle(launcherTitle(pixelsToTwips(pixels.width()), pixelsToTwips(pixels.height())));
    if (screen)
        setGeometry(QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, ClientSize, screen->availableGeometry()));
}

void Form1::buildTiles()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QApplication::palette().color(QPalette::Base));
    colours.setColor(QPalette::WindowText, QApplication::palette().color(QPalette::Text));
    for (const TileSpec& row : tileTable()) {
        auto* tile = new PictureBox(QString::fromLatin1(row.name), tileThumbnail(row), this);
        tile->setFrameStyle(QFrame::Box | QFrame::Plain);
        tile->setLineWidth(1);
        tile->setPalette(colours);
        tile->setAutoFillBackground(true);
        tile->setFocusPolicy(Qt::StrongFocus);
        tile->setGeometry(tileGeometry(row));
        tile->setToolTip(QString::fromUtf8(row.toolTip));
        tile->installEventFilter(this);
        // Later tiles are stacked above earlier ones: the small tiles come last.
        tile->raise();
        connect(tile, &PictureBox::clicked, this, [this, &row] { emit tileClicked(row); });
    }
}

void Form1::buildControls()
{
    image2_ = new PictureBox(QStringLiteral("Image2"), Artwork::helpPicture(), this);
    image2_->setGeometry(layoutRect(6360, 4800, 600, 600));
    image2_->setCursor(Artwork::helpCursor(devicePixelRatioF()));
    connect(image2_, &PictureBox::clicked, this, &Form1::OpenHelpDocument);

    image1_ = new PictureBox(QStringLiteral("Image1"), Artwork::exitPicture(), this);
    image1_->setGeometry(layoutRect(7080, 4800, 600, 600));
    image1_->setCursor(Artwork::exitCursor(devicePixelRatioF()));
    connect(image1_, &PictureBox::clicked, this, &Form1::exitRequested);

    label1_ = new QLabel(QStringLiteral("Kijelzor LCD-teszt"), this);
    label1_->setObjectName(QStringLiteral("Label1"));
    label1_->setGeometry(layoutRect(120, 5160, 1830, 195));
    // Verdana where the system has it; fontconfig picks the nearest otherwise.
    QFont credit(QStringLiteral("Verdana"));
    credit.setPointSizeF(8.25);
    credit.setWeight(QFont::Normal);
    label1_->setFont(credit);
    for (QWidget* control : {static_cast<QWidget*>(image1_), static_cast<QWidget*>(image2_),
             static_cast<QWidget*>(label1_)})
        control->installEventFilter(this);
}

PictureBox* Form1::tile(const QString& name) const
{
    return findChild<PictureBox*>(name, Qt::FindDirectChildrenOnly);
}

void Form1::OpenHelpDocument()
{
    const QString document = QDir(programFolder_).filePath(QStringLiteral("index.htm"));
    QDesktopServices::openUrl(QUrl::fromLocalFile(document));
}

bool Form1::isHelpKey(QEvent* event) const
{
    return event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1;
}

bool Form1::isMenuKey(QEvent* event) const
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    return key->key() == Qt::Key_Menu ||
        (key->key() == Qt::Key_F10 && key->modifiers() == Qt::ShiftModifier);
}

void Form1::openMenuFromKeys()
{
    const QWidget* focus = focusWidget() ? focusWidget() : this;
    menu_->popup(focus->mapToGlobal(focus->rect().center()));
}

// Key preview: F1 and the menu keys reach the launcher whichever control has
// the focus.
bool Form1::eventFilter(QObject* watched, QEvent* event)
{
    if (isHelpKey(event)) {
        OpenHelpDocument();
        return true;
    }
    if (isMenuKey(event)) {
        openMenuFromKeys();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Form1::keyPressEvent(QKeyEvent* event)
{
    if (isHelpKey(event))
        return OpenHelpDocument();
    if (isMenuKey(event))
        return openMenuFromKeys();
    QWidget::keyPressEvent(event);
}

// The keys open the menu themselves; Qt on X11 follows the Menu key with a
// context-menu event of its own, which must not open it a second time.
void Form1::contextMenuEvent(QContextMenuEvent* event)
{
    if (event->reason() != QContextMenuEvent::Keyboard)
        menu_->popup(event->globalPos());
    event->accept();
}

void Form1::closeEvent(QCloseEvent* event)
{
    event->accept();
    emit closed();
}
