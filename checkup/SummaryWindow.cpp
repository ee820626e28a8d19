// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "checkup/SummaryWindow.h"

#include "checkup/Report.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLocale>
#include <QMessageBox>
#include <QScreen>
#include <QVBoxLayout>

#include <cstdio>

namespace {

QString title()
{
    return QString::fromUtf8(CheckupResultTitle);
}

} // namespace

SummaryWindow::SummaryWindow(
    CheckupRecord record, QScreen* screen, std::optional<QString> reportPath)
    : QDialog(nullptr, Qt::Window)
    , record_(std::move(record))
    , reportPath_(std::move(reportPath))
    , savedAt_(QStringLiteral("Nincs mentve"))
    , save_(QStringLiteral("Mentés…"))
    , close_(QStringLiteral("Bezárás"))
{
    setWindowTitle(title());
    savedAt_.setTextFormat(Qt::PlainText);
    setAttribute(Qt::WA_QuitOnClose, false);
    note_.setPlaceholderText(
        QStringLiteral("Például hol és mikor vásárolta a monitort (legfeljebb %1 karakter)")
            .arg(QLocale(QLocale::Hungarian).toString(NoteEdit::MaxLength)));
    lay();
    save_.setDefault(true);
    save_.setFocus();
    connect(&save_, &QPushButton::clicked, this, [this] { askWhereToSave(Then::Stay); });
    connect(&close_, &QPushButton::clicked, this, &SummaryWindow::requestClose);
    for (QLineEdit* edit : {&manufacturer_, &model_, &serial_})
        connect(edit, &QLineEdit::textEdited, this, &SummaryWindow::typed);
    connect(&note_, &QPlainTextEdit::textChanged, this, &SummaryWindow::typed);
    qApp->installEventFilter(this);
    if (screen) {
        setScreen(screen);
        adjustSize();
        move(screen->availableGeometry().center() - rect().center());
    }
}

// The monitor and the note on the left, what was found on the right, the
// tests never shown under them, and the buttons.
void SummaryWindow::lay()
{
    auto* findings = new QLabel(findingsHtml(record_));
    findings->setTextFormat(Qt::RichText);
    findings->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* monitor = new QVBoxLayout;
    monitor->addWidget(new QLabel(QStringLiteral("<h2>Monitor</h2>")));
    monitor->addLayout(monitorForm());
    if (const QString warning = record_.screen.modeWarning(); !warning.isEmpty()) {
        auto* said = new QLabel(warning);
        said->setObjectName(QStringLiteral("modeWarning"));
        said->setTextFormat(Qt::PlainText);
        said->setWordWrap(true);
        said->setStyleSheet(QStringLiteral("color: #a02000; font-weight: bold"));
        monitor->addWidget(said);
    }
    monitor->addWidget(new QLabel(QStringLiteral("Megjegyzés:")));
    monitor->addWidget(&note_, 1);
    auto* columns = new QHBoxLayout;
    columns->addLayout(monitor);
    columns->addWidget(findings, 0, Qt::AlignTop);
    auto* unseen = new QLabel(unseenHtml(record_));
    unseen->setWordWrap(true);
    unseen->setVisible(!unseen->text().isEmpty());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(&savedAt_, 1);
    buttons->addWidget(&save_);
    buttons->addWidget(&close_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns);
    layout->addWidget(unseen);
    layout->addLayout(buttons);
}

QLayout* SummaryWindow::monitorForm()
{
    auto* form = new QFormLayout;
    for (const MonitorFact& fact : monitorFacts(record_.screen)) {
        const QString label = QString::fromUtf8(fact.label) + QLatin1Char(':');
        QLineEdit* edit = fact.field == MonitorFact::Field::Manufacturer ? &manufacturer_
            : fact.field == MonitorFact::Field::Model                    ? &model_
            : fact.field == MonitorFact::Field::Serial                   ? &serial_
                                                                         : nullptr;
        if (edit) {
            edit->setText(fact.value);
            form->addRow(label, edit);
        } else {
            auto* value = new QLabel(fact.value.isEmpty() ? QStringLiteral("–") : fact.value);
            value->setTextFormat(Qt::PlainText);
            form->addRow(label, value);
        }
    }
    return form;
}

CheckupRecord SummaryWindow::record() const
{
    CheckupRecord record = record_;
    record.screen.manufacturer = manufacturer_.text();
    record.screen.model = model_.text();
    record.screen.serial = serial_.text();
    record.note = note_.toPlainText();
    return record;
}

bool SummaryWindow::takesKeys() const
{
    return shownAt_ && msSince(now_, *shownAt_) >= DeafMs;
}

void SummaryWindow::setClock(Nanoseconds now)
{
    now_ = std::move(now);
    if (shownAt_)
        shownAt_ = now_();
}

void SummaryWindow::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (shownAt_)
        return;
    shownAt_ = now_();
    if (reportPath_)
        save(*reportPath_);
}

void SummaryWindow::typed()
{
    unsaved_ = true;
    reportWritten_ = reportTried_ = false;
    if (!lastSaved_.isEmpty())
        savedAt_.setText(QStringLiteral("Mentve: %1 (azóta módosult)").arg(lastSaved_));
}

void SummaryWindow::askWhereToSave(Then then)
{
    auto* dialog = new QFileDialog(this, QStringLiteral("Jelentés mentése"),
        QDir::home().filePath(reportFileName(record_)),
        QStringLiteral("HTML-dokumentum (*.html *.htm)"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setDefaultSuffix(QStringLiteral("html"));
    connect(dialog, &QFileDialog::fileSelected, this, [this, then](const QString& path) {
        if (save(path) && then == Then::Close)
            emit closed();
    });
    dialog->open();
}

bool SummaryWindow::save(const QString& path)
{
    const bool report = path == reportPath_;
    reportTried_ = reportTried_ || report;
    QString reason;
    if (writeReport(path, record(), reason)) {
        lastSaved_ = QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
        savedAt_.setText(QStringLiteral("Mentve: %1").arg(lastSaved_));
        unsaved_ = false;
        reportWritten_ = reportWritten_ || report;
        return true;
    }
    if (report)
        std::fprintf(stderr, "kijelzor: cannot write the report to %s: %s\n", qPrintable(path),
            qPrintable(reason));
    auto* box = new QMessageBox(QMessageBox::Warning, title(),
        QStringLiteral("A jelentés nem írható ide: %1\n%2")
            .arg(QFileInfo(path).absoluteFilePath(), reason),
        QMessageBox::Ok, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->open();
    return false;
}

void SummaryWindow::requestClose()
{
    // Once more to the command line's file if anything was typed since; when
    // that fails the message says why, and the window stays.
    if (reportPath_ && !reportTried_ && !save(*reportPath_))
        return;
    if (unsaved_)
        return askBeforeClosing();
    emit closed();
}

void SummaryWindow::askBeforeClosing()
{
    if (question_ && question_->isVisible())
        return;
    QMessageBox* box = question_ = new QMessageBox(QMessageBox::Question, title(),
        QStringLiteral("Az ellenőrzés eredménye nincs mentve. Menti, mielőtt kilép?"),
        QMessageBox::NoButton, this);
    QPushButton* save = box->addButton(QStringLiteral("Mentés…"), QMessageBox::AcceptRole);
    QPushButton* leave =
        box->addButton(QStringLiteral("Kilépés mentés nélkül"), QMessageBox::DestructiveRole);
    box->setEscapeButton(box->addButton(QStringLiteral("Mégse"), QMessageBox::RejectRole));
    box->setDefaultButton(save);
    box->setAttribute(Qt::WA_DeleteOnClose);
    connect(box, &QMessageBox::buttonClicked, this, [this, save, leave](QAbstractButton* button) {
        if (button == save)
            askWhereToSave(Then::Close);
        else if (button == leave)
            emit closed();
    });
    box->open();
}

void SummaryWindow::closeEvent(QCloseEvent* event)
{
    event->ignore();
    requestClose();
}

void SummaryWindow::reject()
{
    requestClose();
}

bool SummaryWindow::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    // This window's keys, and those of the boxes it opens (the report that
    // could not be written is said in one the moment it opens).
    QWidget* widget = qobject_cast<QWidget*>(watched);
    while (widget && widget != this)
        widget = widget->parentWidget();
    if (!widget)
        return false;
    const auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyRelease) {
        if (!key->isAutoRepeat())
            keysDown_.erase(key->key());
        return false;
    }
    // The key that ended the checkup, pressed once too often or still held,
    // must not end the summary too.
    if (!takesKeys() || (key->isAutoRepeat() && !keysDown_.contains(key->key())))
        return true;
    keysDown_.insert(key->key());
    return false;
}
