// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/PictureExport.h"

#include "canvas/PictureFile.h"
#include "patterns/Pattern.h"

#include <QMessageBox>
#include <QProgressDialog>
#include <QTimer>

PictureExport::PictureExport(const QString& folder, QSize pixels, QWidget* window, QObject* parent)
    : QObject(parent)
    , folder_(folder)
    , pixels_(pixels)
    , window_(window)
    , progress_(new QProgressDialog(QStringLiteral("Képek mentése…"), QStringLiteral("Mégse"), 0,
          int(allPatterns().size()), window))
{
    progress_->setWindowTitle(QStringLiteral("Képek mentése"));
    progress_->setWindowModality(Qt::WindowModal);
    progress_->setMinimumDuration(0);
    progress_->setAutoClose(false);
    progress_->setAutoReset(false);
    connect(progress_, &QProgressDialog::canceled, this, &PictureExport::end);
    // Esc closes it without a cancel of its own.
    connect(progress_, &QDialog::rejected, this, &PictureExport::end);
    progress_->setValue(0);
    QTimer::singleShot(0, this, &PictureExport::writeNext);
}

PictureExport::~PictureExport()
{
    delete progress_.data();
}

void PictureExport::writeNext()
{
    if (over_)
        return;
    const Pattern& pattern = allPatterns()[next_];
    const QString path = folder_.absoluteFilePath(QString::fromLatin1(pattern.name) + ".png");
    progress_->setLabelText(QStringLiteral("Mentés: %1").arg(QDir::toNativeSeparators(path)));
    QString reason;
    if (!savePicture(renderPicture(pattern, pixels_), path, reason))
        return fail(path, reason);
    ++next_;
    // A modal progress dialog lets Mégse through here, so the run may be
    // over when this returns.
    progress_->setValue(next_);
    if (next_ == progress_->maximum())
        return end();
    if (!over_)
        QTimer::singleShot(0, this, &PictureExport::writeNext);
}

void PictureExport::fail(const QString& path, const QString& reason)
{
    auto* box = new QMessageBox(QMessageBox::Warning, progress_->windowTitle(),
        QStringLiteral("A kép nem írható ide: %1\n%2").arg(QDir::toNativeSeparators(path), reason),
        QMessageBox::Ok, window_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    end();
    box->open();
}

void PictureExport::end()
{
    if (over_)
        return;
    over_ = true;
    progress_->hide();
    emit ended();
    deleteLater();
}
