#pragma once

#include "engine/number_reading.h"

class QLocale;

namespace klankflits
{

// How `locale` writes numbers, for the engine's number reading and its message
// about a box it could not read.
NumberSymbols number_symbols(const QLocale& locale);

} // namespace klankflits
