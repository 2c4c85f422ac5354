#include "ui/shell/backgroundjob.h"

#include <exception>

#include <QMetaObject>
#include <QObject>

namespace kinhom {

void BackgroundJob::post(std::uint64_t generation, std::function<void()> step)
{
    // Runs in the receiver's thread; a run that is no longer current is void.
    QMetaObject::invokeMethod(
        receiver_,
        [this, generation, step = std::move(step)] {
            if (generation == generation_)
                step();
        },
        Qt::QueuedConnection);
}

void BackgroundJob::start(Work work)
{
    cancel();
    joinEnded();
    const std::uint64_t generation = ++generation_;
    running_ = true;
    Run run{std::thread(), std::make_shared<std::atomic<bool>>(false), std::make_shared<std::atomic<bool>>(false)};
    auto post = [this, generation](std::function<void()> step) { this->post(generation, std::move(step)); };
    run.thread = std::thread([this, generation, work = std::move(work), cancel = run.cancel, ended = run.ended,
                              post = std::move(post)] {
        std::function<void()> apply;
        try {
            apply = work(Context{*cancel, post});
        } catch (const std::exception&) {
            apply = nullptr; // the work reports its own faults; a stray one ends the run quietly
        }
        ended->store(true);
        this->post(generation, [this, apply = std::move(apply)] {
            running_ = false;
            joinEnded();
            if (apply)
                apply();
        });
    });
    runs_.push_back(std::move(run));
}

void BackgroundJob::cancel()
{
    if (!runs_.empty())
        runs_.back().cancel->store(true);
    ++generation_;
    running_ = false;
}

void BackgroundJob::joinEnded()
{
    for (auto it = runs_.begin(); it != runs_.end();) {
        if (it->ended->load()) {
            it->thread.join();
            it = runs_.erase(it);
        } else {
            ++it;
        }
    }
}

bool BackgroundJob::threadsRunning() const
{
    for (const Run& r : runs_)
        if (!r.ended->load())
            return true;
    return false;
}

void BackgroundJob::stopAndWait()
{
    for (Run& r : runs_)
        r.cancel->store(true);
    ++generation_;
    running_ = false;
    for (Run& r : runs_)
        r.thread.join();
    runs_.clear();
}

} // namespace kinhom
