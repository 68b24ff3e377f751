#pragma once

// The two tick sources the benchmarks compare: the program's own paced one and
// two plain 10 ms QTimers. The benchmark makes one and hands it to the window.

#include "events/paced_timers.h"
#include "support/plain_timers.h"

#include <stdexcept>
#include <string>

namespace bench
{

enum class Source { paced, plain };

inline const char* source_name(Source source)
{
    return source == Source::paced ? "paced" : "plain";
}

inline Source source_named(const std::string& name)
{
    if (name == "paced")
        return Source::paced;
    if (name == "plain")
        return Source::plain;
    throw std::invalid_argument("a tick source is paced or plain, not " + name);
}

inline klankflits::TickSource* make_tick_source(Source source)
{
    if (source == Source::paced)
        return new klankflits::PacedTimers;
    return new klankflits::PlainTimers;
}

} // namespace bench
