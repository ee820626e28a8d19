// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the program's icon at the hicolor theme's sizes, from the same
// artwork as the window icon. Usage: make-icons FOLDER
// makes FOLDER/SIZExSIZE/apps/hu.kijelzor.Kijelzor.png for each size.

#include "artwork/Artwork.h"

#include <QDir>

#include <cstdio>

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fputs("usage: make-icons FOLDER\n", stderr);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (int side : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(side);
        const QString file = root.filePath(folder + QStringLiteral("/hu.kijelzor.Kijelzor.png"));
        if (!root.mkpath(folder) || !Artwork::iconImage(side).save(file, "png")) {
            std::fprintf(stderr, "make-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
