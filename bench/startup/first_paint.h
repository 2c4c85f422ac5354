#pragma once
// The child side of the start-up benchmark (bench/bench_startup.cpp): reports
// on stdout the nanoseconds from `startNs` (the parent's steady clock when it
// started the child) to the end of the first paint of a main window, and ends
// the process there, so its shutdown is not counted.

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include <QEvent>
#include <QMainWindow>
#include <QObject>
#include <QTimer>

namespace startupbench {

inline long long NowNs()
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Install on the application: qApp->installEventFilter(&paint).
class FirstPaint : public QObject {
public:
    explicit FirstPaint(long long startNs) : startNs_(startNs) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && !seen_ && qobject_cast<QMainWindow*>(watched)) {
            seen_ = true;
            // A queued call runs once the whole window has painted.
            QTimer::singleShot(0, [start = startNs_] {
                std::printf("%lld\n", NowNs() - start);
                std::fflush(stdout);
                std::_Exit(0);
            });
        }
        return false;
    }

private:
    long long startNs_;
    bool seen_ = false;
};

} // namespace startupbench
