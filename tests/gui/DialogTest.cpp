#include "GuiTestSupport.h"

#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "patterns/Gradient.h"
#include "patterns/Pattern.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>

#include <utility>
#include <vector>

using DialogTest = ProgramTest;

namespace {

// The message box the dialog shows, if it shows one.
QMessageBox* messageBox()
{
    return qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
}

void click(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// The next control Tab moves to: labels are skipped.
QWidget* nextTabStop(QWidget* control)
{
    QWidget* next = control->nextInFocusChain();
    while (!(next->focusPolicy() & Qt::TabFocus))
        next = next->nextInFocusChain();
    return next;
}

// Waits for the canvas's drawing to end.
void drawingDone(Form2* canvas)
{
    QTRY_VERIFY_WITH_TIMEOUT(!canvas->testRunning(), 10000);
    QCoreApplication::processEvents(); // the end is reported from the event loop
}

} // namespace

TEST_F(DialogTest, BothDialogsAreSmallFixedWindowsLaidOutAsDesigned)
{
    const struct {
        const char* tile;
        QString caption;
        QSize size;
        std::vector<std::pair<const char*, QRect>> controls; // in tab order
    } dialogs[] = {
        {"Picture13", QStringLiteral("Gradiens"), {257, 105},
            {{"Option1", {8, 8, 81, 33}}, {"Option2", {88, 8, 81, 33}},
                {"Option3", {168, 8, 81, 33}}, {"Command1", {8, 64, 81, 33}},
                {"Command2", {168, 64, 81, 33}}}},
        {"Picture12", QStringLiteral("Lépcsőzetes oszlopok adatlapja"), {257, 135},
            {{"Text1", {8, 8, 81, 19}}, {"Command1", {8, 96, 81, 33}},
                {"Command2", {168, 96, 81, 33}}, {"Check4", {8, 32, 49, 17}},
                {"Option1", {8, 56, 81, 33}}, {"Option2", {88, 56, 81, 33}},
                {"Option3", {168, 56, 81, 33}}}},
    };
    for (const auto& d : dialogs) {
        clickTileArea(d.tile);
        QWidget* dialog = program->columnsDialog() ? static_cast<QWidget*>(program->columnsDialog())
                                                   : program->gradientDialog();
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->isVisible());
        EXPECT_FALSE(launcher().isVisible());
        EXPECT_EQ(dialog->windowTitle(), d.caption);
        EXPECT_EQ(dialog->minimumSize(), d.size);
        EXPECT_EQ(dialog->maximumSize(), d.size);
        EXPECT_FALSE(
            dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
        const QRect screen = dialog->screen()->availableGeometry();
        EXPECT_LE((dialog->geometry().center() - screen.center()).manhattanLength(), 2);
        QWidget* previous = nullptr;
        for (const auto& [name, place] : d.controls) {
            auto* control = dialog->findChild<QWidget*>(QString::fromLatin1(name));
            ASSERT_NE(control, nullptr) << name;
            EXPECT_EQ(control->geometry(), place) << name;
            if (previous) {
                EXPECT_EQ(nextTabStop(previous), control) << name;
            }
            previous = control;
            if (auto* button = qobject_cast<QPushButton*>(control)) {
                EXPECT_FALSE(button->isDefault() || button->autoDefault()) << name;
            }
        }
        EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked());
        dialog->close();
    }
    // The columns dialog's initial state and its label.
    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    EXPECT_EQ(columns->Label1()->text(), QStringLiteral("Oszlopok száma (max. 256)"));
    EXPECT_TRUE(columns->Text1()->text().isEmpty());
    EXPECT_FALSE(columns->Check4()->isChecked());
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(columns->Option(i)->isEnabled());
}

TEST_F(DialogTest, ARefusedCountShowsTheBoxAndKeepsTheDialogAsTyped)
{
    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    for (const char* text : {"", "7.99", "256.5", "300", "0", "-16", "abc"}) {
        columns->Text1()->setText(QString::fromUtf8(text));
        click(columns->Command1());
        QMessageBox* box = messageBox();
        ASSERT_NE(box, nullptr) << text;
        EXPECT_EQ(box->windowTitle(), QStringLiteral("Hiba"));
        EXPECT_EQ(box->text(), QStringLiteral("Nem megfelelő érték"));
        EXPECT_EQ(box->icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box->buttons().size(), 1);
        EXPECT_EQ(program->canvas(), nullptr) << text;
        click(box->buttons().front());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        EXPECT_EQ(messageBox(), nullptr);
        EXPECT_TRUE(columns->isVisible());
        EXPECT_EQ(columns->Text1()->text(), QString::fromUtf8(text));
    }
    // The box also refuses with "RGB" ticked.
    click(columns->Check4());
    columns->Text1()->setText(QStringLiteral("4"));
    click(columns->Command1());
    ASSERT_NE(messageBox(), nullptr);
    click(messageBox()->buttons().front());
    EXPECT_EQ(program->canvas(), nullptr);
}

TEST_F(DialogTest, TheRgbBoxEnablesTheChannelsAndAnUntickedGroupIsIgnored)
{
    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    click(columns->Check4());
    for (int i = 1; i <= 3; ++i)
        EXPECT_TRUE(columns->Option(i)->isEnabled());
    click(columns->Option(3));
    click(columns->Check4());
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(columns->Option(i)->isEnabled());
    EXPECT_TRUE(columns->Option(3)->isChecked()); // the selection stays
    // Unticked, the blue selection is ignored: gray columns.
    columns->Text1()->setText(QStringLiteral("16"));
    click(columns->Command1());
    Form2* canvas = program->canvas();
    ASSERT_NE(canvas, nullptr);
    EXPECT_FALSE(columns->isVisible());
    drawingDone(canvas);
    EXPECT_EQ(shownCanvas(), renderPicture(*findPattern("gray-columns"), QSize(1024, 768)));
    EXPECT_EQ(program->columnsDialog(), nullptr); // unloaded when the drawing ended
    EXPECT_FALSE(launcher().isVisible());
}

TEST_F(DialogTest, MegseTheCloseBoxAndEveryReturnGiveAFreshDialog)
{
    auto openColumns = [&] {
        clickTileArea("Picture12");
        Form3* columns = program->columnsDialog();
        EXPECT_TRUE(columns->Text1()->text().isEmpty());
        EXPECT_FALSE(columns->Check4()->isChecked());
        EXPECT_TRUE(columns->Option(1)->isChecked());
        columns->Text1()->setText(QStringLiteral("12"));
        click(columns->Check4());
        click(columns->Option(2));
        return columns;
    };
    click(openColumns()->Command2()); // Mégse
    EXPECT_EQ(program->columnsDialog(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
    openColumns()->close(); // the title bar's close box does what Mégse does
    EXPECT_EQ(program->columnsDialog(), nullptr);
    EXPECT_TRUE(launcher().isVisible());
    click(openColumns()->Command1()); // draws; Esc during or after returns
    QTest::keyClick(program->canvas(), Qt::Key_Escape);
    EXPECT_EQ(program->columnsDialog(), nullptr);

    // The gradient dialog keeps its choice while hidden by Ok, until the
    // return from the canvas unloads it.
    clickTileArea("Picture13");
    click(program->gradientDialog()->Command2());
    clickTileArea("Picture13");
    Form4* gradient = program->gradientDialog();
    click(gradient->Option(3));
    click(gradient->Command1());
    EXPECT_FALSE(gradient->isVisible());
    EXPECT_EQ(program->gradientDialog(), gradient);
    EXPECT_TRUE(gradient->Option(3)->isChecked());
    QTest::keyClick(program->canvas(), Qt::Key_Escape);
    EXPECT_EQ(program->gradientDialog(), nullptr);
    clickTileArea("Picture13");
    EXPECT_TRUE(program->gradientDialog()->Option(1)->isChecked());
    program->gradientDialog()->close();
    EXPECT_TRUE(launcher().isVisible());
}

TEST_F(DialogTest, OkDrawsTheChosenGradientAndChannelColumns)
{
    clickTileArea("Picture13");
    Form4* gradient = program->gradientDialog();
    click(gradient->Option(2));
    click(gradient->Command1());
    drawingDone(program->canvas());
    const QImage gray = renderPicture(*findPattern("gray-gradient"), QSize(1024, 768));
    const QImage green = shownCanvas();
    for (int y = 0; y < 768; y += 7)
        for (int x = 0; x < 1024; x += 5)
            ASSERT_EQ(green.pixel(x, y), qRgb(0, qGray(gray.pixel(x, y)), 0)) << x << "," << y;
    QTest::keyClick(program->canvas(), Qt::Key_Escape);

    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    columns->Text1()->setText(QStringLiteral("10"));
    click(columns->Check4());
    click(columns->Command1()); // Red stays selected
    drawingDone(program->canvas());
    const QImage red = shownCanvas();
    // 10 columns of 102.4 pixels, falling from 230 to black.
    const int levels[] = {230, 205, 179, 154, 128, 102, 77, 51, 26, 0};
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ(red.pixel(int(102.4 * i + 51), 300), qRgb(levels[i], 0, 0)) << i;
}
