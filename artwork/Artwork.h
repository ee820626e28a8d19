// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QSize>

// The program's pictures, drawn rather than stored, so that every size of the
// icon and every thumbnail comes from one source.
namespace Artwork {

// Diagonal colour bands, at any square size.
QImage iconImage(int side);
QIcon appIcon();

// 16 × 16: a white square, a black right-angled triangle pointing right, and
// a one-pixel black edge along the right and bottom sides.
QImage optionIcon();

// 40 × 40 pictures on light gray: a red question mark and a red cross.
QImage helpPicture();
QImage exitPicture();

// The pointers over the two pictures, 32 × 32 at any device pixel ratio: a
// monochrome arrow with a question mark (hot spot 2, 2) and a pointing hand
// in the 16 colours of the VGA palette (hot spot 12, 1).
QCursor helpCursor(qreal devicePixelRatio);
QCursor exitCursor(qreal devicePixelRatio);

// The ghosting tile: the background picture with a small white square.
QImage ghostingThumbnail(QSize pixels);

} // namespace Artwork
