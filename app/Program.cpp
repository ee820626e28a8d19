#include "app/Program.h"

#include "app/Form1.h"
#include "canvas/Form2.h"
#include "patterns/Pattern.h"

#include <QGuiApplication>

void Program::prepareApplication()
{
    // Whole scale factors keep the canvas's backing store exactly the size of
    // the screen; with a fractional one Qt loses its last pixel column.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
}

Program::Program()
    : form1_(std::make_unique<Form1>())
{
    connect(form1_.get(), &Form1::tileClicked, this, &Program::onTileClicked);
    connect(form1_.get(), &Form1::exitRequested, this, &Program::End);
    connect(form1_.get(), &Form1::closed, this, &Program::End);
    showLauncher();
}

Program::~Program()
{
    delete form2_.data();
}

Form2* Program::canvas() const
{
    return form2_;
}

void Program::onTileClicked(const TileSpec& tile)
{
    if (tile.action != TileAction::RunPattern)
        return; // the ghosting test and the two dialogs are not built yet
    const Pattern* pattern = findPattern(tile.pattern);
    if (!pattern)
        return;
    form1_->hide();
    Form2& canvas = showCanvas();
    canvas.startTest(pattern->start(canvas.canvas()));
}

Form2& Program::showCanvas()
{
    if (!form2_) {
        form2_ = new Form2(form1_->screen());
        form2_->setWindowIcon(form1_->windowIcon());
        connect(form2_, &Form2::returnRequested, this, &Program::ReturnToLauncher);
    }
    form2_->showOnScreen();
    return *form2_;
}

void Program::unloadCanvas()
{
    if (!form2_)
        return;
    // The test stops now; the window goes once its own event handler, which
    // may be what called us, has returned.
    Form2* canvas = form2_;
    form2_ = nullptr;
    canvas->stopTest();
    canvas->hide();
    canvas->deleteLater();
}

void Program::ReturnToLauncher()
{
    unloadCanvas();
    showLauncher();
}

void Program::showLauncher()
{
    form1_->show();
    // Without a window manager a shown window is not active, and its keys
    // (F1) would be lost.
    form1_->raise();
    form1_->activateWindow();
}

void Program::End()
{
    unloadCanvas();
    QCoreApplication::quit();
}
