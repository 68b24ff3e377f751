// Soak: the real exercise window runs headless for a long time at the harshest
// pace, with speed-button clicks at random moments, and its resident memory is
// watched.
//
//   klankflits_bench_soak [--minutes M] [--clicks-per-second C] [--seed N]
//                         [--source paced|plain]
//
// The run starts at interval 0, a flash step on every tick. Every click moves
// the interval by 100 ms, and after every third series the rules raise the
// interval to at least the speed step (which a click sets to 100), so the
// clicks are chosen to keep the interval in a band from -300 to 100 ms, where
// a step comes on every tick or on every fifth: "versnel" above 0 ms,
// "vertraag" below -200 ms, either at random in between.
//
// Resident memory is read every minute (every 10 s in runs shorter than ten
// minutes). Growth is counted from the sample at one minute (a third of the
// run in runs shorter than three minutes), once the fonts,
// the picture and the offscreen backing store are in. It also prints the
// number of flash steps and series, every Qt warning, and how often the
// syllable and the picture were both visible (never, by the rules).

#include "bench/bench_support.h"
#include "bench/tick_sources.h"

#include "engine/exercise_state.h"
#include "gui/application.h"
#include "gui/exercise_window.h"
#include "support/engine_session.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <random>

namespace
{

using bench::Clock;
using bench::Source;
using klankflits::ExerciseWindow;
using klankflits::Module1;

// Counts flash steps (each one sets the interval read-out) and series (each
// one ends with the picture shown), and checks after every change that the
// syllable and the picture are never both visible.
class CountingWindow : public ExerciseWindow
{
public:
    CountingWindow(klankflits::Session& session, Source source)
        : ExerciseWindow(
              session, [] {}, nullptr, bench::make_tick_source(source)),
          picture_(findChild<QWidget*>(QStringLiteral("Picture1")))
    {
    }

    void set_label1_caption(const std::string& text) override
    {
        ExerciseWindow::set_label1_caption(text);
        ++steps_;
    }
    void show_txt_string() override
    {
        ExerciseWindow::show_txt_string();
        check();
    }
    void show_picture1() override
    {
        ExerciseWindow::show_picture1();
        ++series_;
        check();
    }

    std::int64_t steps() const { return steps_; }
    std::int64_t series() const { return series_; }
    std::int64_t both_visible() const { return both_visible_; }

private:
    void check()
    {
        if (txt_string_visible() && !picture_->isHidden())
            ++both_visible_;
    }

    QWidget* picture_;
    std::int64_t steps_ = 0;
    std::int64_t series_ = 0;
    std::int64_t both_visible_ = 0;
};

struct Sample {
    double minutes;
    std::int64_t resident;
};

double mb(std::int64_t bytes)
{
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

} // namespace

int main(int argc, char** argv)
{
    double minutes = 30;
    double clicks_per_second = 3;
    std::uint64_t seed = 1;
    Source source = Source::paced;
    try {
        const bench::Flags flags(argc, argv, {"minutes", "clicks-per-second", "seed", "source"});
        minutes = flags.number("minutes", minutes);
        clicks_per_second = flags.number("clicks-per-second", clicks_per_second);
        seed = static_cast<std::uint64_t>(flags.number("seed", 1));
        source = bench::source_named(flags.text("source", "paced"));
        if (minutes <= 0 || clicks_per_second <= 0)
            throw std::invalid_argument("--minutes and --clicks-per-second must be positive");
    } catch (const std::exception& e) {
        std::fprintf(stderr,
                     "%s\nusage: klankflits_bench_soak [--minutes M] [--clicks-per-second C] "
                     "[--seed N] [--source paced|plain]\n",
                     e.what());
        return 2;
    }
    bench::use_offscreen_platform_unless_set();
    const bench::WarningCounter warnings;
    klankflits::Application app(argc, argv);
    std::printf("soak: %.1f min at interval 0, %.1f clicks/s, %s tick source, platform %s\n",
                minutes, clicks_per_second, source == Source::paced ? "paced" : "plain QTimer",
                qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);

    Module1 module = klankflits::testing::started_module({seed, 0});
    klankflits::Session session(module);
    CountingWindow window(session, source);
    window.show();
    auto* faster = window.findChild<QPushButton*>(QStringLiteral("Command1"));
    auto* slower = window.findChild<QPushButton*>(QStringLiteral("Command2"));

    // Clicks at random moments, on average clicks_per_second.
    std::mt19937_64 random(seed);
    std::exponential_distribution<double> gap_s(clicks_per_second);
    std::bernoulli_distribution coin(0.5);
    std::int64_t clicks = 0;
    std::int32_t lowest = 0;
    std::int32_t highest = 0;
    QTimer clicker;
    clicker.setSingleShot(true);
    const auto plan_click = [&] {
        clicker.start(std::chrono::milliseconds(static_cast<std::int64_t>(gap_s(random) * 1000)));
    };
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        const std::int32_t interval = module.state.interval_ms;
        const bool speed_up = interval > 0 || (interval >= -200 && coin(random));
        QMetaObject::invokeMethod(speed_up ? faster : slower, "click");
        ++clicks;
        lowest = std::min(lowest, module.state.interval_ms);
        highest = std::max(highest, module.state.interval_ms);
        plan_click();
    });
    plan_click();

    // Resident memory.
    const Clock::time_point start = Clock::now();
    const auto period = std::chrono::seconds(minutes < 10 ? 10 : 60);
    std::vector<Sample> samples{{0, bench::resident_bytes()}};
    QTimer sampler;
    sampler.setTimerType(Qt::PreciseTimer);
    QObject::connect(&sampler, &QTimer::timeout, [&] {
        samples.push_back(
            {bench::ms_between(start, Clock::now()) / 60000, bench::resident_bytes()});
        std::fprintf(stderr, "  %6.2f min  RSS %7.2f MB  steps %lld\n", samples.back().minutes,
                     mb(samples.back().resident), static_cast<long long>(window.steps()));
    });
    sampler.start(period);

    QTimer::singleShot(std::chrono::milliseconds(static_cast<std::int64_t>(minutes * 60000)),
                       Qt::PreciseTimer, &app, &QCoreApplication::quit);
    app.exec();
    samples.push_back({bench::ms_between(start, Clock::now()) / 60000, bench::resident_bytes()});

    // The warm-up ends at the first sample at one minute or later (a third
    // of the run in runs shorter than three minutes).
    const double warm_up_minutes = std::min(1.0, minutes / 3);
    std::size_t warm = 1;
    while (warm + 1 < samples.size() && samples[warm].minutes < warm_up_minutes - 1e-6)
        ++warm;
    std::int64_t highest_after = samples[warm].resident;
    for (std::size_t i = warm; i < samples.size(); ++i)
        highest_after = std::max(highest_after, samples[i].resident);

    std::printf("\nRSS samples (min: MB):");
    for (const auto& sample : samples)
        std::printf(" %.1f:%.2f", sample.minutes, mb(sample.resident));
    std::printf("\n");
    std::printf("RSS after warm-up (%.1f min)         %8.2f MB\n", samples[warm].minutes,
                mb(samples[warm].resident));
    std::printf("RSS at the end                      %8.2f MB\n", mb(samples.back().resident));
    std::printf("growth after warm-up (end)          %8.3f MB\n",
                mb(samples.back().resident - samples[warm].resident));
    std::printf("growth after warm-up (highest)      %8.3f MB\n",
                mb(highest_after - samples[warm].resident));
    std::printf("peak RSS (getrusage)                %8.2f MB\n", bench::peak_rss_mb());
    std::printf("flash steps                         %8lld\n",
                static_cast<long long>(window.steps()));
    std::printf("series (pauses)                     %8lld\n",
                static_cast<long long>(window.series()));
    std::printf("speed-button clicks                 %8lld (interval after a click %d..%d ms)\n",
                static_cast<long long>(clicks), lowest, highest);
    std::printf("syllable and picture both visible   %8lld\n",
                static_cast<long long>(window.both_visible()));
    std::printf("Qt warnings                         %8lld\n",
                static_cast<long long>(bench::WarningCounter::count()));
    return window.both_visible() == 0 && bench::WarningCounter::count() == 0 ? 0 : 1;
}
