#pragma once
// One computation at a time off the user-interface thread.
//
// start() runs a piece of work on a thread of its own; the work reads only what
// it was given (a copy of its inputs) and returns the step that applies its
// result, which then runs in the user-interface thread, and only if that run is
// still the current one: cancel() and a newer start() make every later message
// of the older run void at once, so a stopped or superseded run never applies
// anything. The work watches the cancel flag and ends soon after it is set.
// The thread of a superseded run is joined once it has ended; stopAndWait()
// (also run by the destructor) cancels and joins every thread, so the owner
// may die right after it.

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <thread>
#include <vector>

class QObject;

namespace kinhom {

class BackgroundJob {
public:
    // What the work is handed: the cancel flag, and post(), which runs a step
    // (progress, say) in the user-interface thread while the run is current.
    struct Context {
        const std::atomic<bool>& cancel;
        std::function<void(std::function<void()>)> post;
    };
    using Work = std::function<std::function<void()>(const Context&)>;

    // receiver: the object in whose thread the steps run; it owns the job.
    explicit BackgroundJob(QObject* receiver) : receiver_(receiver) {}
    ~BackgroundJob() { stopAndWait(); }
    BackgroundJob(const BackgroundJob&) = delete;
    BackgroundJob& operator=(const BackgroundJob&) = delete;

    // Cancels the current run and starts work. The step it returns (may be
    // empty) runs after running() has become false.
    void start(Work work);
    // The current run is cancelled; its results are dropped. Does not wait.
    void cancel();
    // Cancels and joins every thread.
    void stopAndWait();
    bool running() const { return running_; }
    // True while a thread has not ended: the current run or cancelled ones.
    bool threadsRunning() const;

private:
    struct Run {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> cancel;
        std::shared_ptr<std::atomic<bool>> ended;
    };
    void post(std::uint64_t generation, std::function<void()> step);
    void joinEnded();

    QObject* receiver_;
    std::vector<Run> runs_;
    std::uint64_t generation_ = 0;
    bool running_ = false;
};

} // namespace kinhom
