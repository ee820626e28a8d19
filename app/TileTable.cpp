// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TileTable.h"

#include "canvas/Twips.h"

namespace {

using enum TileSize;
using enum TileThumbnail;
using enum TileAction;

const TileSpec tiles[] = {
    {"Picture1", 120, 120, Large, "Szürke oszlopo", FromPattern, RunTest, "gray-columns"},
    {"Picture2", 2040, 120, Large, "Szürke gradiens", FromPattern, RunTest, "gray-gradient"},
    {"Picture17", 3960, 120, Large, "Megvilágítás egyenletessége", UniformityBands, RunTest,
        "uniformity"},
    {"Picture9", 5880, 120, Large, "Fekete háttér", FromPattern, RunTest, "black"},
    {"Picture15", 120, 1680, Large, "Szürke háttér", FromPattern, RunTest, "gray"},
    {"Picture10", 2040, 1680, Large, "Sötét tónusok", FromPattern, RunTest, "dark-tones"},
    {"Picture11", 3960, 1680, Large, "Világos tónusok", FromPattern, RunTest, "light-tones"},
    {"Picture4", 5880, 1680, Large, "Képzaj", FromPattern, RunTest, "noise"},
    {"Picture5", 120, 3240, Large, "Utánhúzás", GhostingPicture, RunTest, "ghosting"},
    {"Picture6", 2040, 3240, Large, "Red", FromPattern, RunTest, "red"},
    {"Picture7", 3960, 3240, Large, "Green", FromPattern, RunTest, "green"},
    {"Picture8", 5880, 3240, Large, "Blue", FromPattern, RunTest, "blue"},
    {"Picture12", 1575, 1125, Small, "Szürke oszlopok plusz opciók", OptionIcon, ColumnsDialog,
        nullptr},
    {"Picture13", 3510, 1125, Small, "Szürke gradiens plusz opciók", OptionIcon, GradientDialog,
        nullptr},
    {"Picture19", 7355, 1125, Small, "Háttérvilágítás kisugárzása", OptionIcon, RunTest,
        "bleeding"},
    {"Picture16", 1230, 2685, Small, "Világosszürke háttér", FromPattern, RunTest, "light-gray"},
    {"Picture3", 1575, 2685, Small, "Fehér háttér", FromPattern, RunTest, "white"},
};

} // namespace

std::span<const TileSpec> tileTable()
{
    return tiles;
}

QRect tileGeometry(const TileSpec& tile)
{
    const int side = tile.size == Large ? 1830 : 270;
    const int height = tile.size == Large ? 1380 : 270;
    return layoutRect(tile.left, tile.top, side, height);
}
