// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/OptionDialog.h"

#include "canvas/Twips.h"
#include "canvas/WindowOrder.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

OptionDialog::OptionDialog(
    const QString& name, const QString& caption, int widthTwips, int heightTwips)
    : QWidget(nullptr,
          Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(name);
    setWindowTitle(caption);
    setFixedSize(layoutRect(0, 0, widthTwips, heightTwips).size());
    // The controls are sized for the small dialog font of the original.
    QFont small = font();
    small.setPointSizeF(8);
    setFont(small);
}

void OptionDialog::showCentred(QScreen* screen)
{
    if (screen)
        setGeometry(QStyle::alignedRect(
            Qt::LeftToRight, Qt::AlignCenter, size(), screen->availableGeometry()));
    showOnTop(*this);
}

void OptionDialog::placeControl(
    QWidget* control, const char* name, int left, int top, int width, int height)
{
    control->setParent(this);
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(layoutRect(left, top, width, height));
}

QAbstractButton* OptionDialog::commandButton(
    const char* name, const QString& caption, int left, int top)
{
    auto* button = place(new QPushButton(caption), name, left, top, 1215, 495);
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

void OptionDialog::addChannelOptions(int top, QRadioButton* (&options)[3])
{
    const char* names[] = {"Option1", "Option2", "Option3"};
    const char* captions[] = {"Red", "Green", "Blue"};
    const int lefts[] = {120, 1320, 2520};
    for (int i = 0; i < 3; ++i)
        options[i] = place(
            new QRadioButton(QString::fromLatin1(captions[i])), names[i], lefts[i], top, 1215, 495);
    options[0]->setChecked(true);
}

void OptionDialog::changeEvent(QEvent* event)
{
    // Some window managers (Openbox) offer to minimise any tool window. With
    // the launcher hidden, a minimised dialog would leave nothing to come
    // back to, so it stays on the screen.
    if (event->type() == QEvent::WindowStateChange && isMinimized())
        setWindowState(windowState() & ~Qt::WindowMinimized);
    QWidget::changeEvent(event);
}

void OptionDialog::closeEvent(QCloseEvent* event)
{
    // The owner unloads the dialog; closing it here would only hide it.
    event->ignore();
    emit cancelClicked();
}
