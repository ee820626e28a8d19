// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QRect>

#include <span>

enum class TileSize { Large, Small };

// What a tile shows: the finished picture of its pattern, the option icon,
// the ghosting test's picture with its marker, or the uniformity test's
// bands without their grid.
enum class TileThumbnail { FromPattern, OptionIcon, GhostingPicture, UniformityBands };

// What a click on a tile starts.
enum class TileAction { RunTest, ColumnsDialog, GradientDialog };

struct TileSpec {
    const char* name;
    int left, top; // twips within the launcher's client area
    TileSize size;
    const char* toolTip;
    TileThumbnail thumbnail;
    TileAction action;
    const char* pattern; // the test it runs or shows, by its name (as --test knows it)
};

// In drawing order: the small tiles come last, so they lie above the large
// ones they overlap.
std::span<const TileSpec> tileTable();

// The tile's place in logical pixels.
QRect tileGeometry(const TileSpec& tile);
