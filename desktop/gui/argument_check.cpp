#include "gui/argument_check.h"

namespace klankflits
{

namespace
{

// One line in Dutch and one in English about `subject`.
QString told(const char* dutch, const char* english, const QString& subject)
{
    return QStringLiteral("klankflits: %1\nklankflits: %2\n")
        .arg(QString::fromUtf8(dutch).arg(subject), QString::fromUtf8(english).arg(subject));
}

QString unknown(const QString& option)
{
    return told("de optie %1 bestaat niet.", "there is no option %1.", option);
}

QString with_value(const QString& option)
{
    return told("de optie %1 neemt geen waarde.", "the option %1 takes no value.", option);
}

QString without_value(const QString& option)
{
    return told("de optie %1 heeft een waarde nodig.", "the option %1 needs a value.", option);
}

QString stray(const QString& word)
{
    return told("\"%1\" hoort bij geen optie.", "\"%1\" belongs to no option.", word);
}

// The fault in one argument that starts with a single "-": letters, each an
// option of its own.
QString short_fault(const QString& argument, const KnownOptions& known)
{
    for (qsizetype i = 1; i < argument.size(); ++i) {
        const QString letter = argument.mid(i, 1);
        if (!known.short_names.contains(letter))
            return unknown(QLatin1Char('-') + letter);
        if (i + 1 < argument.size() && argument.at(i + 1) == QLatin1Char('='))
            return with_value(QLatin1Char('-') + letter);
    }
    return {};
}

QString long_fault(const QString& argument, const KnownOptions& known)
{
    const qsizetype equals = argument.indexOf(QLatin1Char('='));
    const QString option = equals < 0 ? argument : argument.left(equals);
    if (!known.long_names.contains(option.mid(2)))
        return unknown(option);
    if (equals >= 0 && !known.valued_long_names.contains(option.mid(2)))
        return with_value(option);
    return {};
}

} // namespace

QString argument_fault(const QStringList& arguments, const KnownOptions& known)
{
    bool options_ended = false;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        QString fault;
        if (options_ended || argument.size() < 2 || !argument.startsWith(QLatin1Char('-')))
            fault = stray(argument);
        else if (argument == QLatin1String("--"))
            options_ended = true;
        else if (argument.startsWith(QLatin1String("--"))) {
            fault = long_fault(argument, known);
            // A value of its own as the next argument.
            if (fault.isEmpty() && known.valued_long_names.contains(argument.mid(2))) {
                if (i + 1 < arguments.size())
                    ++i;
                else
                    fault = without_value(argument);
            }
        } else
            fault = short_fault(argument, known);
        if (!fault.isEmpty())
            return fault + QStringLiteral("Zie klankflits --help. / See klankflits --help.\n");
    }
    return {};
}

} // namespace klankflits
