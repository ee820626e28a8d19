// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>

#include <random>
#include <string>

using StressTest = ProgramTest;

// Random input of the kinds a user can give to whatever is on the screen at
// that moment, with the program's invariants checked after every event.
TEST_F(StressTest, ThousandsOfRandomUserEventsKeepTheProgramSound)
{
    tickByHand();
    const unsigned seed = qEnvironmentVariableIntValue("KIJELZOR_STRESS_SEED") ?: 20261206;
    SCOPED_TRACE("seed " + std::to_string(seed) + " (KIJELZOR_STRESS_SEED repeats the run)");
    std::mt19937 random(seed);
    auto pick = [&](int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); };
    const char* texts[] = {"", "8", "16", "256", "12.5", "7", "300", "abc", "1e2"};
    for (int event = 0; event < 5000 && !HasFatalFailure(); ++event) {
        QWidgetList shown, targets; // buttons and pictures, but for the exit picture
        int canvases = 0;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* canvas = qobject_cast<Form2*>(w);
            canvases += canvas != nullptr;
            ASSERT_TRUE(!canvas || w->isVisible() || !canvas->testRunning())
                << "a test draws unseen";
            if (w->isVisible())
                shown << w;
        }
        ASSERT_LE(canvases, 1) << "two canvases";
        ASSERT_FALSE(shown.isEmpty()) << "no window left on the screen";
        QWidget* window = QApplication::activeModalWidget() ?: shown[pick(shown.size())];
        for (QWidget* child : window->findChildren<QWidget*>())
            if (qobject_cast<QAbstractButton*>(child) || qobject_cast<PictureBox*>(child))
                targets << child;
        targets << window;
        targets.removeAll(launcher().Image1());
        QWidget* target = targets[pick(targets.size())];
        auto* text = window->findChild<QLineEdit*>();
        SCOPED_TRACE("event " + std::to_string(event));
        if (const int choice = pick(10); choice < 3 && clock && qobject_cast<Form2*>(window))
            clock->frame();
        else if (choice < 5)
            QTest::keyClick(window, choice == 3 ? Qt::Key_Escape : Qt::Key_F1);
        else if (choice < 6 && text)
            text->setText(QString::fromLatin1(texts[pick(std::size(texts))]));
        else if (choice < 7 && window != &launcher())
            window->close();
        else
            QTest::mouseClick(
                target, Qt::LeftButton, {}, QPoint(pick(target->width()), pick(target->height())));
        QCoreApplication::processEvents(); // tests draw their slices
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
}
