#pragma once
// How a long computation learns that it should end: the caller's cancel flag
// (set from another thread) and a time bound, asked between its steps.

#include <atomic>
#include <chrono>

namespace kinhom {

enum class StopReason { None, Cancelled, TimeLimit };

class StopWatch {
public:
    StopWatch(const std::atomic<bool>* cancel, double timeLimitSeconds)
        : cancel_(cancel), limit_(timeLimitSeconds), start_(std::chrono::steady_clock::now())
    {
    }

    // True once the caller cancelled or the time is up; the reason stays.
    bool Stopped()
    {
        if (reason_ != StopReason::None) return true;
        if (cancel_ && cancel_->load(std::memory_order_relaxed))
            reason_ = StopReason::Cancelled;
        else if (Elapsed() > limit_)
            reason_ = StopReason::TimeLimit;
        return reason_ != StopReason::None;
    }
    StopReason Reason() const { return reason_; }
    double Elapsed() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count(); }
    double TimeLimit() const { return limit_; }

private:
    const std::atomic<bool>* cancel_;
    double limit_;
    std::chrono::steady_clock::time_point start_;
    StopReason reason_ = StopReason::None;
};

} // namespace kinhom
