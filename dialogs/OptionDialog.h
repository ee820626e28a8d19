// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

class QAbstractButton;
class QRadioButton;

// What the two option dialogs share: a small fixed-size window centred on
// the screen, controls placed in twips, and a close box that asks for what
// Mégse does, so the program is never left without a visible window.
class OptionDialog : public QWidget {
    Q_OBJECT
public:
    // Shows the dialog centred on `screen`, active.
    void showCentred(QScreen* screen);

signals:
    void okClicked();
    void cancelClicked();

protected:
    OptionDialog(const QString& name, const QString& caption, int widthTwips, int heightTwips);

    // Makes `control` a child named `name` at a place given in twips.
    template <typename Control>
    Control* place(Control* control, const char* name, int left, int top, int width, int height)
    {
        placeControl(control, name, left, top, width, height);
        return control;
    }
    // Ok and Mégse: neither is a default or a cancel button.
    QAbstractButton* commandButton(const char* name, const QString& caption, int left, int top);
    // Red, Green and Blue, Red selected.
    void addChannelOptions(int top, QRadioButton* (&options)[3]);

    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeControl(QWidget* control, const char* name, int left, int top, int width, int height);
};
