// How closely the exercise window keeps the pace it is given.
//
// Runs the real exercise window headless, once with the paced tick source and
// once with plain 10 ms QTimers, side by side in one event loop, and times
// every change the learner sees: syllable shown or hidden, pause picture shown
// or hidden. Each change is compared with its nominal time, the time it would
// have on an exact clock: (Timer1 ticks delivered so far) x 10 ms plus the
// nominal pauses so far, counted from the moment Timer1 started.
//
//   klankflits_bench_pacing [--interval MS] [--speed-step MS] [--minutes M]
//                           [--source both|paced|plain] [--cpu-minutes M]
//                           [--load [N]] [--stall MS/PERIOD] [--stall-process]
//                           [--size WIDTHxHEIGHT] [--letter-size N] [--seed N]
//
// What the learner sees is timed from the paints: a syllable is on screen from
// the first paint of its label after it was shown to the first paint of the
// window over the label's place after it was hidden. A syllable hidden again
// before its label was painted was never on screen ("never painted"). The
// exposure error is the time on screen minus the nominal exposure; the hidden
// half is the time from the paint that hid a syllable to the paint that showed
// the next one, as a share of its nominal length.
//
// --size gives the exercise window another client size than its own 1016 x 734
// (1920x1080 for a full-HD board, 3840x2160 for 4K); the layout scales with
// it. The repaint row times each repaint of the window, from the start of its
// update to the end of the flush. --letter-size 1 to 4 draws the syllable and
// the picture at that letter size, as the program's --lettergrootte does.
//
// --stall MS/PERIOD holds up the event loop (a busy-wait on the main thread)
// once in every period, at a random moment of it; with --stall-process the
// whole process is stopped instead (SIGSTOP and SIGCONT from a child process),
// so that the stall hits the timers too.
//
// CPU time: Qt widgets live on the main thread, so the two windows share one
// thread and its CPU time cannot be split between them. After the side-by-side
// run each source therefore runs alone for --cpu-minutes (same load and
// stalls), and its CPU time is the process's CPU time minus that of the load
// threads and of the stall's busy-wait. A single --source run measures its CPU
// time directly.

#include "bench/bench_support.h"

#include "bench/tick_sources.h"
#include "engine/exercise_state.h"
#include "gui/application.h"
#include "gui/exercise_window.h"
#include "material/materials.h"
#include "support/engine_session.h"
#include "support/nominal_pace.h"

#include <QEvent>
#include <QEventLoop>
#include <QLabel>
#include <QPaintEvent>
#include <QTimer>

#include <atomic>
#include <cstdio>
#include <iostream>
#include <memory>
#include <sstream>
#include <thread>

#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/wait.h>

namespace
{

using bench::Clock;
using bench::Source;
using bench::source_name;
using klankflits::ExerciseWindow;
using klankflits::Module1;
// The nominal time line comes from the rules alone. Counting ticks this way is
// sound for both tick sources because both deliver every tick to the engine
// (the paced source in bursts, the plain one one by one) and the engine takes
// each as 10 ms; what differs is only when they are delivered. Each observed
// change is checked against the expected one, so a model that went out of
// step with the window would be reported, not measured.
using klankflits::testing::NominalPace;
using Change = NominalPace::Change;

const char* change_name(Change change)
{
    static constexpr const char* names[] = {"syllable shown", "syllable hidden", "picture shown",
                                            "picture hidden"};
    return names[static_cast<int>(change)];
}

// The real exercise window, timing every visible change: each view operation
// calls the window's own and then reads the clock. Operations that change
// nothing (hiding a hidden syllable) are not counted. It also watches the
// paints of the syllable's place, for what was on screen and for how long.
class TimedWindow : public ExerciseWindow
{
public:
    TimedWindow(klankflits::Session& session, const Module1& module, klankflits::TickSource* source)
        : ExerciseWindow(
              session, [] {}, nullptr, source),
          pace_(module.state.interval_ms, module.state.speed_step_ms, module.state.elapsed_ms),
          syllable_(findChild<QLabel*>(QStringLiteral("txt_string"))),
          picture_(findChild<QWidget*>(QStringLiteral("Picture1")))
    {
        syllable_->installEventFilter(this);
        installEventFilter(this);
    }

    // Timer1 started in the constructor; `start` is read right after it.
    void begin(Clock::time_point start) { start_ = start; }

    void show_txt_string() override
    {
        const bool was_visible = txt_string_visible();
        ExerciseWindow::show_txt_string();
        if (!was_visible)
            record(Change::syllable_shown);
    }
    void hide_txt_string() override
    {
        const bool was_visible = txt_string_visible();
        ExerciseWindow::hide_txt_string();
        if (was_visible)
            record(Change::syllable_hidden);
    }
    void show_picture1() override
    {
        const bool was_visible = !picture_->isHidden();
        ExerciseWindow::show_picture1();
        if (!was_visible)
            record(Change::picture_shown);
    }
    void hide_picture1() override
    {
        const bool was_visible = !picture_->isHidden();
        ExerciseWindow::hide_picture1();
        if (was_visible)
            record(Change::picture_hidden);
    }

    const std::vector<double>& lateness_ms() const { return lateness_ms_; }
    const std::vector<double>& nominal_ms() const { return nominal_ms_; }
    const std::vector<double>& pause_error_ms() const { return pause_error_ms_; }
    const std::vector<double>& exposure_error_ms() const { return exposure_error_ms_; }
    const std::vector<double>& hidden_share() const { return hidden_share_; }
    const std::vector<double>& repaint_ms() const { return repaint_ms_; }
    std::int64_t syllables_shown() const { return shown_count_; }
    std::int64_t shown_never_painted() const { return shown_never_painted_; }
    std::int64_t hidden_never_painted() const { return hidden_never_painted_; }
    const std::string& mismatch() const { return mismatch_; }

protected:
    bool event(QEvent* event) override
    {
        if (event->type() != QEvent::UpdateRequest)
            return ExerciseWindow::event(event);
        const Clock::time_point began = Clock::now();
        const bool handled = ExerciseWindow::event(event);
        repaint_ms_.push_back(bench::ms_between(began, Clock::now()));
        return handled;
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            painted(watched, static_cast<QPaintEvent*>(event)->rect());
        return ExerciseWindow::eventFilter(watched, event);
    }

private:
    // The first paint of the label after it was shown puts the syllable on
    // screen; the first paint of the window over the label's place after it
    // was hidden takes it off.
    void painted(QObject* watched, const QRect& rect)
    {
        const Clock::time_point at = Clock::now();
        if (watched == syllable_ && shown_.pending && !syllable_->isHidden()) {
            shown_.pending = false;
            shown_.painted_at = at;
            if (hidden_.painted)
                hidden_share_.push_back(bench::ms_between(hidden_.painted_at, at) /
                                        (shown_.nominal_ms - hidden_.nominal_ms));
        } else if (watched == this && hidden_.pending && syllable_->isHidden() &&
                   rect.intersects(syllable_->geometry())) {
            hidden_.pending = false;
            hidden_.painted = true;
            hidden_.painted_at = at;
            if (shown_.painted)
                exposure_error_ms_.push_back(bench::ms_between(shown_.painted_at, at) -
                                             (hidden_.nominal_ms - shown_.nominal_ms));
        }
    }

    // The paints that a change of the syllable waits for. A change that the
    // next one overtakes before its paint was never on screen.
    void syllable_changed(Change change, double nominal_ms)
    {
        switch (change) {
        case Change::syllable_shown:
            ++shown_count_;
            hidden_never_painted_ += hidden_.pending ? 1 : 0;
            hidden_.pending = false;
            shown_ = {true, false, {}, nominal_ms};
            break;
        case Change::syllable_hidden:
            shown_never_painted_ += shown_.pending ? 1 : 0;
            shown_.painted = !shown_.pending;
            shown_.pending = false;
            hidden_ = {true, false, {}, nominal_ms};
            break;
        case Change::picture_shown: // no hidden half: the next show follows a pause
            hidden_never_painted_ += hidden_.pending ? 1 : 0;
            hidden_ = {};
            break;
        case Change::picture_hidden:
            break;
        }
    }

    void record(Change change)
    {
        const Clock::time_point at = Clock::now();
        if (!mismatch_.empty())
            return;
        const NominalPace::Event expected = pace_.next();
        if (expected.change != change) {
            mismatch_ = std::string("expected ") + change_name(expected.change) + ", saw " +
                        change_name(change) + " after " + std::to_string(lateness_ms_.size()) +
                        " changes";
            return;
        }
        nominal_ms_.push_back(static_cast<double>(expected.at_ms));
        lateness_ms_.push_back(bench::ms_between(start_, at) - static_cast<double>(expected.at_ms));
        if (change == Change::picture_shown)
            picture_shown_at_ = at;
        if (change == Change::picture_hidden)
            pause_error_ms_.push_back(bench::ms_between(picture_shown_at_, at) -
                                      static_cast<double>(expected.pause_ms));
        syllable_changed(change, static_cast<double>(expected.at_ms));
    }

    // A change of the syllable and whether its paint came.
    struct Painted {
        bool pending = false; // changed, not painted yet
        bool painted = false; // the change reached the screen
        Clock::time_point painted_at{};
        double nominal_ms = 0;
    };

    NominalPace pace_;
    QLabel* syllable_;
    QWidget* picture_;
    Clock::time_point start_{};
    Clock::time_point picture_shown_at_{};
    std::vector<double> lateness_ms_;
    std::vector<double> nominal_ms_;
    std::vector<double> pause_error_ms_;
    std::vector<double> exposure_error_ms_;
    std::vector<double> hidden_share_;
    std::vector<double> repaint_ms_;
    Painted shown_;
    Painted hidden_;
    std::int64_t shown_count_ = 0;
    std::int64_t shown_never_painted_ = 0;
    std::int64_t hidden_never_painted_ = 0;
    std::string mismatch_;
};

// Counts the timer events the event loop delivers to each window's timers
// (its own and its tick source's, which is its child): every one is a wake-up
// of the program for that window.
class TimerEventCounter : public QObject
{
public:
    void watch(const QObject* window) { watched_.push_back({window, 0}); }
    std::int64_t count(const QObject* window) const
    {
        for (const auto& watched : watched_)
            if (watched.window == window)
                return watched.count;
        return 0;
    }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override
    {
        if (event->type() != QEvent::Timer)
            return false;
        for (const QObject* object = receiver; object; object = object->parent())
            for (auto& watched : watched_)
                if (watched.window == object) {
                    ++watched.count;
                    return false;
                }
        return false;
    }

private:
    struct Watched {
        const QObject* window;
        std::int64_t count;
    };
    std::vector<Watched> watched_;
};

// Background load: threads that keep a core busy.
class LoadThreads
{
public:
    explicit LoadThreads(int count)
    {
        for (int i = 0; i < count; ++i)
            threads_.emplace_back([this] {
                std::uint64_t sink = 0;
                while (!stop_.load(std::memory_order_relaxed))
                    for (int j = 0; j < 100000; ++j)
                        sink = sink * 6364136223846793005u + 1442695040888963407u;
                sinks_ += sink;
            });
    }
    ~LoadThreads()
    {
        stop_ = true;
        for (auto& thread : threads_)
            thread.join();
    }
    LoadThreads(const LoadThreads&) = delete;
    LoadThreads& operator=(const LoadThreads&) = delete;

    int size() const { return static_cast<int>(threads_.size()); }

    // CPU time the load threads have used so far.
    double cpu_ms()
    {
        double total = 0;
        for (auto& thread : threads_) {
            clockid_t clock{};
            if (pthread_getcpuclockid(thread.native_handle(), &clock) == 0)
                total += bench::cpu_ms(clock);
        }
        return total;
    }

private:
    std::atomic<bool> stop_{false};
    std::atomic<std::uint64_t> sinks_{0};
    std::vector<std::thread> threads_;
};

// Where in each period a stall falls: at random, so that stalls do not lock
// on to the steps (with a period that is a multiple of the step they would
// always fall at the same moment between two steps, and never hold one up).
class StallMoments
{
public:
    StallMoments(int stall_ms, int period_ms, std::uint64_t seed)
        : period_ms_(period_ms), spread_ms_(std::max(period_ms - stall_ms, 0)), state_(seed)
    {
    }
    // Milliseconds from the start of the next period to its stall.
    int next_offset_ms()
    {
        state_ = state_ * 6364136223846793005u + 1442695040888963407u;
        return static_cast<int>((state_ >> 33) % static_cast<std::uint64_t>(spread_ms_ + 1));
    }
    int period_ms() const { return period_ms_; }

private:
    int period_ms_;
    int spread_ms_;
    std::uint64_t state_;
};

// Stalls of the event loop, one in each period: a timer on the main thread
// that busy-waits, as a slow handler or a page-fault storm would.
class Stalls
{
public:
    Stalls(int stall_ms, int period_ms, std::uint64_t seed)
        : stall_(std::chrono::milliseconds(stall_ms)), moments_(stall_ms, period_ms, seed)
    {
        if (stall_ms <= 0 || period_ms <= 0)
            return;
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setSingleShot(true);
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            const double cpu_before = bench::cpu_ms(CLOCK_THREAD_CPUTIME_ID);
            const Clock::time_point until = Clock::now() + stall_;
            while (Clock::now() < until) {
            }
            cpu_ms_ += bench::cpu_ms(CLOCK_THREAD_CPUTIME_ID) - cpu_before;
            plan();
        });
        period_start_ = Clock::now();
        plan();
    }

    double cpu_ms() const { return cpu_ms_; }

private:
    void plan()
    {
        const Clock::time_point at =
            period_start_ + std::chrono::milliseconds(moments_.next_offset_ms());
        period_start_ += std::chrono::milliseconds(moments_.period_ms());
        const auto wait = std::chrono::ceil<std::chrono::milliseconds>(at - Clock::now());
        timer_.start(std::max(wait, std::chrono::milliseconds::zero()));
    }

    Clock::duration stall_;
    StallMoments moments_;
    Clock::time_point period_start_{};
    QTimer timer_;
    double cpu_ms_ = 0;
};

// Stops of the whole process, timers and all, one in each period, as when the
// system does not schedule it: a child process sends SIGSTOP and, the stall
// later, SIGCONT. The child leaves when the pipe from the parent closes, also
// when the parent ends without cleaning up.
class ProcessStalls
{
public:
    ProcessStalls(int stall_ms, int period_ms, std::uint64_t seed)
    {
        if (stall_ms <= 0 || period_ms <= 0)
            return;
        int fds[2];
        if (pipe(fds) != 0)
            throw std::runtime_error("no pipe for the process stalls");
        const pid_t parent = getpid();
        StallMoments moments(stall_ms, period_ms, seed);
        child_ = fork();
        if (child_ < 0)
            throw std::runtime_error("no child process for the process stalls");
        if (child_ == 0) {
            // Only async-signal-safe calls from here on.
            close(fds[1]);
            pollfd closed{fds[0], POLLIN, 0};
            const timespec stall{stall_ms / 1000, (stall_ms % 1000) * 1'000'000L};
            for (int rest = 0;;) {
                const int offset = moments.next_offset_ms();
                if (poll(&closed, 1, rest + offset) != 0)
                    break;
                kill(parent, SIGSTOP);
                nanosleep(&stall, nullptr);
                kill(parent, SIGCONT);
                rest = period_ms - stall_ms - offset;
            }
            _exit(0);
        }
        close(fds[0]);
        pipe_ = fds[1];
    }
    ~ProcessStalls()
    {
        if (child_ <= 0)
            return;
        close(pipe_);
        waitpid(child_, nullptr, 0);
    }
    ProcessStalls(const ProcessStalls&) = delete;
    ProcessStalls& operator=(const ProcessStalls&) = delete;

private:
    pid_t child_ = 0;
    int pipe_ = -1;
};

struct Options {
    int interval_ms = 200;
    int speed_step_ms = klankflits::default_speed_step_ms;
    double minutes = 10;
    double cpu_minutes = 2;
    std::vector<Source> sources{Source::paced, Source::plain};
    int load_threads = 0;
    int stall_ms = 0;
    int stall_period_ms = 0;
    bool stall_process = false;
    QSize size;
    int letter_size = 1;
    std::uint64_t seed = 1;
    std::string material{klankflits::ccv_key};
};

struct Result {
    Source source{};
    double seconds = 0;
    std::vector<double> lateness_ms;
    std::vector<double> nominal_ms;
    std::vector<double> pause_error_ms;
    std::vector<double> exposure_error_ms;
    std::vector<double> hidden_share;
    std::vector<double> repaint_ms;
    std::int64_t syllables_shown = 0;
    std::int64_t shown_never_painted = 0;
    std::int64_t hidden_never_painted = 0;
    std::string mismatch;
    std::int64_t timer_events = 0;
    // Only when the source ran alone, over cpu_seconds:
    std::optional<double> cpu_ms;
    std::optional<std::int64_t> thread_wake_ups;
    double cpu_seconds = 0;
};

// What the process has spent so far, apart from the load threads and the
// stalls, and how often the main thread was woken.
struct Spent {
    Clock::time_point at;
    double cpu_ms = 0;
    std::int64_t thread_wake_ups = 0;
};

Spent spent_now(LoadThreads& load, const Stalls& stalls)
{
    return {Clock::now(), bench::cpu_ms(CLOCK_PROCESS_CPUTIME_ID) - load.cpu_ms() - stalls.cpu_ms(),
            bench::thread_status_field("voluntary_ctxt_switches")};
}

// Runs the exercise with the given sources side by side for `minutes`.
std::vector<Result> run(const Options& options, const std::vector<Source>& sources, double minutes,
                        LoadThreads& load)
{
    TimerEventCounter counter;
    qApp->installEventFilter(&counter);

    // Each window's module and session, as Start leaves them.
    struct Started {
        Module1 module;
        klankflits::Session session{module};
        explicit Started(Module1 m) : module(std::move(m)) {}
    };
    std::vector<std::unique_ptr<Started>> modules;
    std::vector<std::unique_ptr<TimedWindow>> windows;
    std::vector<Clock::time_point> starts;
    for (const Source source : sources) {
        auto& started =
            modules.emplace_back(std::make_unique<Started>(klankflits::testing::started_module(
                {options.seed, options.interval_ms, options.speed_step_ms,
                 klankflits::material_named(options.material)})));
        auto& window = windows.emplace_back(std::make_unique<TimedWindow>(
            started->session, started->module, bench::make_tick_source(source)));
        starts.push_back(Clock::now());
        window->begin(starts.back());
        if (options.size.isValid())
            window->resize(options.size);
        window->set_letter_size(options.letter_size);
        counter.watch(window.get());
    }
    for (auto& window : windows)
        window->show();

    Stalls stalls(options.stall_process ? 0 : options.stall_ms, options.stall_period_ms,
                  options.seed);
    const ProcessStalls process_stalls(options.stall_process ? options.stall_ms : 0,
                                       options.stall_period_ms, options.seed);
    const auto run_time = std::chrono::milliseconds(static_cast<std::int64_t>(minutes * 60000));
    // CPU time and wake-ups are counted once the window has been shown and
    // painted and the fonts are loaded: from 5 s in (a tenth of a short run).
    const auto warm_up =
        std::min<std::chrono::milliseconds>(std::chrono::seconds(5), run_time / 10);
    Spent warm{};
    QTimer::singleShot(warm_up, Qt::PreciseTimer, [&] { warm = spent_now(load, stalls); });

    QEventLoop loop;
    QTimer::singleShot(run_time, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    QTimer progress;
    const Clock::time_point began = Clock::now();
    QObject::connect(&progress, &QTimer::timeout, [&] {
        std::fprintf(stderr, "  ... %.0f of %.1f min\n",
                     bench::ms_between(began, Clock::now()) / 60000, minutes);
    });
    progress.start(60000);
    loop.exec();
    const Spent end = spent_now(load, stalls);

    std::vector<Result> results;
    for (std::size_t i = 0; i < windows.size(); ++i) {
        Result result;
        result.source = sources[i];
        result.seconds = bench::ms_between(starts[i], end.at) / 1000;
        result.lateness_ms = windows[i]->lateness_ms();
        result.nominal_ms = windows[i]->nominal_ms();
        result.pause_error_ms = windows[i]->pause_error_ms();
        result.exposure_error_ms = windows[i]->exposure_error_ms();
        result.hidden_share = windows[i]->hidden_share();
        result.repaint_ms = windows[i]->repaint_ms();
        result.syllables_shown = windows[i]->syllables_shown();
        result.shown_never_painted = windows[i]->shown_never_painted();
        result.hidden_never_painted = windows[i]->hidden_never_painted();
        result.mismatch = windows[i]->mismatch();
        result.timer_events = counter.count(windows[i].get());
        if (sources.size() == 1) {
            result.cpu_ms = end.cpu_ms - warm.cpu_ms;
            result.thread_wake_ups = end.thread_wake_ups - warm.thread_wake_ups;
            result.cpu_seconds = bench::ms_between(warm.at, end.at) / 1000;
        }
        results.push_back(std::move(result));
    }
    qApp->removeEventFilter(&counter);
    return results;
}

// The drift at the end: the median lateness of the last series' worth of
// changes (22: ten syllables shown and hidden, the picture shown and hidden),
// so that one late wake-up at the very end does not count as drift.
double drift_ms(const std::vector<double>& lateness)
{
    constexpr std::size_t last = 22;
    if (lateness.empty())
        return 0;
    const std::size_t from = lateness.size() > last ? lateness.size() - last : 0;
    return bench::summarize({lateness.begin() + static_cast<std::ptrdiff_t>(from), lateness.end()})
        .median;
}

// The median lateness of the first series' worth of changes: what is there
// from the start (the wake-up latency) rather than built up over the run.
double first_series_ms(const std::vector<double>& lateness)
{
    const std::size_t count = std::min<std::size_t>(lateness.size(), 22);
    return bench::summarize(
               {lateness.begin(), lateness.begin() + static_cast<std::ptrdiff_t>(count)})
        .median;
}

std::string fixed(double value, int decimals = 2)
{
    std::ostringstream out;
    out.setf(std::ios::fixed);
    out.precision(decimals);
    out << value;
    return out.str();
}

void print_row(const std::string& label, const std::vector<std::string>& cells)
{
    std::printf("%-34s", label.c_str());
    for (const auto& cell : cells)
        std::printf("%16s", cell.c_str());
    std::printf("\n");
}

template <typename Cell>
void print_row(const std::string& label, const std::vector<Result>& results, Cell&& cell)
{
    std::vector<std::string> cells;
    for (const auto& result : results)
        cells.push_back(cell(result));
    print_row(label, cells);
}

Options read_options(int argc, char** argv)
{
    const bench::Flags flags(argc, argv,
                             {"interval", "speed-step", "minutes", "cpu-minutes", "source", "load",
                              "stall", "stall-process", "size", "letter-size", "seed", "material"});
    Options options;
    options.interval_ms = static_cast<int>(flags.number("interval", options.interval_ms));
    options.speed_step_ms = static_cast<int>(flags.number("speed-step", options.speed_step_ms));
    options.minutes = flags.number("minutes", options.minutes);
    options.cpu_minutes = flags.number("cpu-minutes", options.cpu_minutes);
    options.seed = static_cast<std::uint64_t>(flags.number("seed", 1));
    options.letter_size = static_cast<int>(flags.number("letter-size", 1));
    if (options.letter_size < 1 || options.letter_size > 4)
        throw std::invalid_argument("--letter-size is 1 to 4");
    options.material = flags.text("material", options.material);
    if (!klankflits::material_named(options.material))
        throw std::invalid_argument("--material is ccv or a built-in set's key, e.g. mkm-kort");
    const std::string source = flags.text("source", "both");
    if (source != "both")
        options.sources = {bench::source_named(source)};
    if (flags.has("load"))
        options.load_threads = static_cast<int>(
            flags.number("load", std::max(1u, std::thread::hardware_concurrency())));
    if (flags.has("stall")) {
        const std::string stall = flags.text("stall", "");
        const auto slash = stall.find('/');
        if (slash == std::string::npos)
            throw std::invalid_argument("--stall needs MS/PERIOD, e.g. 35/500");
        options.stall_ms = std::stoi(stall.substr(0, slash));
        options.stall_period_ms = std::stoi(stall.substr(slash + 1));
    }
    options.stall_process = flags.has("stall-process");
    if (flags.has("size")) {
        const std::string size = flags.text("size", "");
        const auto x = size.find('x');
        if (x == std::string::npos)
            throw std::invalid_argument("--size needs WIDTHxHEIGHT, e.g. 1920x1080");
        options.size = QSize(std::stoi(size.substr(0, x)), std::stoi(size.substr(x + 1)));
    }
    if (options.stall_process && options.stall_ms <= 0)
        throw std::invalid_argument("--stall-process needs --stall MS/PERIOD");
    if (options.minutes <= 0 || options.cpu_minutes < 0 || options.load_threads < 0)
        throw std::invalid_argument(
            "--minutes must be positive, --cpu-minutes and --load not negative");
    return options;
}

} // namespace

int main(int argc, char** argv)
{
    Options options;
    try {
        options = read_options(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(
            stderr,
            "%s\nusage: klankflits_bench_pacing [--interval MS] [--speed-step MS] "
            "[--minutes M] [--source both|paced|plain] [--cpu-minutes M] [--load [N]] "
            "[--stall MS/PERIOD] [--stall-process] [--size WIDTHxHEIGHT] [--letter-size N] "
            "[--seed N] [--material KEY]\n",
            e.what());
        return 2;
    }
    bench::use_offscreen_platform_unless_set();
    const bench::WarningCounter warnings;
    klankflits::Application app(argc, argv);

    const std::string stalls =
        options.stall_ms > 0
            ? std::string(options.stall_process ? "of the process " : "of the event loop ") +
                  std::to_string(options.stall_ms) + " ms every " +
                  std::to_string(options.stall_period_ms) + " ms"
            : "none";
    const QSize size = options.size.isValid() ? options.size : QSize(1016, 734);
    std::printf("pacing: interval %d ms, speed step %d ms, %.1f min, load %d thread(s), stalls %s, "
                "window %dx%d, letter size %d, material %s, platform %s\n",
                options.interval_ms, options.speed_step_ms, options.minutes, options.load_threads,
                stalls.c_str(), size.width(), size.height(), options.letter_size,
                options.material.c_str(), qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);

    LoadThreads load(options.load_threads);
    std::vector<Result> results = run(options, options.sources, options.minutes, load);
    // Each source alone, for its CPU time.
    if (results.size() > 1 && options.cpu_minutes > 0) {
        for (auto& result : results) {
            std::fprintf(stderr, "  %s alone for %.1f min, for its CPU time\n",
                         source_name(result.source), options.cpu_minutes);
            const Result alone = run(options, {result.source}, options.cpu_minutes, load).front();
            result.cpu_ms = alone.cpu_ms;
            result.thread_wake_ups = alone.thread_wake_ups;
            result.cpu_seconds = alone.cpu_seconds;
            if (result.mismatch.empty())
                result.mismatch = alone.mismatch;
        }
    }

    std::printf("\n");
    print_row("tick source", results,
              [](const Result& r) { return std::string(source_name(r.source)); });
    print_row("changes measured", results,
              [](const Result& r) { return std::to_string(r.lateness_ms.size()); });
    const auto lateness = [&](double bench::Summary::*field) {
        return [field](const Result& r) { return fixed(bench::summarize(r.lateness_ms).*field); };
    };
    print_row("lateness median ms", results, lateness(&bench::Summary::median));
    print_row("lateness p99 ms", results, lateness(&bench::Summary::p99));
    print_row("lateness max ms", results, lateness(&bench::Summary::max));
    print_row("latest change at minute", results, [](const Result& r) {
        if (r.lateness_ms.empty())
            return std::string("-");
        const auto worst = std::max_element(r.lateness_ms.begin(), r.lateness_ms.end());
        return fixed(r.nominal_ms[static_cast<std::size_t>(worst - r.lateness_ms.begin())] / 60000);
    });
    print_row("changes > 10 ms late", results, [](const Result& r) {
        return std::to_string(std::count_if(r.lateness_ms.begin(), r.lateness_ms.end(),
                                            [](double late) { return late > 10; }));
    });
    print_row("pauses measured", results,
              [](const Result& r) { return std::to_string(r.pause_error_ms.size()); });
    print_row("pause error min..max ms", results, [](const Result& r) {
        const auto s = bench::summarize(r.pause_error_ms);
        return fixed(s.min) + ".." + fixed(s.max);
    });
    print_row("syllables shown", results,
              [](const Result& r) { return std::to_string(r.syllables_shown); });
    print_row("repaint median ms", results,
              [](const Result& r) { return fixed(bench::summarize(r.repaint_ms).median); });
    print_row("repaint p99 / max ms", results, [](const Result& r) {
        const auto s = bench::summarize(r.repaint_ms);
        return fixed(s.p99) + " / " + fixed(s.max);
    });
    print_row("never painted: shown / hidden", results, [](const Result& r) {
        return std::to_string(r.shown_never_painted) + " / " +
               std::to_string(r.hidden_never_painted);
    });
    const auto exposure = [&](double bench::Summary::*field) {
        return [field](const Result& r) {
            return fixed(bench::summarize(r.exposure_error_ms).*field);
        };
    };
    print_row("exposure error median ms", results, exposure(&bench::Summary::median));
    print_row("exposure error p99 ms", results, exposure(&bench::Summary::p99));
    print_row("exposure error min..max ms", results, [](const Result& r) {
        const auto s = bench::summarize(r.exposure_error_ms);
        return fixed(s.min) + ".." + fixed(s.max);
    });
    print_row("exposures > 2 ms short", results, [](const Result& r) {
        return std::to_string(std::count_if(r.exposure_error_ms.begin(), r.exposure_error_ms.end(),
                                            [](double error) { return error < -2; }));
    });
    print_row("shortest hidden half % of nominal", results, [](const Result& r) {
        return fixed(100.0 * bench::summarize(r.hidden_share).min, 1);
    });
    print_row("drift at end ms", results,
              [](const Result& r) { return fixed(drift_ms(r.lateness_ms)); });
    print_row("drift growth first->last series ms", results, [](const Result& r) {
        return fixed(drift_ms(r.lateness_ms) - first_series_ms(r.lateness_ms));
    });
    print_row("drift at end %", results, [](const Result& r) {
        return fixed(100.0 * drift_ms(r.lateness_ms) / (r.seconds * 1000), 4);
    });
    print_row("wake-ups/s (timer events)", results, [](const Result& r) {
        return fixed(static_cast<double>(r.timer_events) / r.seconds);
    });
    const bool any_cpu = std::any_of(results.begin(), results.end(),
                                     [](const Result& r) { return r.cpu_ms.has_value(); });
    if (any_cpu) {
        const std::string alone =
            results.size() > 1 ? " (alone, " + fixed(options.cpu_minutes, 1) + " min)" : "";
        print_row("thread wake-ups/s" + alone, results, [](const Result& r) {
            return r.thread_wake_ups
                       ? fixed(static_cast<double>(*r.thread_wake_ups) / r.cpu_seconds)
                       : std::string("-");
        });
        print_row("CPU ms per minute" + alone, results, [](const Result& r) {
            return r.cpu_ms ? fixed(*r.cpu_ms / (r.cpu_seconds / 60), 1) : std::string("-");
        });
        print_row("CPU % of one core" + alone, results, [](const Result& r) {
            return r.cpu_ms ? fixed(100.0 * *r.cpu_ms / (r.cpu_seconds * 1000), 3)
                            : std::string("-");
        });
    }
    std::printf("Qt warnings: %lld\n", static_cast<long long>(bench::WarningCounter::count()));

    int status = 0;
    for (const auto& result : results)
        if (!result.mismatch.empty()) {
            std::printf("MISMATCH (%s): %s\n", source_name(result.source), result.mismatch.c_str());
            status = 1;
        }

    const auto find = [&](Source source) -> const Result* {
        for (const auto& result : results)
            if (result.source == source)
                return &result;
        return nullptr;
    };
    const Result* paced = find(Source::paced);
    const Result* plain = find(Source::plain);
    if (paced && plain) {
        const double ours = std::abs(drift_ms(paced->lateness_ms));
        const double theirs = std::abs(drift_ms(plain->lateness_ms));
        // Below a microsecond the ratio says nothing more.
        if (ours < 0.001)
            std::printf("drift ratio plain/ours: > %s\n", fixed(theirs / 0.001, 0).c_str());
        else
            std::printf("drift ratio plain/ours: %s\n", fixed(theirs / ours, 1).c_str());
    }
    return status;
}
