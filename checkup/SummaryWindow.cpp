// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/SummaryWindow.h"

#include "checkup/Report.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

SummaryWindow::SummaryWindow(CheckupRecord record, QScreen* screen)
    : QDialog(nullptr, Qt::Window)
    , record_(std::move(record))
    , save_(QStringLiteral("Mentés…"))
    , close_(QStringLiteral("Bezárás"))
{
    setWindowTitle(QString::fromUtf8(CheckupResultTitle));
    setAttribute(Qt::WA_QuitOnClose, false);
    auto* text = new QLabel(summaryHtml(record_));
    text->setTextFormat(Qt::RichText);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(&save_);
    buttons->addWidget(&close_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(text);
    layout->addLayout(buttons);
    close_.setDefault(true);
    close_.setFocus();
    connect(&save_, &QPushButton::clicked, this, &SummaryWindow::askWhereToSave);
    connect(&close_, &QPushButton::clicked, this, &SummaryWindow::closed);
    if (screen) {
        setScreen(screen);
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

void SummaryWindow::askWhereToSave()
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Jelentés mentése"),
        QDir::home().filePath(reportFileName(record_)),
        QStringLiteral("HTML-dokumentum (*.html *.htm)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("html"));
    connect(dialog, &QFileDialog::fileSelected, this, &SummaryWindow::save);
    dialog->open();
}

bool SummaryWindow::save(const QString& path)
{
    QString error;
    if (writeReport(path, record_, error)) {
        emit saved(path);
        return true;
    }
    auto* box = new QMessageBox(
        QMessageBox::Warning, QString::fromUtf8(CheckupResultTitle), error, QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return false;
}

void SummaryWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    emit closed();
}

void SummaryWindow::reject()
{
    emit closed();
}
