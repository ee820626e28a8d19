// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogs/Form3.h"

#include "canvas/Val.h"
#include "dialogs/Form4.h"
#include "patterns/SteppedColumns.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

Form3::Form3()
    : OptionDialog(
          QStringLiteral("Form3"), QStringLiteral("Lépcsőzetes oszlopok adatlapja"), 3855, 2025)
{
    text1_ = place(new QLineEdit, "Text1", 120, 120, 1215, 285);
    command1_ = commandButton("Command1", QStringLiteral("Ok"), 120, 1440);
    // 2295 twips wide instead of the original 1935: in the fonts a Linux
    // desktop has, the caption needs the room up to the dialog's margin.
    label1_ = place(
        new QLabel(QStringLiteral("Oszlopok száma (max. 256)")), "Label1", 1440, 150, 2295, 195);
    command2_ = commandButton("Command2", QStringLiteral("Mégse"), 2520, 1440);
    check4_ = place(new QCheckBox(QStringLiteral("RGB")), "Check4", 120, 480, 735, 255);
    addChannelOptions(840, options_);
    for (QRadioButton* option : options_)
        option->setEnabled(false);

    setTabOrder(text1_, command1_);
    setTabOrder(command1_, command2_);
    setTabOrder(command2_, check4_);
    setTabOrder(check4_, options_[0]);
    setTabOrder(options_[0], options_[1]);
    setTabOrder(options_[1], options_[2]);

    connect(check4_, &QCheckBox::clicked, this, &Form3::Check4_Click);
    connect(command1_, &QAbstractButton::clicked, this, &OptionDialog::okClicked);
    connect(command2_, &QAbstractButton::clicked, this, &OptionDialog::cancelClicked);
}

void Form3::Check4_Click()
{
    // The selection stays as it is; only whether it can be changed follows the box.
    for (QRadioButton* option : options_)
        option->setEnabled(check4_->isChecked());
}

std::optional<Channel> Form3::channelChoice() const
{
    return check4_->isChecked() ? channelOf(options_) : std::nullopt;
}

std::optional<double> Form3::checkedCount()
{
    const double count = Val(text1_->text());
    if (isValidColumnCount(count))
        return count;
    // Modal, without a nested event loop: the handler ends here and the box
    // keeps the dialog blocked until it is closed.
    auto* box = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Hiba"),
        QString::fromUtf8(InvalidCountMessage), QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::ApplicationModal);
    box->open();
    return std::nullopt;
}
