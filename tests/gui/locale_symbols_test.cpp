#include "engine/input_message.h"
#include "engine/number_reading.h"
#include "gui/locale_symbols.h"

#include <QLocale>
#include <QTest>

using klankflits::number_symbols;
using klankflits::NumberReading;
using klankflits::NumberSymbols;
using klankflits::read_whole_number;
using klankflits::reading_problem_message;
using Problem = NumberReading::Problem;

Q_DECLARE_METATYPE(NumberReading::Problem)

// The engine reads numbers with the symbols it is given (its own tests hold
// the cases); these check that QLocale gives the symbols those tests assume,
// and that typed text reads through the desktop's locale data as before.
class LocaleSymbolsTest : public QObject
{
    Q_OBJECT

private slots:
    void symbols_from_qlocale_data();
    void symbols_from_qlocale();
    void reads_through_qlocale_data();
    void reads_through_qlocale();
    void message_example_is_qlocales_two_and_a_half_data();
    void message_example_is_qlocales_two_and_a_half();
};

void LocaleSymbolsTest::symbols_from_qlocale_data()
{
    using namespace Qt::StringLiterals;
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("symbols"); // point, group, minus, plus, zero
    QTest::newRow("nl") << "nl_NL" << QStringList{",", ".", "-", "+", "0"};
    QTest::newRow("fr") << "fr_FR" << QStringList{",", u"\u202F"_s, "-", "+", "0"};
    QTest::newRow("de_CH") << "de_CH" << QStringList{".", u"\u2019"_s, "-", "+", "0"};
    QTest::newRow("ar_EG") << "ar_EG"
                           << QStringList{u"\u066B"_s, u"\u066C"_s, u"\u061C-"_s, u"\u061C+"_s,
                                          u"\u0660"_s};
    QTest::newRow("fa_IR") << "fa_IR"
                           << QStringList{u"\u066B"_s, u"\u066C"_s, u"\u200E\u2212"_s, u"\u200E+"_s,
                                          u"\u06F0"_s};
}

void LocaleSymbolsTest::symbols_from_qlocale()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, symbols);
    const NumberSymbols got = number_symbols(QLocale(locale));
    const QStringList as_utf8{
        QString::fromStdString(got.decimal_point), QString::fromStdString(got.group_separator),
        QString::fromStdString(got.negative_sign), QString::fromStdString(got.positive_sign),
        QString::fromStdString(got.zero_digit)};
    QCOMPARE(as_utf8, symbols);
}

void LocaleSymbolsTest::reads_through_qlocale_data()
{
    using namespace Qt::StringLiterals;
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Problem>("problem");
    QTest::addColumn<int>("value");
    QTest::newRow("nl half to even") << "nl_NL"
                                     << "2,5" << Problem::None << 2;
    QTest::newRow("nl thousands") << "nl_NL"
                                  << "1.500" << Problem::None << 1500;
    QTest::newRow("en comma is no point") << "en_US"
                                          << "2,5" << Problem::NotANumber << 0;
    QTest::newRow("fr plain space groups") << "fr_FR"
                                           << "1 500" << Problem::None << 1500;
    QTest::newRow("de_CH apostrophe groups") << "de_CH"
                                             << "1'500" << Problem::None << 1500;
    QTest::newRow("fa own minus") << "fa_IR" << u"\u200E\u2212\u06F5"_s << Problem::None << -5;
    QTest::newRow("ar own grouping")
        << "ar_EG" << u"\u0662\u066C\u0660\u0660\u0660"_s << Problem::None << 2000;
    QTest::newRow("nl too large") << "nl_NL"
                                  << "2147483648" << Problem::OutOfRange << 0;
}

void LocaleSymbolsTest::reads_through_qlocale()
{
    QFETCH(QString, locale);
    QFETCH(QString, text);
    QFETCH(Problem, problem);
    QFETCH(int, value);
    const NumberReading reading =
        read_whole_number(text.toStdString(), number_symbols(QLocale(locale)));
    QCOMPARE(reading.problem, problem);
    QCOMPARE(reading.value, value);
}

void LocaleSymbolsTest::message_example_is_qlocales_two_and_a_half_data()
{
    QTest::addColumn<QString>("locale");
    for (const char* name : {"nl_NL", "en_US", "de_CH", "ar_EG", "fa_IR", "ccp_BD", "ff_Adlm_GN"})
        QTest::newRow(name) << QString::fromLatin1(name);
}

// The message's example number is written as the desktop has always written
// it, by QLocale, digits of the locale's own script included.
void LocaleSymbolsTest::message_example_is_qlocales_two_and_a_half()
{
    QFETCH(QString, locale);
    const QLocale qlocale(locale);
    const QString message = QString::fromStdString(reading_problem_message(
        {Problem::Empty}, "Geef start interval", "", number_symbols(qlocale), 2000));
    const QString example = qlocale.toString(2.5);
    QVERIFY2(message.endsWith(" als " + example + " wordt afgerond op een heel getal."),
             qPrintable(message + " / " + example));
}

QTEST_GUILESS_MAIN(LocaleSymbolsTest)
#include "locale_symbols_test.moc"
