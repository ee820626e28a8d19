// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "GuiTestSupport.h"

#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "patterns/Gradient.h"
#include "patterns/Pattern.h"
#include "patterns/SteppedColumns.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

using DialogTest = ProgramTest;

TEST(QtDialogTest, QtsOwnButtonsSpeakHungarianOnceTheProgramHasStarted)
{
    const std::unique_ptr<QTranslator> hungarian = Program::loadQtTranslation();
    ASSERT_TRUE(hungarian) << "qtbase_hu.qm: scripts/install-deps.sh installs it";
    const QDialogButtonBox box(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
    EXPECT_EQ(box.button(QDialogButtonBox::Save)->text(), QStringLiteral("Mentés"));
    EXPECT_EQ(box.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Mégse"));
}

TEST_F(DialogTest, SmallFixedCentredWindowsWithTheirControlsInTabOrder)
{
    const struct {
        const char *tile, *caption;
        int height;
        QStringList tabOrder;
    } dialogs[] = {
        {"Picture13", "Gradiens", 105, {"Option1", "Option2", "Option3", "Command1", "Command2"}},
        {"Picture12", "Lépcsőzetes oszlopok adatlapja", 135,
            {"Text1", "Command1", "Command2", "Check4", "Option1", "Option2", "Option3"}}};
    for (const auto& d : dialogs) {
        clickTileArea(d.tile);
        QWidget* dialog = program->columnsDialog();
        dialog = dialog ? dialog : program->gradientDialog();
        SCOPED_TRACE(d.caption);
        EXPECT_EQ(dialog->windowTitle(), QString::fromUtf8(d.caption));
        expectFixedAndCentred(dialog, QSize(257, d.height));
        EXPECT_EQ(dialog->windowType(), Qt::Tool); // the small title bar
        dialog->setWindowState(Qt::WindowMinimized); // as some window managers still offer
        EXPECT_FALSE(dialog->isMinimized());
        QStringList order; // labels are no tab stops
        for (QWidget* w = dialog->findChild<QWidget*>(d.tabOrder.front());
             order.size() < d.tabOrder.size(); w = w->nextInFocusChain())
            order << ((w->focusPolicy() & Qt::TabFocus) ? QStringList(w->objectName())
                                                        : QStringList());
        EXPECT_EQ(order, d.tabOrder);
        EXPECT_TRUE(dialog->findChild<QRadioButton*>(QStringLiteral("Option1"))->isChecked());
        dialog->close();
    }
}

TEST_F(DialogTest, OkDrawsTheChosenVariantAndAnUntickedRgbBoxMeansGray)
{
    auto drawnIs = [&](const std::function<TestRun(Canvas&)>& test) {
        drawingDone();
        EXPECT_EQ(program->canvas()->canvas().raster().image(), renderPicture(test, {1024, 768}));
        QTest::keyClick(program->canvas(), Qt::Key_Escape);
    };
    // The gradient dialog keeps its choice while hidden by Ok, until the
    // return from the canvas unloads it.
    clickTileArea("Picture13");
    QTest::mouseClick(program->gradientDialog()->Option(2), Qt::LeftButton);
    QTest::mouseClick(program->gradientDialog()->Command1(), Qt::LeftButton);
    EXPECT_TRUE(program->gradientDialog()->Option(2)->isChecked() &&
        !program->gradientDialog()->isVisible());
    drawnIs([](Canvas& c) { return Gradient(c, Channel::Green); });
    EXPECT_EQ(program->gradientDialog(), nullptr);
    clickTileArea("Picture13");
    EXPECT_TRUE(program->gradientDialog()->Option(1)->isChecked());
    program->gradientDialog()->close();

    for (bool rgb : {true, false}) {
        clickTileArea("Picture12");
        Form3* columns = program->columnsDialog();
        columns->Text1()->setText(QStringLiteral("10"));
        QTest::mouseClick(columns->Check4(), Qt::LeftButton);
        QTest::mouseClick(columns->Option(3), Qt::LeftButton);
        if (!rgb) // unticked: the blue choice stays, disabled and unused
            QTest::mouseClick(columns->Check4(), Qt::LeftButton);
        EXPECT_EQ(columns->Option(3)->isEnabled(), rgb);
        QTest::mouseClick(columns->Command1(), Qt::LeftButton);
        EXPECT_FALSE(columns->isVisible());
        drawnIs([rgb](Canvas& c) {
            return SteppedColumns<double>(c, 10, rgb ? std::optional(Channel::Blue) : std::nullopt);
        });
    }
}

TEST_F(DialogTest, ARefusedCountKeepsTheDialogAndEveryWayOutGivesAFreshOne)
{
    clickTileArea("Picture12");
    Form3* columns = program->columnsDialog();
    for (const char* text : {"", "7.99", "256.5", "abc", "16"}) {
        columns->Text1()->setText(QString::fromUtf8(text));
        QTest::mouseClick(columns->Command1(), Qt::LeftButton);
        const bool taken = text == std::string_view("16");
        QMessageBox* box = question();
        ASSERT_EQ(box == nullptr, taken) << text;
        EXPECT_EQ(program->canvas() != nullptr, taken) << text;
        if (taken)
            break;
        EXPECT_EQ(box->windowTitle() + box->text(), QStringLiteral("HibaNem megfelelő érték"));
        QTest::mouseClick(box->buttons().front(), Qt::LeftButton);
        EXPECT_EQ(columns->Text1()->text(), QString::fromUtf8(text));
    }
    ASSERT_TRUE(program->canvas()->testRunning());
    QTest::keyClick(program->canvas(), Qt::Key_Escape); // returning unloads the hidden dialog
    EXPECT_EQ(program->columnsDialog(), nullptr);
    clickTileArea("Picture12");
    EXPECT_TRUE(program->columnsDialog()->Text1()->text().isEmpty()); // a fresh one
    QTest::mouseClick(program->columnsDialog()->Command2(), Qt::LeftButton); // Mégse
    EXPECT_TRUE(launcher().isVisible());
    clickTileArea("Picture12");
    program->columnsDialog()->close(); // the close box does what Mégse does
    EXPECT_TRUE(launcher().isVisible());
}
