// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRgb>

#include <span>

// What a mark on a test says about the pixel under it.
enum class MarkKind { Bright, Dark, Subpixel, Other };

// One test of the guided checkup, with what the user is told about it.
struct CheckupStep {
    const char* test; // a pattern's exporter name, or "ghosting"; titled by testTitle
    const char* hint; // what to look for, one or two sentences
    MarkKind kind; // of every mark made on this test
    QRgb markColour; // of the rings over the picture; stands out from it
};

// The checkup's tests in the order they are shown.
std::span<const CheckupStep> checkupTable();

// The keys, as the hint lists them.
extern const char* const CheckupKeys;

// "bright", "dark", "subpixel" or "other", as the report's data names them.
const char* markKindName(MarkKind kind);
// The kind in Hungarian, for people.
const char* markKindTitle(MarkKind kind);
