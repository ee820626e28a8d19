// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/NoteEdit.h"

#include <QMimeData>
#include <QTextBlock>

NoteEdit::NoteEdit(QWidget* parent)
    : QPlainTextEdit(parent)
{
    // Typing is a character at a time; cutting after it costs nothing.
    connect(this, &QPlainTextEdit::textChanged, this, &NoteEdit::cutToLength);
}

int NoteEdit::length() const
{
    return document()->characterCount() - 1; // the last paragraph's end is not text
}

void NoteEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source->hasText())
        return;
    const int room = MaxLength - length() + int(textCursor().selectedText().size());
    insertPlainText(source->text().left(std::max(room, 0)));
}

// What was typed last goes, not the note's end; joined to the typing, so that
// undoing it does not bring the overflow back.
void NoteEdit::cutToLength()
{
    const int excess = length() - MaxLength;
    if (excess <= 0)
        return;
    QTextCursor cursor = textCursor();
    if (cursor.position() < excess)
        cursor.movePosition(QTextCursor::End);
    cursor.joinPreviousEditBlock();
    cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor, excess);
    cursor.removeSelectedText();
    cursor.endEditBlock();
}
