#include "gui/number_reading.h"

#include <algorithm>
#include <limits>

namespace klankflits
{

namespace
{

using Problem = NumberReading::Problem;

// Length of the sign at the start of `text`, the locale's own or the ASCII one; 0 if none.
qsizetype sign_length(const QString& text, const QString& locale_sign, QChar ascii)
{
    if (!locale_sign.isEmpty() && text.startsWith(locale_sign))
        return locale_sign.size();
    return text.startsWith(ascii) ? 1 : 0;
}

// Parses the digits of the whole part, allowing group separators only between
// groups of exactly three digits after the first group.
bool read_whole_part(const QString& text, qsizetype& at, const QString& group, QString& digits)
{
    qsizetype group_length = 0;
    bool grouped = false;
    while (at < text.size()) {
        const QChar c = text.at(at);
        if (c.isDigit()) {
            digits.append(QChar(u'0' + c.digitValue()));
            ++group_length;
            ++at;
        } else if (!group.isEmpty() && text.mid(at, group.size()) == group) {
            // A separator needs 1 to 3 digits before it (first group) or exactly 3.
            if (group_length == 0 || group_length > 3 || (grouped && group_length != 3))
                return false;
            grouped = true;
            group_length = 0;
            at += group.size();
        } else {
            break;
        }
    }
    return !grouped || group_length == 3;
}

// Direction marks, zero-width spaces and the like: invisible, and never part
// of what the number says. Some locales' own signs carry them too.
QString without_format_characters(const QString& text)
{
    QString kept;
    kept.reserve(text.size());
    for (qsizetype at = 0; at < text.size();) {
        const QChar unit = text.at(at);
        const bool pair =
            unit.isHighSurrogate() && at + 1 < text.size() && text.at(at + 1).isLowSurrogate();
        const char32_t code_point =
            pair ? QChar::surrogateToUcs4(unit, text.at(at + 1)) : unit.unicode();
        const qsizetype length = pair ? 2 : 1;
        if (QChar::category(code_point) != QChar::Other_Format)
            kept.append(QStringView(text).mid(at, length));
        at += length;
    }
    return kept;
}

bool is_space_separator(QChar c)
{
    return c == u' ' || c == u'\u00A0' || c == u'\u202F';
}

// Writes the group separators a user may type for the locale's own one.
QString with_locale_group_separator(QString text, const QString& group)
{
    if (group.size() != 1)
        return text;
    if (is_space_separator(group.front())) {
        for (QChar& c : text)
            if (is_space_separator(c))
                c = group.front();
    } else if (group.front() == u'\u2019') {
        text.replace(u'\'', group.front());
    }
    return text;
}

} // namespace

NumberReading read_whole_number(const QString& raw_text, const QLocale& locale)
{
    const QString group = without_format_characters(locale.groupSeparator());
    const QString text =
        with_locale_group_separator(without_format_characters(raw_text).trimmed(), group);
    if (text.isEmpty())
        return {Problem::Empty, 0};

    qsizetype at = sign_length(text, without_format_characters(locale.negativeSign()), u'-');
    const bool negative = at > 0;
    if (!negative)
        at = sign_length(text, without_format_characters(locale.positiveSign()), u'+');

    QString whole;
    if (!read_whole_part(text, at, group, whole))
        return {Problem::NotANumber, 0};

    QString fraction;
    const QString point = without_format_characters(locale.decimalPoint());
    if (at < text.size() && text.mid(at, point.size()) == point) {
        at += point.size();
        while (at < text.size() && text.at(at).isDigit())
            fraction.append(QChar(u'0' + text.at(at++).digitValue()));
    }
    if (at != text.size() || (whole.isEmpty() && fraction.isEmpty()))
        return {Problem::NotANumber, 0};

    // The magnitude, held exactly while it can still fit 32 bits.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (const QChar digit : whole) {
        magnitude = magnitude * 10 + digit.digitValue();
        if (magnitude > limit)
            return {Problem::OutOfRange, 0, negative};
    }

    // Round half to even on the decimal digits themselves.
    if (!fraction.isEmpty()) {
        const int first = fraction.at(0).digitValue();
        const bool rest_nonzero =
            std::any_of(fraction.begin() + 1, fraction.end(), [](QChar d) { return d != u'0'; });
        if (first > 5 || (first == 5 && (rest_nonzero || magnitude % 2 == 1)))
            ++magnitude;
    }

    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max())
        return {Problem::OutOfRange, 0, negative};
    return {Problem::None, static_cast<std::int32_t>(value)};
}

} // namespace klankflits
