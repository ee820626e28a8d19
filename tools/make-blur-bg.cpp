// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the ghosting test's background picture, blur_bg.jpg: a dark, finely
// textured gray. Usage: make-blur-bg FILE.jpg

#include "patterns/GhostingBackground.h"

#include <QImageWriter>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: make-blur-bg FILE.jpg\n", stderr);
        return 2;
    }
    QImageWriter writer(QString::fromLocal8Bit(argv[1]), "jpeg");
    writer.setQuality(92);
    if (!writer.write(makeGhostingBackground(QSize(1920, 1080)))) {
        std::fprintf(stderr, "make-blur-bg: cannot write %s: %s\n", argv[1],
            qPrintable(writer.errorString()));
        return 1;
    }
    return 0;
}
