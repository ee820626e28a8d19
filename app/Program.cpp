// SPDX-FileCopyrightText: 2026 Kijelzor developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"

#include "app/Form1.h"
#include "app/LauncherMenu.h"
#include "app/PictureExport.h"
#include "canvas/Form2.h"
#include "canvas/ScreenMetrics.h"
#include "canvas/TestRun.h"
#include "canvas/WindowOrder.h"
#include "dialogs/Form3.h"
#include "dialogs/Form4.h"
#include "patterns/FrameSkip.h"
#include "patterns/Ghosting.h"
#include "patterns/Gradient.h"
#include "patterns/Pattern.h"
#include "patterns/SteppedColumns.h"
#include "patterns/TestChoice.h"
#include "platform/DisplayTiming.h"
#include "canvas/FrameRecord.h"

#include <QFileDialog>
#include <QGuiApplication>
#include <QLibraryInfo>

void Program::prepareApplication()
{
    // Whole scale factors keep the canvas's backing store exactly the size of
    // the screen; with a fractional one Qt loses its last pixel column.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

std::unique_ptr<QTranslator> Program::loadQtTranslation()
{
    // Hungarian whatever the desktop's language: the program speaks nothing else.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(
            QStringLiteral("qtbase_hu"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
        !QCoreApplication::installTranslator(translator.get()))
        return nullptr;
    return translator;
}

Program::Program(QString programFolder, QScreen* screen)
    : programFolder_(std::move(programFolder))
    , form1_(std::make_unique<Form1>(programFolder_, screen))
{
    connect(form1_.get(), &Form1::tileClicked, this, &Program::onTileClicked);
    connect(form1_.get(), &Form1::exitRequested, this, &Program::End);
    connect(form1_.get(), &Form1::closed, this, &Program::End);
    LauncherMenu* menu = form1_->contextMenu();
    connect(menu, &LauncherMenu::checkupChosen, this, &Program::StartCheckup);
    connect(menu, &LauncherMenu::testChosen, this,
        [this](const Pattern* pattern) { RunTest(pattern->name); });
    connect(menu, &LauncherMenu::saveAllChosen, this, &Program::SaveAllPictures);
    showLauncher();
}

Program::~Program()
{
    delete form2_.data();
    delete form3_.data();
    delete form4_.data();
}

Form2* Program::canvas() const
{
    return form2_;
}

void Program::onTileClicked(const TileSpec& tile)
{
    if (tile.action == TileAction::ColumnsDialog)
        return Picture12_Click();
    if (tile.action == TileAction::GradientDialog)
        return Picture13_Click();
    RunTest(tile.pattern);
}

namespace {

// The frame-skip test's figures, over its picture, once a second.
class FrameFigures : public QObject {
public:
    FrameFigures(Form2& canvas, FrameClock& clock)
        : canvas_(&canvas)
    {
        recordFrames(frames_, clock, this);
        connect(&timer_, &QTimer::timeout, this, &FrameFigures::show);
        timer_.start(1000);
        show();
    }
    ~FrameFigures() override
    {
        if (canvas_)
            canvas_->showReadout({});
    }

private:
    void show()
    {
        if (!canvas_)
            return;
        const QScreen* screen = canvas_->screen();
        canvas_->showReadout(frameSkipReadout(frames_, screen ? screen->refreshRate() : 0));
        // Never over the cells it is about.
        if (canvas_->readoutPixels().intersects(frameSkipRow(physicalPixels(screen)).row()))
            canvas_->showReadout({});
    }

    QPointer<Form2> canvas_;
    FrameRecord frames_;
    QTimer timer_;
};

} // namespace

void Program::RunTest(std::string_view name, const std::function<TestRun(Canvas&)>& draw)
{
    const Pattern* test = findTest(name);
    if (!test)
        return;
    Form2& canvas = showCanvas();
    // A paced test that ends by itself closes its own canvas, never one that
    // another test has opened since.
    if (test->pacing == Pacing::Refreshes)
        connect(&canvas, &Form2::testFinished, this, &Program::ReturnToLauncher);
    const TestContext context{programFolder_,
        [this](Form2& window) { return frameClockFor(window, frameClocks_); },
        [&canvas](const Pattern& paced, FrameClock& clock) {
            // The figures live as long as the clock, which lives as long as the test.
            if (paced.figures)
                (new FrameFigures(canvas, clock))->setParent(&clock);
        }};
    startTest(canvas, *test, context, draw);
}

void Program::StartCheckup()
{
    if (!checkupStarter_ || checkup_)
        return;
    form1_->hide();
    checkup_ = checkupStarter_(form1_->screen(), [this] {
        // It ends from inside its own window's handler.
        checkup_.release()->deleteLater();
        showLauncher();
    });
}

void Program::SaveAllPictures()
{
    auto* dialog =
        new QFileDialog(form1_.get(), QStringLiteral("Mappa a tesztek képeinek"), QDir::homePath());
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setFileMode(QFileDialog::Directory);
    dialog->setOption(QFileDialog::ShowDirsOnly);
    connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& folder) {
        if (!pictureExport_)
            pictureExport_ =
                new PictureExport(folder, physicalPixels(form1_->screen()), form1_.get(), this);
    });
    dialog->open();
}

PictureExport* Program::pictureExport() const
{
    return pictureExport_;
}

QString frameSkipReadout(const FrameRecord& frames, double reportedRate)
{
    const QLocale hu(QLocale::Hungarian);
    QString text = QStringLiteral("Jelentett frissítés: %1 Hz\n").arg(hu.toString(reportedRate, 'f', 2));
    for (const FrameFigure& figure : frameFigures(frames))
        if (!figure.ofTheMarker)
            text += QString::fromUtf8(figure.label) + QStringLiteral(": ") + figure.value +
                QLatin1Char('\n');
    if (const QString warning = timerWarning(frames); !warning.isEmpty())
        text += warning + QLatin1Char('\n');
    return text +
        QStringLiteral("Villog: a fehér cella a frissítés tizenhatodával lép, "
                       "%1 Hz-cel.")
            .arg(hu.toString(usableRefreshRate(reportedRate) / FrameSkipRow::Cells, 'f', 2));
}

template <typename Dialog> void Program::openDialog(QPointer<Dialog>& dialog, void (Program::*ok)())
{
    form1_->hide();
    if (!dialog) {
        dialog = new Dialog;
        connect(dialog, &OptionDialog::okClicked, this, ok);
        connect(dialog, &OptionDialog::cancelClicked, this, &Program::CancelDialog);
    }
    dialog->showCentred(form1_->screen());
}

void Program::Picture12_Click()
{
    openDialog(form3_, &Program::Form3_Command1_Click);
}

void Program::Picture13_Click()
{
    openDialog(form4_, &Program::Form4_Command1_Click);
}

void Program::Form3_Command1_Click()
{
    // Gray columns, or with "RGB" ticked the single-channel ones: both check
    // the count first and leave the dialog open when it is refused.
    const std::optional<double> count = form3_->checkedCount();
    if (!count)
        return;
    const std::optional<Channel> channel = form3_->channelChoice();
    form3_->hide();
    Form2& canvas = showCanvas();
    canvas.startTest(SteppedColumns<double>(canvas.canvas(), *count, channel));
    // The dialog goes when its drawing is done (or with the canvas, before).
    connect(&canvas, &Form2::testFinished, this, [this] { unload(form3_); });
}

void Program::Form4_Command1_Click()
{
    const std::optional<Channel> channel = form4_->selectedChannel();
    if (!channel)
        return;
    // Only hidden: it keeps its choice until it is unloaded.
    form4_->hide();
    Form2& canvas = showCanvas();
    canvas.startTest(Gradient(canvas.canvas(), channel));
}

void Program::CancelDialog()
{
    unload(form3_);
    unload(form4_);
    showLauncher();
}

Form3* Program::columnsDialog() const
{
    return form3_;
}

Form4* Program::gradientDialog() const
{
    return form4_;
}

Form2& Program::showCanvas()
{
    // Every test hides the launcher first (a dialog's test finds it hidden).
    form1_->hide();
    if (!form2_) {
        form2_ = new Form2(form1_->screen());
        choosePresenter(*form2_);
        connect(form2_, &Form2::returnRequested, this, &Program::ReturnToLauncher);
    }
    form2_->showOnScreen();
    screenSaver_.inhibit();
    return *form2_;
}

// A window goes once its own event handler, which may be what called us,
// has returned.
template <typename Window> void Program::unload(QPointer<Window>& window)
{
    if (!window)
        return;
    Window* going = window;
    window = nullptr;
    going->hide();
    going->deleteLater();
}

void Program::unloadCanvas()
{
    // The test stops now, not when the window goes.
    if (form2_)
        form2_->stopTest();
    unload(form2_);
    screenSaver_.allow();
}

void Program::ReturnToLauncher()
{
    unloadCanvas();
    unload(form3_);
    unload(form4_);
    showLauncher();
}

void Program::showLauncher()
{
    showOnTop(*form1_);
}

void Program::End()
{
    unloadCanvas();
    unload(form3_);
    unload(form4_);
    QCoreApplication::quit();
}
