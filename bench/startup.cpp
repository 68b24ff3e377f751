// Start-up time: from process start to the settings window shown, and peak
// resident memory.
//
//   klankflits_bench_startup [--runs N] [--program PATH]
//
// Each run is a new process: this program starts itself with --child, and the
// child does what the program's main does (the application object, the shared
// state, the settings window shown) and reports when the window has been
// painted for the first time. The time counts from just before the process is
// spawned (one monotonic clock for both processes), so it includes loading and
// linking the Qt libraries, as a user's start of the program does. The child
// links the same libraries as the program. Peak resident memory is the child's
// ru_maxrss as its parent collects it.
//
// With --program PATH it also starts the real program that many times under
// the same platform, lets it run for two seconds with the settings window up,
// ends it and reports its peak resident memory, as a check on the child's.

#include "bench/bench_support.h"

#include "engine/exercise_state.h"
#include "gui/application.h"
#include "gui/settings_window.h"
#include "program/session.h"

#include <QEvent>
#include <QTimer>

#include <csignal>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include <spawn.h>
#include <sys/wait.h>

extern char** environ;

namespace
{

using bench::Clock;

std::int64_t ns_since_epoch(Clock::time_point at)
{
    return std::chrono::duration_cast<std::chrono::nanoseconds>(at.time_since_epoch()).count();
}

// The child: main's work, up to the settings window painted.
int child(int argc, char** argv, Clock::time_point main_entered)
{
    klankflits::Application app(argc, argv);
    klankflits::Module1 module;
    klankflits::Session session(module);
    session.start_up();
    klankflits::SettingsWindow settings(session, [] {});

    // The first paint is the window coming up; the zero timer fires once the
    // event that painted it (and flushed it to the screen) is done.
    struct PaintWatcher : QObject {
        Clock::time_point shown{};
        bool eventFilter(QObject*, QEvent* event) override
        {
            if (event->type() == QEvent::Paint && shown == Clock::time_point{})
                QTimer::singleShot(0, this, [this] {
                    shown = Clock::now();
                    QCoreApplication::quit();
                });
            return false;
        }
    } watcher;
    settings.installEventFilter(&watcher);
    settings.show();
    QTimer::singleShot(std::chrono::seconds(30), &app, &QCoreApplication::quit);
    app.exec();
    if (watcher.shown == Clock::time_point{}) {
        std::fprintf(stderr, "the settings window was never painted\n");
        return 1;
    }
    std::printf("%lld %lld\n", static_cast<long long>(ns_since_epoch(main_entered)),
                static_cast<long long>(ns_since_epoch(watcher.shown)));
    return 0;
}

struct Spawned {
    pid_t pid = -1;
    int output = -1; // read end of the child's standard output
};

Spawned spawn(const std::vector<std::string>& arguments)
{
    int pipe_ends[2];
    if (pipe(pipe_ends) != 0)
        throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipe_ends[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[0]);
    posix_spawn_file_actions_addclose(&actions, pipe_ends[1]);
    std::vector<char*> argv;
    for (const auto& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    Spawned spawned;
    const int error = posix_spawn(&spawned.pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipe_ends[1]);
    if (error != 0) {
        close(pipe_ends[0]);
        throw std::runtime_error("cannot start " + arguments[0] + ": " + std::strerror(error));
    }
    spawned.output = pipe_ends[0];
    return spawned;
}

std::string read_all(int fd)
{
    std::string text;
    char buffer[256];
    for (ssize_t got; (got = read(fd, buffer, sizeof buffer)) > 0;)
        text.append(buffer, static_cast<std::size_t>(got));
    close(fd);
    return text;
}

// Waits for the process and returns its peak resident memory in MB.
double wait_peak_rss_mb(pid_t pid, int& status)
{
    rusage usage{};
    wait4(pid, &status, 0, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

void print_summary(const char* what, const std::vector<double>& values, const char* unit)
{
    const bench::Summary s = bench::summarize(values);
    std::printf("%-40s median %8.1f   min %8.1f   max %8.1f %s\n", what, s.median, s.min, s.max,
                unit);
}

} // namespace

int main(int argc, char** argv)
{
    const Clock::time_point main_entered = Clock::now();
    if (argc > 1 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv, main_entered);

    int runs = 20;
    std::string program;
    try {
        const bench::Flags flags(argc, argv, {"runs", "program"});
        runs = static_cast<int>(flags.number("runs", runs));
        program = flags.text("program", "");
        if (runs < 1)
            throw std::invalid_argument("--runs must be at least 1");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\nusage: klankflits_bench_startup [--runs N] [--program PATH]\n",
                     e.what());
        return 2;
    }
    bench::use_offscreen_platform_unless_set();
    std::printf("startup: %d runs, platform %s\n", runs, qgetenv("QT_QPA_PLATFORM").constData());

    char self[4096] = {};
    if (readlink("/proc/self/exe", self, sizeof self - 1) <= 0) {
        std::fprintf(stderr, "cannot find this program's path\n");
        return 1;
    }
    std::vector<double> total_ms;
    std::vector<double> before_main_ms;
    std::vector<double> rss_mb;
    for (int i = 0; i < runs; ++i) {
        const Clock::time_point spawned_at = Clock::now();
        const Spawned child_process = spawn({self, "--child"});
        const std::string output = read_all(child_process.output);
        int status = 0;
        const double rss = wait_peak_rss_mb(child_process.pid, status);
        long long entered_ns = 0;
        long long shown_ns = 0;
        if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 ||
            std::sscanf(output.c_str(), "%lld %lld", &entered_ns, &shown_ns) != 2) {
            std::fprintf(stderr, "run %d failed: %s\n", i + 1, output.c_str());
            return 1;
        }
        const double spawned_ns = static_cast<double>(ns_since_epoch(spawned_at));
        total_ms.push_back((static_cast<double>(shown_ns) - spawned_ns) / 1e6);
        before_main_ms.push_back((static_cast<double>(entered_ns) - spawned_ns) / 1e6);
        rss_mb.push_back(rss);
    }
    print_summary("start to settings window shown", total_ms, "ms");
    print_summary("  of which before main (exec, linking)", before_main_ms, "ms");
    print_summary("peak RSS", rss_mb, "MB");

    if (!program.empty()) {
        std::vector<double> program_rss_mb;
        for (int i = 0; i < runs; ++i) {
            const Spawned real = spawn({program});
            std::this_thread::sleep_for(std::chrono::seconds(2));
            kill(real.pid, SIGTERM);
            read_all(real.output);
            int status = 0;
            program_rss_mb.push_back(wait_peak_rss_mb(real.pid, status));
        }
        print_summary("peak RSS of the program itself (2 s up)", program_rss_mb, "MB");
    }
    return 0;
}
