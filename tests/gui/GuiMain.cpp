// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"

#include <private/qhooks_p.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QWidget>

#include <gtest/gtest.h>

#include <mutex>
#include <unordered_map>

namespace {

// Every live QObject with the number of its birth, kept through the hooks Qt
// has for debugging tools, so that what a test leaves behind can be found.
std::mutex liveMutex;
std::unordered_map<QObject*, std::uint64_t> live;
std::uint64_t births = 0;

// Fails the test that leaves a window or an armed timer behind: either one
// would act in the middle of a later test.
class LeftBehind : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { firstOfTest_ = births + 1; }
    void OnTestEnd(const testing::TestInfo&) override
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::lock_guard lock(liveMutex);
        for (const auto& [object, birth] : live) {
            const char* type = object->metaObject()->className();
            // Qt's pixmap cache lives as long as the application, by design.
            if (birth < firstOfTest_ || qstrcmp(type, "QPMCache") == 0)
                continue;
            if (object->isWidgetType() && static_cast<QWidget*>(object)->isWindow())
                ADD_FAILURE() << "a window is left open: " << type;
            if (!QAbstractEventDispatcher::instance()->registeredTimers(object).isEmpty())
                ADD_FAILURE() << "a timer is left armed: " << type;
        }
    }
    std::uint64_t firstOfTest_ = 0;
};

} // namespace

int main(int argc, char** argv)
{
    qtHookData[QHooks::AddQObject] = reinterpret_cast<quintptr>(+[](QObject* object) {
        const std::lock_guard lock(liveMutex);
        live[object] = ++births;
    });
    qtHookData[QHooks::RemoveQObject] = reinterpret_cast<quintptr>(+[](QObject* object) {
        const std::lock_guard lock(liveMutex);
        live.erase(object);
    });
    Program::prepareApplication();
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new LeftBehind);
    return RUN_ALL_TESTS();
}
