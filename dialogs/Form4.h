// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/OptionDialog.h"
#include "patterns/Channel.h"

class QRadioButton;
class QAbstractButton;

// "Gradiens": picks the colour channel of the diagonal gradient. Its only
// setting is which option button is selected, kept until it is unloaded.
class Form4 : public OptionDialog {
    Q_OBJECT
public:
    Form4();

    // The selected channel, testing Option1, Option2, Option3 in that order.
    std::optional<Channel> selectedChannel() const;

    QRadioButton* Option(int index) const { return options_[index - 1]; }
    QAbstractButton* Command1() const { return command1_; }
    QAbstractButton* Command2() const { return command2_; }

private:
    QRadioButton* options_[3] = {};
    QAbstractButton* command1_ = nullptr;
    QAbstractButton* command2_ = nullptr;
};

// The first selected of three option buttons, as Red, Green, Blue.
std::optional<Channel> channelOf(QRadioButton* const (&options)[3]);
