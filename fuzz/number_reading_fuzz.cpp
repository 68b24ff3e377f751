// Fuzz target: the settings boxes' number reading, under several locales.
//
// Every input is read under each locale and checked against a reference reader
// written here in a different way: the text is cut into code points, format
// characters (category Cf) are dropped, the rest is classified
// into a shape of digits, group separators and decimal points, checked by
// splitting on the separators, turned into a plain ASCII decimal string and
// rounded half to even by decimal string arithmetic. Where the reference gives
// an answer, read_whole_number must give the same one; a mismatch aborts with
// the text, the locale and both answers.
//
// The first input byte picks the locale whose pieces build the text and how the
// remaining bytes become text: as UTF-8, as raw UTF-16 code units (lone
// surrogates included), or as a sequence of pieces (digits of several scripts,
// the locale's signs and separators, blanks and look-alikes).

#include "engine/number_reading.h"
#include "gui/locale_symbols.h"

#include <QChar>
#include <QLocale>
#include <QString>

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace
{

using klankflits::number_symbols;
using klankflits::NumberReading;
using klankflits::NumberSymbols;
using klankflits::read_whole_number;
using Problem = NumberReading::Problem;

const std::array<const char*, 7> locale_names = {"nl_NL", "en_US", "de_DE", "fr_FR",
                                                 "de_CH", "ar_EG", "fa_IR"};

std::vector<char32_t> code_points(const QString& text)
{
    std::vector<char32_t> out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text.at(i).unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text.at(i + 1).unicode())) {
            out.push_back(QChar::surrogateToUcs4(unit, text.at(i + 1).unicode()));
            ++i;
        } else {
            out.push_back(unit); // a lone surrogate stays as it is: never a digit
        }
    }
    return out;
}

bool is_format_character(char32_t cp)
{
    return QChar::category(cp) == QChar::Other_Format;
}

std::vector<char32_t> visible_code_points(const QString& text)
{
    std::vector<char32_t> out = code_points(text);
    std::erase_if(out, is_format_character);
    return out;
}

struct LocaleCase {
    QLocale locale;
    NumberSymbols symbols; // as the settings window takes them from the locale
    std::vector<char32_t> group;
    std::vector<char32_t> point;
    std::vector<char32_t> minus;
    std::vector<char32_t> plus;
    std::vector<QString> pieces; // what the piece mode builds texts from
};

std::vector<LocaleCase> make_locales()
{
    std::vector<LocaleCase> out;
    for (const char* name : locale_names) {
        const QLocale locale(QString::fromLatin1(name));
        LocaleCase c{locale, number_symbols(locale), {}, {}, {}, {}, {}};
        c.group = visible_code_points(c.locale.groupSeparator());
        c.point = visible_code_points(c.locale.decimalPoint());
        c.minus = visible_code_points(c.locale.negativeSign());
        c.plus = visible_code_points(c.locale.positiveSign());

        auto& p = c.pieces;
        const char32_t zero = QString(c.locale.zeroDigit()).toUcs4().value(0);
        for (char32_t d = 0; d < 10; ++d) {
            p.push_back(QString(QChar(char16_t(u'0' + d))));
            p.push_back(QString::fromUcs4(std::array<char32_t, 1>{zero + d}.data(), 1));
        }
        for (const QString& s : {c.locale.groupSeparator(), c.locale.decimalPoint(),
                                 c.locale.negativeSign(), c.locale.positiveSign()}) {
            p.push_back(s);
            p.push_back(s); // twice: these matter most
        }
        for (const char16_t u :
             {u'-',      u'+',      u' ',      u'\t',           u'.',      u',',      u'e',
              u'x',      u'\u00A0', u'\u202F', u'\u2212',       u'\u200E', u'\u061C', u'\u0661',
              u'\u06F5', u'\u066B', u'\u066C', u'\u2028',       u'\u200B', u'\u200F', u'\uFEFF',
              u'\u00AD', u'\u2019', u'\'',     char16_t(0xD800)})
            p.push_back(QString(QChar(u)));
        p.push_back(QString::fromUtf8("\U0001D7CF")); // a digit outside the BMP
        p.push_back(QStringLiteral("00"));
        p.push_back(QStringLiteral("5"));
        p.push_back(QStringLiteral("2147483647"));
        p.push_back(QStringLiteral("2147483648"));
        out.push_back(std::move(c));
    }
    return out;
}

const std::vector<LocaleCase>& locales()
{
    static const std::vector<LocaleCase> all = make_locales();
    return all;
}

// ---- The reference reader -------------------------------------------------

struct Expected {
    enum class Kind { Unknown, Empty, NotANumber, OutOfRange, Value };
    Kind kind = Kind::Unknown;
    std::int32_t value = 0;
};

bool is_blank(char32_t cp)
{
    if (cp == U' ' || (cp >= U'\t' && cp <= U'\r') || cp == 0x85 || cp == 0xA0)
        return true;
    switch (QChar::category(cp)) {
    case QChar::Separator_Space:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return true;
    default:
        return false;
    }
}

bool starts_with(const std::vector<char32_t>& text, std::size_t at,
                 const std::vector<char32_t>& piece)
{
    if (piece.empty() || text.size() - at < piece.size())
        return false;
    for (std::size_t i = 0; i < piece.size(); ++i)
        if (text[at + i] != piece[i])
            return false;
    return true;
}

// Adds one to a string of ASCII decimal digits.
std::string plus_one(std::string digits)
{
    for (auto it = digits.rbegin(); it != digits.rend(); ++it) {
        if (*it != '9') {
            ++*it;
            return digits;
        }
        *it = '0';
    }
    return "1" + digits;
}

// A group separator at `at`: the locale's own, or one a user types for it (any
// of three spaces where the locale groups with a space, the apostrophe where
// it groups with a right single quote). Returns its length, or 0.
std::size_t group_separator_at(const std::vector<char32_t>& text, std::size_t at,
                               const LocaleCase& lc)
{
    if (starts_with(text, at, lc.group))
        return lc.group.size();
    if (lc.group.size() != 1)
        return 0;
    const auto spaces = {U' ', U'\u00A0', U'\u202F'};
    const auto is_space = [&](char32_t cp) {
        return std::find(spaces.begin(), spaces.end(), cp) != spaces.end();
    };
    if (is_space(lc.group[0]) && is_space(text[at]))
        return 1;
    if (lc.group[0] == U'\u2019' && text[at] == U'\'')
        return 1;
    return 0;
}

Expected reference(const QString& text, const LocaleCase& lc)
{
    using Kind = Expected::Kind;
    const std::vector<char32_t> all = visible_code_points(text);
    std::size_t begin = 0;
    std::size_t end = all.size();
    while (begin < end && is_blank(all[begin]))
        ++begin;
    while (end > begin && is_blank(all[end - 1]))
        --end;
    if (begin == end)
        return {Kind::Empty, 0};
    const std::vector<char32_t> cps(all.begin() + std::ptrdiff_t(begin),
                                    all.begin() + std::ptrdiff_t(end));

    bool negative = false;
    std::size_t at = 0;
    const std::vector<char32_t> ascii_minus{U'-'};
    const std::vector<char32_t> ascii_plus{U'+'};
    if (starts_with(cps, 0, lc.minus)) {
        negative = true;
        at = lc.minus.size();
    } else if (starts_with(cps, 0, ascii_minus)) {
        negative = true;
        at = 1;
    } else if (starts_with(cps, 0, lc.plus)) {
        at = lc.plus.size();
    } else if (starts_with(cps, 0, ascii_plus)) {
        at = 1;
    }

    // The shape of the rest: d digit, g group separator, p decimal point, x other.
    std::string shape;
    std::string digits; // the digits' values, in order, as ASCII
    while (at < cps.size()) {
        const char32_t cp = cps[at];
        if (QChar::isDigit(cp)) {
            if (cp > 0xFFFF)
                return {}; // digits outside the BMP: left open
            shape += 'd';
            digits += char('0' + QChar::digitValue(cp));
            ++at;
        } else if (const std::size_t length = group_separator_at(cps, at, lc); length > 0) {
            shape += 'g';
            at += length;
        } else if (starts_with(cps, at, lc.point)) {
            shape += 'p';
            at += lc.point.size();
        } else {
            return {Kind::NotANumber, 0};
        }
    }

    // At most one decimal point, only digits after it.
    const std::size_t p = shape.find('p');
    const std::string whole_shape = shape.substr(0, p);
    const std::string fraction_shape = p == std::string::npos ? "" : shape.substr(p + 1);
    if (fraction_shape.find_first_not_of('d') != std::string::npos)
        return {Kind::NotANumber, 0};
    // Groups: a single run of digits, or 1 to 3 digits then groups of exactly 3.
    std::vector<std::size_t> groups{0};
    for (const char c : whole_shape) {
        if (c == 'g')
            groups.push_back(0);
        else
            ++groups.back();
    }
    if (groups.size() > 1) {
        if (groups.front() < 1 || groups.front() > 3)
            return {Kind::NotANumber, 0};
        for (std::size_t i = 1; i < groups.size(); ++i)
            if (groups[i] != 3)
                return {Kind::NotANumber, 0};
    }
    if (digits.empty())
        return {Kind::NotANumber, 0};

    std::size_t whole_count = 0;
    for (const std::size_t g : groups)
        whole_count += g;
    std::string whole = digits.substr(0, whole_count);
    const std::string fraction = digits.substr(whole_count);

    whole.erase(0, whole.find_first_not_of('0'));
    if (whole.empty())
        whole = "0";
    if (!fraction.empty()) {
        const bool above_half =
            fraction[0] > '5' ||
            (fraction[0] == '5' && fraction.find_first_not_of('0', 1) != std::string::npos);
        const bool exactly_half =
            fraction[0] == '5' && fraction.find_first_not_of('0', 1) == std::string::npos;
        const bool odd = (whole.back() - '0') % 2 == 1;
        if (above_half || (exactly_half && odd))
            whole = plus_one(whole);
    }

    const std::string limit = negative ? "2147483648" : "2147483647";
    if (whole.size() > limit.size() || (whole.size() == limit.size() && whole > limit))
        return {Kind::OutOfRange, 0};
    const long long magnitude = std::stoll(whole);
    return {Kind::Value, static_cast<std::int32_t>(negative ? -magnitude : magnitude)};
}

// ---- Comparison -----------------------------------------------------------

const char* kind_name(Expected::Kind kind)
{
    switch (kind) {
    case Expected::Kind::Unknown:
        return "unknown";
    case Expected::Kind::Empty:
        return "Empty";
    case Expected::Kind::NotANumber:
        return "NotANumber";
    case Expected::Kind::OutOfRange:
        return "OutOfRange";
    case Expected::Kind::Value:
        return "value";
    }
    return "?";
}

const char* problem_name(Problem problem)
{
    switch (problem) {
    case Problem::None:
        return "value";
    case Problem::Empty:
        return "Empty";
    case Problem::NotANumber:
        return "NotANumber";
    case Problem::OutOfRange:
        return "OutOfRange";
    }
    return "?";
}

bool agrees(const Expected& expected, const NumberReading& got)
{
    switch (expected.kind) {
    case Expected::Kind::Unknown:
        return true;
    case Expected::Kind::Empty:
        return got.problem == Problem::Empty;
    case Expected::Kind::NotANumber:
        return got.problem == Problem::NotANumber;
    case Expected::Kind::OutOfRange:
        return got.problem == Problem::OutOfRange;
    case Expected::Kind::Value:
        return got.ok() && got.value == expected.value;
    }
    return false;
}

[[noreturn]] void report_mismatch(const QString& text, const LocaleCase& lc,
                                  const Expected& expected, const NumberReading& got)
{
    std::fprintf(stderr,
                 "number reading mismatch in %s\n  text:", lc.locale.name().toUtf8().constData());
    for (const QChar c : text)
        std::fprintf(stderr, " U+%04X", unsigned(c.unicode()));
    std::fprintf(stderr, "\n  text (UTF-8): \"%s\"\n", text.toUtf8().constData());
    std::fprintf(stderr, "  reference: %s %d\n  read_whole_number: %s %d\n",
                 kind_name(expected.kind), int(expected.value), problem_name(got.problem),
                 int(got.value));
    std::abort();
}

QString text_from(const std::uint8_t* data, std::size_t size, const LocaleCase& lc, int mode)
{
    switch (mode) {
    case 0:
        return QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    case 1: {
        QString text;
        for (std::size_t i = 0; i + 1 < size; i += 2)
            text.append(QChar(char16_t(data[i] | (data[i + 1] << 8))));
        return text;
    }
    default: {
        QString text;
        for (std::size_t i = 0; i < size; ++i)
            text += lc.pieces[data[i] % lc.pieces.size()];
        return text;
    }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const auto& all = locales();
    const LocaleCase& source = all[data[0] % all.size()];
    const int mode = (data[0] / all.size()) % 3;
    const QString text = text_from(data + 1, size - 1, source, mode);

    for (const LocaleCase& lc : all) {
        const NumberReading got = read_whole_number(text.toStdString(), lc.symbols);
        if (!got.ok() && got.value != 0)
            report_mismatch(text, lc, {}, got);
        const Expected expected = reference(text, lc);
        if (!agrees(expected, got))
            report_mismatch(text, lc, expected, got);
    }
    return 0;
}
