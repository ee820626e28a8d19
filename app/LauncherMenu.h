// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "patterns/Pattern.h"

#include <QMenu>

#include <vector>

// The launcher's context menu, which reaches what has no tile: the guided
// checkup, the tests without a tile, and every test saved as a picture. It
// only reports the choice.
class LauncherMenu : public QMenu {
    Q_OBJECT
public:
    explicit LauncherMenu(QWidget* parent);

    QMenu* moreTests() const { return moreTests_; }

signals:
    void checkupChosen();
    void testChosen(const Pattern* pattern);
    void saveAllChosen();

private:
    QMenu* moreTests_;
};

// The tests that no tile starts, in the exporter's order.
std::vector<const Pattern*> testsWithoutTile();
