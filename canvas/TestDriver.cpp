#include "canvas/TestDriver.h"

#include "canvas/TestRun.h"

TestDriver::TestDriver(TestRun run, QObject* parent, std::chrono::nanoseconds budget)
    : QObject(parent)
    , run_(std::make_unique<TestRun>(std::move(run)))
    , budget_(budget)
{
    timer_.setInterval(0);
    connect(&timer_, &QTimer::timeout, this, &TestDriver::runOneSlice);
}

TestDriver::~TestDriver() = default;

bool TestDriver::isFinished() const
{
    return run_->finished();
}

void TestDriver::start()
{
    runOneSlice();
    if (!run_->finished())
        timer_.start();
}

void TestDriver::runOneSlice()
{
    const bool more = runSlice(*run_, budget_);
    emit sliceDone();
    if (!more) {
        timer_.stop();
        emit finished();
    }
}
