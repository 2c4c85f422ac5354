// Start-up: the time from starting a process to the end of the first paint of
// its main window (offscreen unless QT_QPA_PLATFORM says otherwise). The
// counter "settled_ms" is the time until the program's start-up windows, which
// open after the main window, are painted as well.
//
// BM_ProgramStart starts the program as main() does (MakeProgramApp, startUp):
// this executable starts itself once more as the child. BM_MinimalWindowStart
// starts bench_startup_minimal beside it: a minimal Qt main window with a menu
// bar and an MDI area that links Qt Widgets only. The program should start
// within 1.5 times the minimal window.
//
// Each iteration is one new process; the child reports its times and ends
// (bench/startup/first_paint.h), so its shutdown is not counted. Besides the
// wall time, "cpu_ms" is the child's processor time (user and system) until it
// settled, which a busy machine disturbs less.

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <string>

#include <QApplication>

#include "startup/first_paint.h"
#include "ui/shell/application.h"
#include "ui/shell/program.h"

extern char** environ;

namespace {

constexpr const char* kChildFlag = "--startup-child";

int RunProgram(char** argv, long long startNs)
{
    int argc = 1;
    QApplication qapp(argc, argv);
    startupbench::FirstPaint paint(startNs);
    qapp.installEventFilter(&paint);
    const std::unique_ptr<kinhom::App> app = kinhom::MakeProgramApp();
    app->startUp();
    return qapp.exec();
}

struct Start {
    bool ok = false;
    double seconds = 0;        // to the end of the first paint
    double settledSeconds = 0; // to the end of the last paint of the start
    double cpuSeconds = 0;
};

double Seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) * 1e-6; }

// Starts `exe` with `args` (after the start time) and waits for its report.
Start StartChild(const std::string& exe, const char* arg)
{
    Start result;
    int out[2];
    if (pipe(out) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The offscreen platform's notes ("does not support ...") are not wanted here.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    const std::string start = std::to_string(startupbench::NowNs());
    const char* args[] = {exe.c_str(), arg ? arg : start.c_str(), arg ? start.c_str() : nullptr, nullptr};
    pid_t pid = 0;
    const int rc = posix_spawn(&pid, exe.c_str(), &actions, nullptr, const_cast<char**>(args), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    std::string text;
    char buffer[64];
    for (ssize_t n; rc == 0 && (n = read(out[0], buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(n));
    close(out[0]);
    int status = 0;
    rusage usage{};
    if (rc != 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
        text.empty())
        return result;
    result.ok = true;
    char* rest = nullptr;
    result.seconds = static_cast<double>(std::strtoll(text.c_str(), &rest, 10)) * 1e-9;
    result.settledSeconds = static_cast<double>(std::strtoll(rest, nullptr, 10)) * 1e-9;
    result.cpuSeconds = Seconds(usage.ru_utime) + Seconds(usage.ru_stime);
    return result;
}

std::string SelfPath() { return std::filesystem::read_symlink("/proc/self/exe").string(); }

void RunStarts(benchmark::State& state, const std::string& exe, const char* arg)
{
    double cpu = 0;
    double settled = 0;
    for (auto _ : state) {
        const Start s = StartChild(exe, arg);
        if (!s.ok) {
            state.SkipWithError(("no first paint reported by " + exe).c_str());
            break;
        }
        state.SetIterationTime(s.seconds);
        cpu += s.cpuSeconds;
        settled += s.settledSeconds;
    }
    state.counters["cpu_ms"] = benchmark::Counter(cpu * 1e3, benchmark::Counter::kAvgIterations);
    state.counters["settled_ms"] = benchmark::Counter(settled * 1e3, benchmark::Counter::kAvgIterations);
}

void BM_ProgramStart(benchmark::State& state) { RunStarts(state, SelfPath(), kChildFlag); }
BENCHMARK(BM_ProgramStart)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_MinimalWindowStart(benchmark::State& state)
{
    RunStarts(state, (std::filesystem::path(SelfPath()).parent_path() / "bench_startup_minimal").string(), nullptr);
}
BENCHMARK(BM_MinimalWindowStart)->UseManualTime()->Unit(benchmark::kMillisecond)->MinTime(2.0);

} // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kChildFlag) == 0)
        return RunProgram(argv, std::atoll(argv[2]));
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
