#pragma once

// What the benchmark programs share: reading their flags, summing up a list
// of figures, reading the clocks and counters of this process, and counting
// Qt's warnings.

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <map>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <time.h>
#include <unistd.h>

namespace bench
{

using Clock = std::chrono::steady_clock;

inline double ms_between(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double, std::milli>(to - from).count();
}

// The flags of a benchmark: `--name value` or `--name` alone. Every flag must
// be one the program knows; a flag whose value is optional takes the next word
// only when it does not start with "--".
class Flags
{
public:
    Flags(int argc, char** argv, const std::set<std::string>& known)
    {
        for (int i = 1; i < argc; ++i) {
            const std::string word = argv[i];
            if (word.rfind("--", 0) != 0 || !known.contains(word.substr(2)))
                throw std::invalid_argument("unknown argument: " + word);
            std::string value;
            if (i + 1 < argc && std::string(argv[i + 1]).rfind("--", 0) != 0)
                value = argv[++i];
            values_[word.substr(2)] = value;
        }
    }

    bool has(const std::string& name) const { return values_.contains(name); }

    std::string text(const std::string& name, const std::string& fallback) const
    {
        const auto found = values_.find(name);
        return found == values_.end() || found->second.empty() ? fallback : found->second;
    }

    double number(const std::string& name, double fallback) const
    {
        const std::string value = text(name, "");
        if (value.empty())
            return fallback;
        std::size_t used = 0;
        const double result = std::stod(value, &used);
        if (used != value.size() || !std::isfinite(result))
            throw std::invalid_argument("--" + name + " needs a number, not " + value);
        return result;
    }

private:
    std::map<std::string, std::string> values_;
};

// Median, 99th percentile (nearest rank) and maximum of a list of figures.
struct Summary {
    std::size_t count = 0;
    double median = 0;
    double p99 = 0;
    double max = 0;
    double min = 0;
};

inline double nearest_rank(const std::vector<double>& sorted, double fraction)
{
    const auto rank =
        static_cast<std::size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
    return sorted[std::clamp<std::size_t>(rank, 1, sorted.size()) - 1];
}

inline Summary summarize(std::vector<double> values)
{
    Summary summary;
    summary.count = values.size();
    if (values.empty())
        return summary;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    summary.median = values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
    summary.p99 = nearest_rank(values, 0.99);
    summary.max = values.back();
    summary.min = values.front();
    return summary;
}

// CPU time of this process, or of one thread, in milliseconds.
inline double cpu_ms(clockid_t clock)
{
    timespec now{};
    clock_gettime(clock, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// A field of /proc/thread-self/status, such as voluntary_ctxt_switches: how
// often the calling thread went to sleep of its own accord, that is how often
// it was woken.
inline std::int64_t thread_status_field(const std::string& name)
{
    std::ifstream status("/proc/thread-self/status");
    std::string key;
    while (status >> key) {
        if (key == name + ":") {
            std::int64_t value = 0;
            status >> value;
            return value;
        }
        std::getline(status, key);
    }
    return -1;
}

// Resident memory now, in bytes (/proc/self/statm).
inline std::int64_t resident_bytes()
{
    std::ifstream statm("/proc/self/statm");
    std::int64_t size = 0;
    std::int64_t resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

// Peak resident memory of this process so far, in MB.
inline double peak_rss_mb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// The benchmarks run the windows without a display unless told otherwise.
inline void use_offscreen_platform_unless_set()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen"));
}

// Counts Qt's warnings (and worse) and prints each as it comes.
class WarningCounter
{
public:
    WarningCounter() { previous() = qInstallMessageHandler(&WarningCounter::handle); }
    ~WarningCounter() { qInstallMessageHandler(previous()); }
    WarningCounter(const WarningCounter&) = delete;
    WarningCounter& operator=(const WarningCounter&) = delete;

    static std::int64_t count() { return counted(); }

private:
    static QtMessageHandler& previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static std::int64_t& counted()
    {
        static std::int64_t number = 0;
        return number;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message)
    {
        if (type == QtWarningMsg || type == QtCriticalMsg || type == QtFatalMsg) {
            ++counted();
            std::fprintf(stderr, "Qt warning: %s\n", qPrintable(message));
            std::fflush(stderr);
        }
        if (previous() && type != QtWarningMsg && type != QtCriticalMsg)
            previous()(type, context, message);
    }
};

} // namespace bench
