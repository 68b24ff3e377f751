#include "engine/input_message.h"

#include "engine/character_classes.h"
#include "engine/quoted_text.h"
#include "engine/utf8.h"

#include <cstdint>
#include <limits>

namespace klankflits
{

namespace
{

std::string well_formed(std::string_view utf8)
{
    return encode_utf8(decode_utf8_replacing(utf8));
}

// Two and a half as the locale writes it (QLocale::toString(2.5), Intl's format(2.5)).
std::string two_and_a_half(const NumberSymbols& symbols)
{
    char32_t zero = U'0';
    if (const auto digit = decode_utf8(symbols.zero_digit);
        digit && digit->size() == 1 && digit_value(digit->front()) == 0)
        zero = digit->front();
    std::string number;
    append_utf8(number, zero + 2);
    number += well_formed(symbols.decimal_point);
    append_utf8(number, zero + 5);
    return number;
}

} // namespace

std::string reading_problem_message(const NumberReading& reading, std::string_view prompt,
                                    std::string_view typed_utf8, const NumberSymbols& symbols,
                                    std::int32_t example_ms)
{
    using Problem = NumberReading::Problem;
    std::string message = "Bij \"" + well_formed(prompt) + "\" staat ";
    switch (reading.problem) {
    case Problem::Empty:
        message += "nog niets.";
        break;
    case Problem::OutOfRange:
        message += quoted_text(typed_utf8) + ". Dat getal is te " +
                   (reading.negative ? "klein" : "groot") + ": het kleinste getal is " +
                   std::to_string(std::numeric_limits<std::int32_t>::min()) + ", het grootste " +
                   std::to_string(std::numeric_limits<std::int32_t>::max()) + ".";
        break;
    case Problem::NotANumber:
    case Problem::None:
        message += quoted_text(typed_utf8) + ". Dat is geen getal.";
        break;
    }
    return message + "\n\nVul een getal in, in milliseconden, bijvoorbeeld " +
           std::to_string(example_ms) + ". Een getal als " + two_and_a_half(symbols) +
           " wordt afgerond op een heel getal.";
}

} // namespace klankflits
