// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Any bytes as a monitor's EDID: AddressSanitizer catches a read past the
// blocks; the checks below catch facts that no block could have given.
#include "platform/Edid.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const std::optional<Edid> edid = Edid::parse(bytes);
    if (!edid)
        return 0;
    const bool sane = edid->blocks.size() % 128 == 0 && edid->blocks.size() <= bytes.size() &&
        bytes.startsWith(edid->blocks) && edid->maker.size() == 3 && edid->name.size() <= 13 &&
        edid->serial.size() <= 13 && edid->year >= 1990 && edid->year <= 1990 + 255 &&
        (!edid->native ||
            (!edid->native->pixels.isEmpty() && std::isfinite(edid->native->refreshRate)));
    if (!sane)
        std::abort();
    return 0;
}
