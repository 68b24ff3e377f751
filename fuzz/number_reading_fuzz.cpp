// Fuzz target: the settings boxes' number reading, under several locales, and
// the message for a box that could not be read.
//
// Every input is read by the engine under each locale's symbols, taken from
// QLocale as the settings window takes them, and checked against a reference
// reader written here in a different way: the text is cut into code points,
// format characters (category Cf) are dropped, the rest is classified
// into a shape of digits, group separators and decimal points, checked by
// splitting on the separators, turned into a plain ASCII decimal string and
// rounded half to even by decimal string arithmetic. read_whole_number must
// give the same answer, the direction of an out-of-range number included; a
// mismatch aborts with the text, the locale and both answers.
//
// In UTF-8 mode the bytes are also read as they came: well-formed (as Qt's
// decoder judges), they read as their text does; ill-formed, they are not a
// number. For every text that does not read, the message must be well-formed
// UTF-8 with the settings window's words around the quote, and the quote the
// text's first 40 code points (then an ellipsis); of ill-formed text, no
// more than 40 characters either.
//
// The first input byte picks the locale whose pieces build the text and how the
// remaining bytes become text: as UTF-8, as raw UTF-16 code units (lone
// surrogates included), or as a sequence of pieces (digits of several scripts,
// the locale's signs and separators, blanks and look-alikes).

#include "engine/input_message.h"
#include "engine/number_reading.h"
#include "gui/locale_symbols.h"

#include <QByteArray>
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
using klankflits::reading_problem_message;
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
    QString advice;              // the message's last paragraph, its example by QLocale
};

std::vector<LocaleCase> make_locales()
{
    std::vector<LocaleCase> out;
    for (const char* name : locale_names) {
        const QLocale locale(QString::fromLatin1(name));
        LocaleCase c{locale, number_symbols(locale), {}, {}, {}, {}, {}, {}};
        c.advice = "\n\nVul een getal in, in milliseconden, bijvoorbeeld 2000. Een getal als " +
                   locale.toString(2.5) + " wordt afgerond op een heel getal.";
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
    bool negative = false; // for OutOfRange: which way
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
        return {Kind::OutOfRange, 0, negative};
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
        return got.problem == Problem::OutOfRange && got.negative == expected.negative;
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
    std::fprintf(stderr, "  reference: %s %d%s\n  read_whole_number: %s %d%s\n",
                 kind_name(expected.kind), int(expected.value), expected.negative ? " below" : "",
                 problem_name(got.problem), int(got.value), got.negative ? " below" : "");
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

// ---- UTF-8 and the message ------------------------------------------------

constexpr char byte_order_mark[] = "\xEF\xBB\xBF";

// Qt's UTF-8 decoder is the judge; it drops a leading byte order mark.
bool is_well_formed_utf8(const QByteArray& bytes)
{
    const QByteArray again = QString::fromUtf8(bytes).toUtf8();
    return again == bytes || (bytes.startsWith(byte_order_mark) && again == bytes.mid(3));
}

std::vector<char32_t> code_points_of_utf8(const QByteArray& bytes)
{
    std::vector<char32_t> out = code_points(QString::fromUtf8(bytes));
    if (bytes.startsWith(byte_order_mark))
        out.insert(out.begin(), U'\uFEFF');
    return out;
}

[[noreturn]] void report_failure(const char* what, const std::string& bytes, const LocaleCase& lc)
{
    std::fprintf(stderr, "%s in %s\n  bytes:", what, lc.locale.name().toUtf8().constData());
    for (const char b : bytes)
        std::fprintf(stderr, " %02X", unsigned(static_cast<unsigned char>(b)));
    std::fprintf(stderr, "\n");
    std::abort();
}

const QString prompt = QStringLiteral("Geef start interval");
const std::string prompt_utf8 = prompt.toStdString();

// The message for `typed`, which did not read: the settings window's words, and
// the quote no longer than 40 code points and an ellipsis.
void check_message(const NumberReading& reading, const std::string& typed, const LocaleCase& lc)
{
    const QByteArray bytes = QByteArray::fromStdString(
        reading_problem_message(reading, prompt_utf8, typed, lc.symbols, 2000));
    if (!is_well_formed_utf8(bytes))
        report_failure("message not well-formed UTF-8", typed, lc);
    const QString message = QString::fromUtf8(bytes);

    const QString before = "Bij \"" + prompt + "\" staat ";
    if (reading.problem == Problem::Empty) {
        if (message != before + "nog niets." + lc.advice)
            report_failure("message for an empty box", typed, lc);
        return;
    }
    const QString after =
        (reading.problem == Problem::OutOfRange
             ? QString("\". Dat getal is te ") + (reading.negative ? "klein" : "groot") +
                   ": het kleinste getal is -2147483648, het grootste 2147483647."
             : QString("\". Dat is geen getal.")) +
        lc.advice;
    const qsizetype quote_length = message.size() - before.size() - 1 - after.size();
    if (quote_length < 0 || !message.startsWith(before + '"') || !message.endsWith(after))
        report_failure("message words", typed, lc);
    const std::vector<char32_t> quote = code_points(message.mid(before.size() + 1, quote_length));

    constexpr std::size_t longest = 40;
    const QByteArray typed_bytes = QByteArray::fromStdString(typed);
    if (is_well_formed_utf8(typed_bytes)) {
        std::vector<char32_t> expected = code_points_of_utf8(typed_bytes);
        if (expected.size() > longest) {
            expected.resize(longest);
            expected.push_back(U'\u2026');
        }
        if (quote != expected)
            report_failure("message quote", typed, lc);
    } else if (quote.size() > longest + 1 ||
               (quote.size() == longest + 1 && quote.back() != U'\u2026')) {
        report_failure("message quote of ill-formed text", typed, lc);
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
    const std::string typed = text.toStdString(); // as the settings window hands it over
    const std::string raw(reinterpret_cast<const char*>(data + 1), size - 1);
    const bool raw_well_formed = is_well_formed_utf8(QByteArray::fromStdString(raw));

    for (const LocaleCase& lc : all) {
        const NumberReading got = read_whole_number(typed, lc.symbols);
        if (!got.ok() && got.value != 0)
            report_mismatch(text, lc, {}, got);
        const Expected expected = reference(text, lc);
        if (!agrees(expected, got))
            report_mismatch(text, lc, expected, got);
        // The quote does not depend on the locale: one locale's message per input.
        const bool check_messages = &lc == &source;
        if (check_messages && !got.ok())
            check_message(got, typed, lc);

        if (mode != 0)
            continue;
        const NumberReading from_bytes = read_whole_number(raw, lc.symbols);
        const bool same = raw_well_formed ? from_bytes.problem == got.problem &&
                                                from_bytes.value == got.value &&
                                                from_bytes.negative == got.negative
                                          : from_bytes.problem == Problem::NotANumber &&
                                                from_bytes.value == 0 && !from_bytes.negative;
        if (!same)
            report_failure("the bytes read otherwise than their text", raw, lc);
        if (check_messages && !from_bytes.ok())
            check_message(from_bytes, raw, lc);
    }
    // Whatever the prompt holds, the message is well-formed.
    const std::string message =
        reading_problem_message({Problem::NotANumber}, raw, raw, source.symbols, 2000);
    if (!is_well_formed_utf8(QByteArray::fromStdString(message)))
        report_failure("message with this prompt not well-formed UTF-8", raw, source);
    return 0;
}
