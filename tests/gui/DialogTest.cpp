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
    clickTileArea("Picture13");
    Form4* gradient = program->gradientDialog();
    ASSERT_NE(gradient, nullptr);
    EXPECT_TRUE(gradient->isVisible());
    EXPECT_FALSE(launcher().isVisible());
    EXPECT_EQ(gradient->windowTitle(), QStringLiteral("Gradiens"));
    EXPECT_EQ(gradient->minimumSize(), QSize(257, 105));
    EXPECT_EQ(gradient->maximumSize(), QSize(257, 105));
    EXPECT_FALSE(
        gradient->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint));
    EXPECT_LE((gradient->geometry().center() - gradient->screen()->availableGeometry().center())
                  .manhattanLength(),
        2);
    EXPECT_EQ(gradient->Option(1)->geometry(), QRect(8, 8, 81, 33));
    EXPECT_EQ(gradient->Option(2)->geometry(), QRect(88, 8, 81, 33));
    EXPECT_EQ(gradient->Option(3)->geometry(), QRect(168, 8, 81, 33));
    EXPECT_EQ(gradient->Command1()->geometry(), QRect(8, 64, 81, 33));
    EXPECT_EQ(gradient->Command2()->geometry(), QRect(168, 64, 81, 33));
    EXPECT_EQ(gradient->Command2()->text(), QStringLiteral("Mégse"));
    EXPECT_TRUE(gradient->Option(1)->isChecked());
    EXPECT_EQ(nextTabStop(gradient->Option(1)), gradient->Option(2));
    EXPECT_EQ(nextTabStop(gradient->Option(3)), gradient->Command1());
    EXPECT_EQ(nextTabStop(gradient->Command1()), gradient->Command2());
    click(gradient->Command2());

    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    ASSERT_NE(columns, nullptr);
    EXPECT_EQ(columns->windowTitle(), QStringLiteral("Lépcsőzetes oszlopok adatlapja"));
    EXPECT_EQ(columns->minimumSize(), QSize(257, 135));
    EXPECT_EQ(columns->maximumSize(), QSize(257, 135));
    EXPECT_EQ(columns->Text1()->geometry(), QRect(8, 8, 81, 19));
    EXPECT_EQ(columns->Label1()->geometry(), QRect(96, 10, 153, 13));
    EXPECT_EQ(columns->Label1()->text(), QStringLiteral("Oszlopok száma (max. 256)"));
    EXPECT_EQ(columns->Check4()->geometry(), QRect(8, 32, 49, 17));
    EXPECT_EQ(columns->Option(2)->geometry(), QRect(88, 56, 81, 33));
    EXPECT_EQ(columns->Command1()->geometry(), QRect(8, 96, 81, 33));
    EXPECT_EQ(columns->Command2()->geometry(), QRect(168, 96, 81, 33));
    EXPECT_TRUE(columns->Text1()->text().isEmpty());
    EXPECT_FALSE(columns->Check4()->isChecked());
    for (int i = 1; i <= 3; ++i)
        EXPECT_FALSE(columns->Option(i)->isEnabled());
    EXPECT_TRUE(columns->Option(1)->isChecked());
    EXPECT_EQ(nextTabStop(columns->Text1()), columns->Command1());
    EXPECT_EQ(nextTabStop(columns->Command1()), columns->Command2());
    EXPECT_EQ(nextTabStop(columns->Command2()), columns->Check4());
    EXPECT_EQ(nextTabStop(columns->Check4()), columns->Option(1));
    for (QAbstractButton* button : {columns->Command1(), columns->Command2()})
        EXPECT_FALSE(qobject_cast<QPushButton*>(button)->isDefault() ||
            qobject_cast<QPushButton*>(button)->autoDefault());
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
