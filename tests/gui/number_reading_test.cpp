#include "gui/number_reading.h"

#include <QTest>

using klankflits::NumberReading;
using klankflits::read_whole_number;
using Problem = NumberReading::Problem;

Q_DECLARE_METATYPE(NumberReading::Problem)

class NumberReadingTest : public QObject
{
    Q_OBJECT

private slots:
    void reads_whole_numbers_data();
    void reads_whole_numbers();
};

void NumberReadingTest::reads_whole_numbers_data()
{
    using namespace Qt::StringLiterals;
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("value");

    const auto ok = [](const char* name, const char* locale, const QString& text, int value) {
        QTest::newRow(name) << QString::fromLatin1(locale) << text << Problem::None << value;
    };
    const auto bad = [](const char* name, const char* locale, const QString& text, Problem p) {
        QTest::newRow(name) << QString::fromLatin1(locale) << text << p << 0;
    };

    ok("nl default", "nl_NL", "2000", 2000);
    ok("nl blanks and sign", "nl_NL", " -300 ", -300);
    ok("nl plus sign", "nl_NL", "+25", 25);
    ok("nl zero", "nl_NL", "0", 0);
    ok("nl two and a half to even", "nl_NL", "2,5", 2);
    ok("nl three and a half to even", "nl_NL", "3,5", 4);
    ok("nl just over a half rounds up", "nl_NL", "2,5000001", 3);
    ok("nl below a half rounds down", "nl_NL", "2,4999999999999999999", 2);
    ok("nl negative half to even", "nl_NL", "-2,5", -2);
    ok("nl negative three and a half", "nl_NL", "-3,5", -4);
    ok("nl fraction only", "nl_NL", ",6", 1);
    ok("nl trailing separator", "nl_NL", "7,", 7);
    ok("nl thousands", "nl_NL", "1.500", 1500);
    ok("nl grouped millions", "nl_NL", "2.000.000", 2000000);
    ok("nl largest", "nl_NL", "2147483647", 2147483647);
    ok("nl smallest", "nl_NL", "-2147483648", -2147483647 - 1);
    ok("nl largest by rounding down", "nl_NL", "2147483647,4", 2147483647);
    ok("en two and a half", "en_US", "2.5", 2);
    ok("en three and a half", "en_US", "3.5", 4);
    ok("en thousands", "en_US", "1,500", 1500);
    ok("de decimal comma", "de_DE", "3,5", 4);
    // What a paste brings along: invisible format characters, look-alike spaces.
    ok("nl left-to-right marks around", "nl_NL", u"\u200E1500\u200E"_s, 1500);
    ok("nl right-to-left mark before", "nl_NL", u"\u200F1500"_s, 1500);
    ok("nl zero-width space inside", "nl_NL", u"1\u200B500"_s, 1500);
    ok("nl format characters in a negative", "nl_NL", u"\u2066-2,5\u2069"_s, -2);
    ok("fr narrow no-break space groups", "fr_FR", u"1\u202F500"_s, 1500);
    ok("fr plain space groups", "fr_FR", "1 500", 1500);
    ok("fr no-break space groups", "fr_FR", u"1\u00A0500"_s, 1500);
    ok("ru plain space groups", "ru_RU", "2 000 000", 2000000);
    ok("de_CH right quote groups", "de_CH", u"1\u2019500"_s, 1500);
    ok("de_CH apostrophe groups", "de_CH", "1'500", 1500);
    ok("fa own minus with its mark", "fa_IR", u"\u200E\u2212\u06F5"_s, -5);

    bad("nl empty", "nl_NL", "", Problem::Empty);
    bad("nl blanks only", "nl_NL", "   ", Problem::Empty);
    bad("nl letters", "nl_NL", "abc", Problem::NotANumber);
    bad("nl number then letters", "nl_NL", "200ms", Problem::NotANumber);
    bad("nl bare sign", "nl_NL", "-", Problem::NotANumber);
    bad("nl double sign", "nl_NL", "--5", Problem::NotANumber);
    bad("nl separator only", "nl_NL", ",", Problem::NotANumber);
    bad("nl blank inside", "nl_NL", "20 00", Problem::NotANumber);
    bad("nl badly grouped", "nl_NL", "2.5", Problem::NotANumber);
    bad("nl exponent", "nl_NL", "2e3", Problem::NotANumber);
    bad("en comma is no decimal point", "en_US", "2,5", Problem::NotANumber);
    bad("nl too large", "nl_NL", "99999999999", Problem::OutOfRange);
    bad("nl one past the top", "nl_NL", "2147483648", Problem::OutOfRange);
    bad("nl rounds past the top", "nl_NL", "2147483647,5", Problem::OutOfRange);
    bad("nl one past the bottom", "nl_NL", "-2147483649", Problem::OutOfRange);
    bad("nl very long", "nl_NL", QString(400, u'9'), Problem::OutOfRange);
    bad("nl only format characters", "nl_NL", u"\u200E\u200B"_s, Problem::Empty);
    bad("nl no space groups", "nl_NL", u"1\u00A0500"_s, Problem::NotANumber);
    bad("nl no apostrophe groups", "nl_NL", "1'500", Problem::NotANumber);
    bad("en no space groups", "en_US", "1 500", Problem::NotANumber);
    bad("fr space groups of four", "fr_FR", "1 5000", Problem::NotANumber);
    bad("fr two spaces", "fr_FR", "1  500", Problem::NotANumber);
    bad("de_CH apostrophe as decimal", "de_CH", "2'5", Problem::NotANumber);
}

void NumberReadingTest::reads_whole_numbers()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(Problem, problem);
    QFETCH(int, value);

    const NumberReading reading = read_whole_number(text, QLocale(locale));
    QCOMPARE(reading.problem, problem);
    QCOMPARE(reading.ok(), problem == Problem::None);
    if (reading.ok())
        QCOMPARE(reading.value, value);
}

QTEST_GUILESS_MAIN(NumberReadingTest)
#include "number_reading_test.moc"
