// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/LauncherMenu.h"

#include "app/TileTable.h"

#include <algorithm>
#include <string_view>

std::vector<const Pattern*> testsWithoutTile()
{
    std::vector<const Pattern*> tests;
    for (const Pattern& pattern : allPatterns()) {
        const bool tiled = std::ranges::any_of(tileTable(), [&](const TileSpec& tile) {
            return tile.pattern && std::string_view(tile.pattern) == pattern.name;
        });
        if (!tiled)
            tests.push_back(&pattern);
    }
    return tests;
}

LauncherMenu::LauncherMenu(QWidget* parent)
    : QMenu(parent)
    , moreTests_(new QMenu(QStringLiteral("További tesztek"), this))
{
    setObjectName(QStringLiteral("LauncherMenu"));
    addAction(QStringLiteral("Végigvezetett ellenőrzés"), this, &LauncherMenu::checkupChosen);
    addMenu(moreTests_);
    for (const Pattern* pattern : testsWithoutTile())
        moreTests_->addAction(
            QString::fromUtf8(pattern->title), this, [this, pattern] { emit testChosen(pattern); });
    addAction(QStringLiteral("Minden teszt mentése képként…"), this, &LauncherMenu::saveAllChosen);
}
