// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>
#include <QSize>
#include <QString>

// LoadPicture: reads a picture file, or gives a null image when it cannot —
// missing, empty, not a picture, truncated, or declaring more than MaxSide
// pixels on a side. Only the part within `visible` pixels of the top-left
// corner is decoded, so memory stays bounded by the screen, not by the file.
QImage loadPicture(const QString& path, QSize visible);

inline constexpr int MaxPictureSide = 16384;

// Writes `picture` as an RGB PNG file that appears only once it is whole: a
// failure (a folder that cannot be written, a full disk) leaves neither a
// partial file nor a changed old one, and says why in `reason`.
bool savePicture(const QImage& picture, const QString& path, QString& reason);
