#pragma once

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

// The ghosting tile: the background picture with a small white square.
QImage ghostingThumbnail(QSize pixels);

} // namespace Artwork
