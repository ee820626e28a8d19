// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QSize>
#include <QString>

#include <optional>

// A display mode: its pixels and its refreshes a second.
struct DisplayMode {
    QSize pixels;
    double refreshRate = 0;
};

// What a monitor says of itself in its EDID: the base block of 128 bytes and
// the extension blocks after it. Debian 12 packages no library for it.
struct Edid {
    QString maker; // the three-letter PNP ID
    int product = 0;
    QString serial; // the serial number's text, else its number; empty if none
    QString name;
    int year = 0; // of manufacture, or the model year
    std::optional<int> week; // of manufacture; none where only a model year is given
    std::optional<DisplayMode> native; // the preferred detailed timing
    // The highest vertical rate: the range limits', else the fastest
    // detailed timing's.
    std::optional<double> maxRefreshRate;
    QSize physicalSizeMm; // the preferred timing's image size, else the base block's
    QString version; // "1.4"
    QByteArray blocks; // the blocks read, each with a good checksum

    // The facts of `bytes`; none where the base block is short, has no
    // header or a bad checksum. Extension blocks that do not hold are left out.
    static std::optional<Edid> parse(const QByteArray& bytes);
};

// The maker's name for a PNP ID, from a list in the format of hwdata's
// pnp.ids ("ID<TAB>Name" lines); the ID itself where the list lacks it.
QString makerName(
    const QString& pnpId, const QString& list = QStringLiteral("/usr/share/hwdata/pnp.ids"));
