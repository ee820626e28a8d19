// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/Edid.h"

#include <QFile>

#include <algorithm>
#include <cstdint>

namespace {

constexpr int BlockSize = 128, DescriptorSize = 18;

std::uint8_t at(const QByteArray& bytes, int i)
{
    return std::uint8_t(bytes[i]);
}

bool checksumHolds(const QByteArray& block)
{
    int sum = 0;
    for (char byte : block)
        sum += std::uint8_t(byte);
    return sum % 256 == 0;
}

// A descriptor's text: up to the line feed that ends it, without its padding
// and anything unprintable.
QString descriptorText(const QByteArray& descriptor)
{
    QString text;
    for (int i = 5; i < DescriptorSize && at(descriptor, i) != 0x0A; ++i)
        if (at(descriptor, i) >= 0x20 && at(descriptor, i) < 0x7F)
            text += QChar(at(descriptor, i));
    return text.trimmed();
}

struct Timing {
    DisplayMode mode;
    QSize imageMm;
};

// A detailed timing descriptor; none where its pixel clock is zero (a
// display descriptor) or its sizes cannot make a mode.
std::optional<Timing> detailedTiming(const QByteArray& d)
{
    const int clock10kHz = at(d, 0) | at(d, 1) << 8;
    if (clock10kHz == 0)
        return std::nullopt;
    const int hActive = at(d, 2) | (at(d, 4) & 0xF0) << 4,
              hBlank = at(d, 3) | (at(d, 4) & 0x0F) << 8;
    const int vActive = at(d, 5) | (at(d, 7) & 0xF0) << 4,
              vBlank = at(d, 6) | (at(d, 7) & 0x0F) << 8;
    const int total = (hActive + hBlank) * (vActive + vBlank);
    if (hActive == 0 || vActive == 0 || total == 0)
        return std::nullopt;
    const QSize image(at(d, 12) | (at(d, 14) & 0xF0) << 4, at(d, 13) | (at(d, 14) & 0x0F) << 8);
    return Timing{{{hActive, vActive}, clock10kHz * 10000.0 / total}, image};
}

// The descriptors of the base block, and those of a CTA-861 extension from
// where its third byte says they begin.
QList<QByteArray> descriptors(const QByteArray& block, bool base)
{
    QList<QByteArray> found;
    const int from = base ? 54 : at(block, 2), to = base ? 126 : BlockSize - 1;
    if (!base && (at(block, 0) != 0x02 || from < 4))
        return found;
    for (int i = from; i + DescriptorSize <= to; i += DescriptorSize)
        found << block.mid(i, DescriptorSize);
    return found;
}

// What the descriptors say: the preferred mode, serial, name and highest
// rate, the fastest timing's where no range limits give one.
void readDescriptors(const QList<QByteArray>& all, Edid& edid)
{
    double fastest = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const QByteArray& d = all[i];
        if (const std::optional<Timing> timing = detailedTiming(d)) {
            fastest = std::max(fastest, timing->mode.refreshRate);
            // The first of the base block is the preferred one.
            if (i == 0) {
                edid.native = timing->mode;
                if (!timing->imageMm.isEmpty())
                    edid.physicalSizeMm = timing->imageMm;
            }
            continue;
        }
        switch (at(d, 3)) {
        case 0xFF:
            edid.serial = descriptorText(d);
            break;
        case 0xFC:
            edid.name = descriptorText(d);
            break;
        case 0xFD: // range limits; version 1.4 may add 255 to the highest rate
            edid.maxRefreshRate = at(d, 6) + (at(d, 4) & 0x02 ? 255 : 0);
            break;
        }
    }
    if (!edid.maxRefreshRate && fastest > 0)
        edid.maxRefreshRate = fastest;
}

} // namespace

std::optional<Edid> Edid::parse(const QByteArray& bytes)
{
    static const QByteArray header("\x00\xFF\xFF\xFF\xFF\xFF\xFF\x00", 8);
    const QByteArray base = bytes.left(BlockSize);
    if (base.size() < BlockSize || !base.startsWith(header) || !checksumHolds(base))
        return std::nullopt;
    Edid edid;
    edid.blocks = base;
    const int id = at(base, 8) << 8 | at(base, 9);
    for (int shift : {10, 5, 0})
        edid.maker += QChar('A' - 1 + ((id >> shift) & 0x1F));
    edid.product = at(base, 10) | at(base, 11) << 8;
    const std::uint32_t number =
        at(base, 12) | at(base, 13) << 8 | at(base, 14) << 16 | std::uint32_t(at(base, 15)) << 24;
    edid.year = 1990 + at(base, 17);
    if (at(base, 16) >= 1 && at(base, 16) <= 54)
        edid.week = at(base, 16);
    edid.version = QStringLiteral("%1.%2").arg(at(base, 18)).arg(at(base, 19));
    edid.physicalSizeMm = QSize(at(base, 21) * 10, at(base, 22) * 10);

    QList<QByteArray> all = descriptors(base, true);
    for (int i = 1; i <= at(base, 126); ++i) {
        const QByteArray block = bytes.mid(i * BlockSize, BlockSize);
        if (block.size() < BlockSize || !checksumHolds(block))
            break;
        edid.blocks += block;
        all += descriptors(block, false);
    }
    readDescriptors(all, edid);
    if (edid.serial.isEmpty() && number != 0)
        edid.serial = QString::number(number);
    return edid;
}

QString makerName(const QString& pnpId, const QString& list)
{
    QFile file(list);
    if (file.open(QIODevice::ReadOnly)) {
        const QByteArray prefix = pnpId.toLatin1() + '\t';
        while (!file.atEnd()) {
            const QByteArray line = file.readLine();
            if (line.startsWith(prefix))
                return QString::fromUtf8(line.mid(prefix.size())).trimmed();
        }
    }
    return pnpId;
}
