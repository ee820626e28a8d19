#include "GuiTestSupport.h"

#include "app/TileTable.h"
#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "support/ManualClock.h"

#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QTimer>

#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

long residentKilobytes()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return 0;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLong() * 4 : 0;
}

std::vector<Form2*> canvases()
{
    std::vector<Form2*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
        if (auto* canvas = qobject_cast<Form2*>(window))
            found.push_back(canvas);
    return found;
}

// Random input of the kinds a user can give, drawn from what is on the screen
// at that moment, with the program's invariants checked after every event.
class StressTest : public ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        program->setFrameClockFactory([this](Form2&) {
            auto made = std::make_unique<ManualClock>(60);
            clock = made.get();
            return made;
        });
    }

    using Action = std::function<void()>;

    std::vector<Action> possibleActions()
    {
        std::vector<Action> actions;
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            // A modal box takes all input until it is closed.
            actions.push_back([box] { QTest::mouseClick(box->buttons().front(), Qt::LeftButton); });
            actions.push_back([box] { QTest::keyClick(box, Qt::Key_Return); });
            return actions;
        }
        if (launcher().isVisible()) {
            for (const TileSpec& tile : tileTable())
                actions.push_back([this, &tile] { clickTileArea(tile.name); });
            actions.push_back([this] { QTest::keyClick(&launcher(), Qt::Key_F1); });
        }
        if (Form2* canvas = program->canvas(); canvas && canvas->isVisible()) {
            actions.push_back([canvas] { QTest::keyClick(canvas, Qt::Key_Escape); });
            actions.push_back([this, canvas] {
                QTest::mouseClick(canvas, Qt::LeftButton, {}, QPoint(pick(1024), pick(768)));
            });
            actions.push_back([canvas] { QTest::keyClick(canvas, Qt::Key_F1); });
            if (clock)
                for (int i = 0; i < 4; ++i)
                    actions.push_back([this] { clock->frame(); });
        }
        if (Form3* columns = program->columnsDialog(); columns && columns->isVisible()) {
            static const char* texts[] = {"", "8", "16", "256", "12.5", "7", "300", "abc", "1e2"};
            actions.push_back([this, columns] {
                columns->Text1()->setText(QString::fromLatin1(texts[pick(std::size(texts))]));
            });
            actions.push_back([columns] { QTest::mouseClick(columns->Check4(), Qt::LeftButton); });
            actions.push_back([this, columns] {
                QTest::mouseClick(columns->Option(1 + pick(3)), Qt::LeftButton);
            });
            actions.push_back(
                [columns] { QTest::mouseClick(columns->Command1(), Qt::LeftButton); });
            actions.push_back(
                [columns] { QTest::mouseClick(columns->Command2(), Qt::LeftButton); });
            actions.push_back([columns] { columns->close(); });
        }
        if (Form4* gradient = program->gradientDialog(); gradient && gradient->isVisible()) {
            actions.push_back([this, gradient] {
                QTest::mouseClick(gradient->Option(1 + pick(3)), Qt::LeftButton);
            });
            actions.push_back(
                [gradient] { QTest::mouseClick(gradient->Command1(), Qt::LeftButton); });
            actions.push_back(
                [gradient] { QTest::mouseClick(gradient->Command2(), Qt::LeftButton); });
            actions.push_back([gradient] { gradient->close(); });
        }
        // Time passes: tests draw their slices.
        actions.push_back([] { QTest::qWait(2); });
        return actions;
    }

    void checkInvariants()
    {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        const std::vector<Form2*> loaded = canvases();
        ASSERT_LE(loaded.size(), 1u) << "two canvases";
        for (Form2* canvas : loaded)
            ASSERT_TRUE(canvas->isVisible() || !canvas->testRunning()) << "a test draws unseen";
        bool visible = false;
        for (QWidget* window : QApplication::topLevelWidgets())
            visible = visible || window->isVisible();
        ASSERT_TRUE(visible) << "no window left on the screen";
        bool answered = false;
        QTimer::singleShot(0, [&] { answered = true; });
        QCoreApplication::processEvents();
        ASSERT_TRUE(answered) << "the program does not answer";
    }

    std::size_t pick(std::size_t count)
    {
        return std::uniform_int_distribution<std::size_t>(0, count - 1)(random);
    }

    std::mt19937 random;
    QPointer<ManualClock> clock;
};

} // namespace

TEST_F(StressTest, ThousandsOfRandomUserEventsKeepTheProgramSound)
{
    const unsigned seed = qEnvironmentVariableIntValue("KIJELZOR_STRESS_SEED") ?: 20261206;
    const int events = qEnvironmentVariableIntValue("KIJELZOR_STRESS_EVENTS") ?: 5000;
    random.seed(seed);
    SCOPED_TRACE("seed " + std::to_string(seed) + " (KIJELZOR_STRESS_SEED repeats the run)");
    const long startKb = residentKilobytes();
    long peakKb = startKb;
    for (int event = 0; event < events; ++event) {
        const std::vector<Action> actions = possibleActions();
        actions[pick(actions.size())]();
        SCOPED_TRACE("after event " + std::to_string(event));
        checkInvariants();
        if (HasFatalFailure())
            return;
        peakKb = std::max(peakKb, residentKilobytes());
    }
    // Back at the launcher, memory is what it was, give or take a canvas or two.
    program->ReturnToLauncher();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    const long endKb = residentKilobytes();
    std::printf("stress: %d events, seed %u, RSS %ld kB at start, %ld kB at peak, %ld kB at end\n",
        events, seed, startKb, peakKb, endKb);
#ifndef __SANITIZE_ADDRESS__
    EXPECT_LT(endKb - startKb, 40 * 1024);
#else
    // AddressSanitizer keeps freed memory in quarantine, so RSS says nothing
    // here; LeakSanitizer checks for leaks when the program ends instead.
#endif
}
