#include "gui/command_line.h"

#include <QCommandLineOption>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QStringList>

namespace klankflits
{

namespace
{

const QCommandLineOption full_screen_option(
    {QStringLiteral("f"), QStringLiteral("volledig-scherm"), QStringLiteral("full-screen")},
    QStringLiteral("Toont de oefening schermvullend, bijvoorbeeld op een digibord. F11 schakelt "
                   "heen en terug, Esc verlaat het volledige scherm. / Shows the exercise full "
                   "screen, e.g. on a classroom board. F11 switches, Esc leaves full screen."));

void describe(QCommandLineParser& parser)
{
    parser.setApplicationDescription(
        QStringLiteral("Klankflits: een flitsoefening voor snel lezen met klankgroepen als "
                       "blaa en schui.\nA flash exercise for fast reading of Dutch syllables."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(full_screen_option);
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
    if (!parser.isSet(QStringLiteral("help")) && !parser.isSet(QStringLiteral("help-all")) &&
        !parser.isSet(QStringLiteral("version")))
        return;
    // A core application, which needs no screen, names the program in the
    // usage line; answering ends the program.
    QCoreApplication app(argc, argv);
    QCommandLineParser answer;
    describe(answer);
    answer.process(app);
}

CommandLine read_command_line(const QCoreApplication& app)
{
    QCommandLineParser parser;
    describe(parser);
    parser.process(app);
    CommandLine command_line;
    if (parser.isSet(full_screen_option))
        command_line.opening = Opening::full_screen;
    return command_line;
}

} // namespace klankflits
