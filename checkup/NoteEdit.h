// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

// The user's note for the report: plain text of at most MaxLength
// characters. What goes past it is cut before it lands: Qt lays out a long
// line in a time that grows with the square of its length, so a pasted
// megabyte would hold the window for minutes.
class NoteEdit : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit NoteEdit(QWidget* parent = nullptr);

    static constexpr int MaxLength = 10000;

protected:
    void insertFromMimeData(const QMimeData* source) override;

private:
    int length() const;
    void cutToLength();
};
