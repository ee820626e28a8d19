// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/TileTable.h"

#include "canvas/Twips.h"

namespace {

using enum TileSize;
using enum TileThumbnail;
using enum TileAction;

const TileSpec tiles[] = {
    {"Picture1", 120, 120, Large, "Szürke oszlopo", FromPattern, RunPattern, "gray-columns"},
    {"Picture2", 2040, 120, Large, "Szürke gradiens", FromPattern, RunPattern, "gray-gradient"},
    {"Picture17", 3960, 120, Large, "Megvilágítás egyenletessége", UniformityBands, RunPattern,
        "uniformity"},
    {"Picture9", 5880, 120, Large, "Fekete háttér", FromPattern, RunPattern, "black"},
    {"Picture15", 120, 1680, Large, "Szürke háttér", FromPattern, RunPattern, "gray"},
    {"Picture10", 2040, 1680, Large, "Sötét tónusok", FromPattern, RunPattern, "dark-tones"},
    {"Picture11", 3960, 1680, Large, "Világos tónusok", FromPattern, RunPattern, "light-tones"},
    {"Picture4", 5880, 1680, Large, "Képzaj", FromPattern, RunPattern, "noise"},
    {"Picture5", 120, 3240, Large, "Utánhúzás", GhostingPicture, RunGhosting, nullptr},
    {"Picture6", 2040, 3240, Large, "Red", FromPattern, RunPattern, "red"},
    {"Picture7", 3960, 3240, Large, "Green", FromPattern, RunPattern, "green"},
    {"Picture8", 5880, 3240, Large, "Blue", FromPattern, RunPattern, "blue"},
    {"Picture12", 1575, 1125, Small, "Szürke oszlopok plusz opciók", OptionIcon, ColumnsDialog,
        nullptr},
    {"Picture13", 3510, 1125, Small, "Szürke gradiens plusz opciók", OptionIcon, GradientDialog,
        nullptr},
    {"Picture19", 7355, 1125, Small, "Háttérvilágítás kisugárzása", OptionIcon, RunPattern,
        "bleeding"},
    {"Picture16", 1230, 2685, Small, "Világosszürke háttér", FromPattern, RunPattern, "light-gray"},
    {"Picture3", 1575, 2685, Small, "Fehér háttér", FromPattern, RunPattern, "white"},
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
