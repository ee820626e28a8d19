// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "dialogs/OptionDialog.h"
#include "patterns/Channel.h"

#include <optional>

class QAbstractButton;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMessageBox;
class QRadioButton;

// "Lépcsőzetes oszlopok adatlapja": the number of columns and, with "RGB"
// ticked, a single colour channel for them. Its settings live in its controls.
class Form3 : public OptionDialog {
    Q_OBJECT
public:
    Form3();

    // The count check: Val of the text within 8 … 256. Otherwise the
    // "Nem megfelelő érték" box is shown and nullopt returned; the dialog
    // stays open with the text as typed.
    std::optional<double> checkedCount();
    // With "RGB" ticked, the selected channel; otherwise gray (nullopt).
    std::optional<Channel> channelChoice() const;

    QLineEdit* Text1() const { return text1_; }
    QAbstractButton* Command1() const { return command1_; }
    QAbstractButton* Command2() const { return command2_; }
    QCheckBox* Check4() const { return check4_; }
    QRadioButton* Option(int index) const { return options_[index - 1]; }
    QLabel* Label1() const { return label1_; }

private:
    void Check4_Click();

    QLineEdit* text1_ = nullptr;
    QAbstractButton* command1_ = nullptr;
    QLabel* label1_ = nullptr;
    QAbstractButton* command2_ = nullptr;
    QCheckBox* check4_ = nullptr;
    QRadioButton* options_[3] = {};
};
