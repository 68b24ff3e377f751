#include "gui/command_line.h"

#include "gui/argument_check.h"
#include "program/letter_size.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

#include <cstdio>

namespace klankflits
{

namespace
{

const QCommandLineOption full_screen_option(
    {QStringLiteral("f"), QStringLiteral("volledig-scherm"), QStringLiteral("full-screen")},
    QStringLiteral("Toont de oefening schermvullend, bijvoorbeeld op een digibord. F11 schakelt "
                   "heen en terug, Esc verlaat het volledige scherm. / Shows the exercise full "
                   "screen, e.g. on a classroom board. F11 switches, Esc leaves full screen."));

const QCommandLineOption letter_size_option(
    {QStringLiteral("lettergrootte"), QStringLiteral("letter-size")},
    QStringLiteral("Toont de klankgroep en het plaatje groter, voor de achterste rij bij het "
                   "digibord: 1 (zoals altijd) tot 4 (vier keer zo groot). + en - in de oefening "
                   "veranderen het ook. / Draws the syllable and the picture larger, for the back "
                   "row at a classroom board: 1 (as always) to 4 (four times as large). + and - "
                   "in the exercise change it too."),
    QStringLiteral("N"));

QString bad_letter_size(const QString& value)
{
    return QStringLiteral("klankflits: de lettergrootte is 1, 2, 3 of 4, niet \"%1\".\n"
                          "klankflits: the letter size is 1, 2, 3 or 4, not \"%1\".\n"
                          "Zie klankflits --help. / See klankflits --help.\n")
        .arg(value);
}

// Describes the options to `parser` and returns their names.
KnownOptions describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Klankflits: een flitsoefening voor snel lezen met klankgroepen als "
                       "blaa en schui.\nA flash exercise for fast reading of Dutch syllables."));
    // Qt's help option has a long name of its own that it does not hand back.
    QStringList names{QStringLiteral("help-all")};
    names << parser.addHelpOption().names() << parser.addVersionOption().names();
    parser.addOption(full_screen_option);
    parser.addOption(letter_size_option);
    names << full_screen_option.names() << letter_size_option.names();
    KnownOptions known;
    for (const QString& name : names)
        (name.size() == 1 ? known.short_names : known.long_names) << name;
    known.valued_long_names = letter_size_option.names();
    return known;
}

} // namespace

void answer_help_and_version(int argc, char** argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("klankflits"));
    QCoreApplication::setApplicationVersion(QStringLiteral(KLANKFLITS_VERSION));
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    describe(parser);
    // Unknown options are not refused yet: they may be Qt's own.
    parser.parse(arguments);
    const char* asked = parser.isSet(QStringLiteral("help-all"))  ? "--help-all"
                        : parser.isSet(QStringLiteral("help"))    ? "--help"
                        : parser.isSet(QStringLiteral("version")) ? "--version"
                                                                  : nullptr;
    if (!asked)
        return;
    // A core application, which needs no screen, names the program in the
    // usage line; answering ends the program. Only the question is handed
    // on, so that Qt's own options beside it raise no error.
    QCoreApplication app(argc, argv);
    QCommandLineParser answer;
    describe(answer);
    answer.process({arguments.constFirst(), QString::fromLatin1(asked)});
}

std::optional<CommandLine> read_command_line(const QCoreApplication& app)
{
    QCommandLineParser parser;
    const KnownOptions known = describe(parser);
    const QString fault = argument_fault(app.arguments(), known);
    if (!fault.isEmpty()) {
        std::fputs(fault.toLocal8Bit().constData(), stderr);
        return std::nullopt;
    }
    parser.parse(app.arguments());
    CommandLine command_line;
    if (parser.isSet(full_screen_option))
        command_line.opening = Opening::full_screen;
    if (parser.isSet(letter_size_option)) {
        const QString value = parser.value(letter_size_option);
        const auto step = letter_size_named(value.toStdString());
        if (!step) {
            std::fputs(bad_letter_size(value).toLocal8Bit().constData(), stderr);
            return std::nullopt;
        }
        command_line.letter_size = *step;
    }
    return command_line;
}

} // namespace klankflits
