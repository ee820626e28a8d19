// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "canvas/PictureFile.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QImageWriter>
#include <QSaveFile>

namespace {

// A JPEG ends with its EOI marker; one cut short does not, though Qt decodes it
// to a picture with a gray tail and only a warning.
bool jpegIsComplete(QFile& file)
{
    constexpr qint64 tail = 4096;
    const qint64 size = file.size();
    if (!file.seek(std::max<qint64>(0, size - tail)))
        return false;
    return file.read(tail).contains("\xFF\xD9");
}

} // namespace

QImage loadPicture(const QString& path, QSize visible)
{
    if (path.isEmpty())
        return {};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() == 0)
        return {};
    QImageReader reader(&file);
    const QSize size = reader.size();
    if (!size.isValid() || size.width() > MaxPictureSide || size.height() > MaxPictureSide)
        return {};
    if (reader.format() == "jpeg") {
        if (!jpegIsComplete(file) || !file.seek(0))
            return {};
        reader.setDevice(&file);
    }
    const QRect shown = QRect(QPoint(0, 0), size).intersected(QRect(QPoint(0, 0), visible));
    if (shown.isEmpty())
        return {};
    reader.setClipRect(shown);
    QImage picture;
    if (!reader.read(&picture))
        return {};
    return picture.convertToFormat(QImage::Format_RGB32);
}

bool savePicture(const QImage& picture, const QString& path, QString& reason)
{
    QByteArray png;
    QBuffer buffer(&png);
    QImageWriter writer(&buffer, "png");
    if (!buffer.open(QIODevice::WriteOnly) ||
        !writer.write(picture.convertToFormat(QImage::Format_RGB888))) {
        reason = writer.errorString();
        return false;
    }
    // QSaveFile writes beside the target and renames on commit, but it
    // committed files that a full disk had cut short: so every byte is
    // written unbuffered and counted here, and after a short write the next
    // one fails with the reason.
    QSaveFile file(path);
    qint64 written = 0;
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered)) {
        while (written < png.size()) {
            const qint64 n = file.write(png.constData() + written, png.size() - written);
            if (n <= 0)
                break;
            written += n;
        }
    }
    if (written == png.size() && file.commit())
        return true;
    reason = file.errorString();
    return false;
}
