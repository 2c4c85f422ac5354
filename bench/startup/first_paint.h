#pragma once
// The child side of the start-up benchmark (bench/bench_startup.cpp). It reports
// on stdout, in nanoseconds from `startNs` (the parent's steady clock when it
// started the child):
//   - the end of the first paint of a main window: what the user first sees;
//   - the end of the last paint before the screen falls quiet (nothing painted
//     for kQuietMs): the windows that open after the main window are painted too.
// Then it ends the process, so its shutdown is not counted.

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
    static constexpr int kQuietMs = 200;

    explicit FirstPaint(long long startNs) : startNs_(startNs)
    {
        quiet_.setSingleShot(true);
        quiet_.setInterval(kQuietMs);
        QObject::connect(&quiet_, &QTimer::timeout, [this] {
            std::printf("%lld %lld\n", firstNs_ - startNs_, lastNs_ - startNs_);
            std::fflush(stdout);
            std::_Exit(0);
        });
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Paint)
            return false;
        const bool first = !firstAsked_ && qobject_cast<QMainWindow*>(watched);
        if (first)
            firstAsked_ = true;
        if (!firstAsked_)
            return false;
        // A queued call runs once the whole window has painted.
        QTimer::singleShot(0, this, [this, first] {
            lastNs_ = NowNs();
            if (first)
                firstNs_ = lastNs_;
            quiet_.start();
        });
        return false;
    }

private:
    long long startNs_;
    long long firstNs_ = -1;
    long long lastNs_ = -1;
    bool firstAsked_ = false;
    QTimer quiet_;
};

} // namespace startupbench
