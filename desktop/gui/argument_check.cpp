#include "gui/argument_check.h"

#include "gui/terminal_message.h"

namespace klankflits
{

namespace
{

// Qt's own options, as QGuiApplication, QApplication and the X11 platform
// take them out of the arguments (with one or two dashes).
const QStringList qt_valued_options{QStringLiteral("platform"),
                                    QStringLiteral("platformpluginpath"),
                                    QStringLiteral("platformtheme"),
                                    QStringLiteral("plugin"),
                                    QStringLiteral("qwindowgeometry"),
                                    QStringLiteral("qwindowicon"),
                                    QStringLiteral("qwindowtitle"),
                                    QStringLiteral("session"),
                                    QStringLiteral("display"),
                                    QStringLiteral("geometry"),
                                    QStringLiteral("title"),
                                    QStringLiteral("icon"),
                                    QStringLiteral("name"),
                                    QStringLiteral("style"),
                                    QStringLiteral("stylesheet"),
                                    QStringLiteral("qmljsdebugger")};
const QStringList qt_flag_options{QStringLiteral("reverse"), QStringLiteral("widgetcount"),
                                  QStringLiteral("sync"),    QStringLiteral("nograb"),
                                  QStringLiteral("dograb"),  QStringLiteral("testability")};

QString unknown(const QString& option)
{
    return refusal_about("de optie %1 bestaat niet.", "there is no option %1.", option);
}

QString with_value(const QString& option)
{
    return refusal_about("de optie %1 neemt geen waarde.", "the option %1 takes no value.", option);
}

QString without_value(const QString& option)
{
    return refusal_about("de optie %1 heeft een waarde nodig.", "the option %1 needs a value.",
                         option);
}

QString stray(const QString& word)
{
    return refusal_about("%1 hoort bij geen optie.", "%1 belongs to no option.", word);
}

// How many arguments from `arguments[i]` on are one of Qt's options: 0 for
// none, else the option with its value.
qsizetype qt_option_length(const QStringList& arguments, qsizetype i)
{
    QString name = arguments.at(i).mid(arguments.at(i).startsWith(QLatin1String("--")) ? 2 : 1);
    const qsizetype equals = name.indexOf(u'=');
    if (equals >= 0)
        return qt_valued_options.contains(name.left(equals)) ? 1 : 0;
    if (qt_flag_options.contains(name))
        return 1;
    if (qt_valued_options.contains(name))
        return i + 1 < arguments.size() ? 2 : 1;
    return 0;
}

} // namespace

ArgumentReading read_arguments(const QStringList& arguments, const KnownOptions& known)
{
    ArgumentReading reading;
    bool options_ended = false;
    const auto refuse = [&](const QString& fault) {
        reading.fault = fault;
        return reading;
    };
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& argument = arguments.at(i);
        if (options_ended || argument.size() < 2 || !argument.startsWith(u'-'))
            return refuse(stray(argument));
        if (argument == QLatin1String("--")) {
            options_ended = true;
        } else if (const qsizetype length = qt_option_length(arguments, i); length > 0) {
            i += length - 1;
        } else if (argument.startsWith(QLatin1String("--"))) {
            const qsizetype equals = argument.indexOf(u'=');
            const QString name = argument.mid(2, equals < 0 ? -1 : equals - 2);
            const QString option = argument.left(equals < 0 ? argument.size() : equals);
            if (!known.long_names.contains(name))
                return refuse(unknown(option));
            const bool valued = known.valued_long_names.contains(name);
            if (equals >= 0 && !valued)
                return refuse(with_value(option));
            if (valued && equals < 0 && i + 1 == arguments.size())
                return refuse(without_value(option));
            reading.given.append({name, !valued       ? QString()
                                        : equals >= 0 ? argument.mid(equals + 1)
                                                      : arguments.at(++i)});
        } else {
            for (qsizetype at = 1; at < argument.size(); ++at) {
                const QString letter = argument.mid(at, 1);
                if (!known.short_names.contains(letter))
                    return refuse(unknown(u'-' + letter));
                if (at + 1 < argument.size() && argument.at(at + 1) == u'=')
                    return refuse(with_value(u'-' + letter));
                reading.given.append({letter, {}});
            }
        }
    }
    return reading;
}

} // namespace klankflits
