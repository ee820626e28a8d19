#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <memory>

// Kept out of this header: moc cannot parse <coroutine>.
class TestRun;

// Runs a test from the event loop in slices of a few milliseconds, so the
// window shows the picture building up and Esc or a click is handled within a
// frame. Destroying the driver destroys the run: the test stops at once.
class TestDriver : public QObject {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds DefaultBudget{4};

    explicit TestDriver(
        TestRun run, QObject* parent = nullptr, std::chrono::nanoseconds budget = DefaultBudget);
    ~TestDriver() override;

    // Runs the first slice now and the rest from the event loop.
    void start();
    bool isFinished() const;
    const TestRun& run() const { return *run_; }

signals:
    // Something may have been drawn: time to show it.
    void sliceDone();
    void finished();

private:
    void runOneSlice();

    std::unique_ptr<TestRun> run_;
    std::chrono::nanoseconds budget_;
    QTimer timer_;
};
