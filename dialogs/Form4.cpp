// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/Form4.h"

#include <QPushButton>
#include <QRadioButton>

Form4::Form4()
    : OptionDialog(QStringLiteral("Form4"), QStringLiteral("Gradiens"), 3855, 1575)
{
    addChannelOptions(120, options_);
    command1_ = commandButton("Command1", QStringLiteral("Ok"), 120, 960);
    command2_ = commandButton("Command2", QStringLiteral("Mégse"), 2520, 960);
    setTabOrder(options_[0], options_[1]);
    setTabOrder(options_[1], options_[2]);
    setTabOrder(options_[2], command1_);
    setTabOrder(command1_, command2_);
    connect(command1_, &QAbstractButton::clicked, this, &OptionDialog::okClicked);
    connect(command2_, &QAbstractButton::clicked, this, &OptionDialog::cancelClicked);
}

std::optional<Channel> channelOf(QRadioButton* const (&options)[3])
{
    const Channel channels[] = {Channel::Red, Channel::Green, Channel::Blue};
    for (int i = 0; i < 3; ++i) {
        if (options[i]->isChecked())
            return channels[i];
    }
    return std::nullopt;
}

std::optional<Channel> Form4::selectedChannel() const
{
    return channelOf(options_);
}
