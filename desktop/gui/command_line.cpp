#include "gui/command_line.h"

#include "gui/argument_check.h"
#include "gui/list_file.h"
#include "gui/terminal_message.h"
#include "material/materials.h"
#include "material/own_list.h"
#include "program/letter_size.h"
#include "program/letters.h"

#include <array>
#include <optional>

namespace klankflits
{

namespace
{

QString text_of(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

enum class Asked {
    help,
    version,
    full_screen,
    letter_size,
    letters,
    school_letters,
    material,
    order,
    list
};

// An option as the help shows it; each line of its Dutch and English
// description is a line of the help.
struct Option {
    Asked asked;
    QStringList names; // one letter: a short name
    QString value_name;
    QString dutch;
    QString english;
};

const std::array options{
    Option{Asked::help,
           {QStringLiteral("h"), QStringLiteral("help")},
           {},
           QStringLiteral("Toont deze hulp."),
           QStringLiteral("Displays this help.")},
    Option{Asked::version,
           {QStringLiteral("v"), QStringLiteral("version")},
           {},
           QStringLiteral("Toont het versienummer."),
           QStringLiteral("Displays the version.")},
    Option{Asked::full_screen,
           {QStringLiteral("f"), QStringLiteral("volledig-scherm"), QStringLiteral("full-screen")},
           {},
           QStringLiteral("Toont de oefening schermvullend, bijvoorbeeld op een digibord.\n"
                          "F11 schakelt heen en terug, Esc verlaat het volledige scherm."),
           QStringLiteral("Shows the exercise full screen, e.g. on a classroom board.\n"
                          "F11 switches, Esc leaves full screen.")},
    Option{Asked::letter_size,
           {QStringLiteral("lettergrootte"), QStringLiteral("letter-size")},
           QStringLiteral("N"),
           QStringLiteral("Toont de klankgroep en het plaatje groter, voor de achterste rij\n"
                          "bij het digibord: 1 (zoals altijd) tot 4 (vier keer zo groot).\n"
                          "+ en - in de oefening veranderen het ook."),
           QStringLiteral("Draws the syllable and the picture larger, for the back row at a\n"
                          "classroom board: 1 (as always) to 4 (four times as large).\n"
                          "+ and - in the exercise change it too.")},
    Option{Asked::letters,
           {QStringLiteral("letters")},
           QStringLiteral("school|gewoon"),
           QStringLiteral("De letters van de klankgroep: school (schoolletters, met een a en\n"
                          "een g zoals kinderen ze leren schrijven) of gewoon (zoals altijd).\n"
                          "L in de oefening wisselt ze."),
           QStringLiteral("The syllable's letters: school (the school letters, with an a and\n"
                          "a g as children learn to write them) or gewoon (as always).\n"
                          "L in the exercise switches them.")},
    Option{Asked::school_letters,
           {QStringLiteral("schoolletters")},
           {},
           QStringLiteral("Hetzelfde als --letters school."),
           QStringLiteral("The same as --letters school.")},
    Option{Asked::material,
           {QStringLiteral("oefenstof"), QStringLiteral("material")},
           QStringLiteral("KEY"),
           QStringLiteral("De oefenstof die het instelvenster al gekozen toont (zonder deze\n"
                          "optie de CCV-structuren):"),
           QStringLiteral("The lesson material the settings window shows chosen (without\n"
                          "this option the CCV syllables):")},
    Option{Asked::order,
           {QStringLiteral("volgorde"), QStringLiteral("order")},
           QStringLiteral("KEY"),
           QStringLiteral("De volgorde van de woorden (zonder deze optie die van de oefenstof):"),
           QStringLiteral("The order of the items (without this option the material's own):")},
    Option{Asked::list,
           {QStringLiteral("lijst"), QStringLiteral("list")},
           QStringLiteral("FILE"),
           QStringLiteral("Een eigen lijst uit een tekstbestand, een woord op elke regel;\n"
                          "kiest de oefenstof eigen."),
           QStringLiteral("An own list from a text file, one item a line; chooses the\n"
                          "material eigen.")},
};

KnownOptions known_options()
{
    KnownOptions known;
    for (const Option& option : options)
        for (const QString& name : option.names) {
            (name.size() == 1 ? known.short_names : known.long_names) << name;
            if (!option.value_name.isEmpty())
                known.valued_long_names << name;
        }
    return known;
}

const Option& option_named(const QString& name)
{
    for (const Option& option : options)
        if (option.names.contains(name))
            return option;
    return options.front(); // the reader gives known names only
}

QString help()
{
    QString text = QStringLiteral(
        "Gebruik: klankflits [opties]\n"
        "Usage: klankflits [options]\n\n"
        "Klankflits: een flitsoefening voor snel lezen met klankgroepen als blaa en schui.\n"
        "Klankflits: a flash exercise for fast reading of Dutch syllables.\n\n"
        "Opties / Options:\n");
    for (const Option& option : options) {
        QStringList names;
        for (const QString& name : option.names)
            names << (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
        text += QStringLiteral("  ") + names.join(QStringLiteral(", "));
        if (!option.value_name.isEmpty())
            text += QStringLiteral(" <%1>").arg(option.value_name);
        text += u'\n';
        for (const QString& line : (option.dutch + u'\n' + option.english).split(u'\n'))
            text += QStringLiteral("      ") + line + u'\n';
        if (option.asked == Asked::material)
            for (const MaterialChoice& choice : material_choices())
                text += QStringLiteral("      %1%2\n")
                            .arg(text_of(choice.key), -18)
                            .arg(text_of(choice.caption));
        if (option.asked == Asked::order)
            for (const OrderChoice& choice : order_choices())
                text += QStringLiteral("      %1%2\n")
                            .arg(text_of(choice.key), -13)
                            .arg(text_of(choice.explanation));
    }
    return text;
}

QString bad_material(const QString& value)
{
    return refusal_about("de oefenstof %1 bestaat niet.", "there is no material %1.", value);
}

QString bad_order(const QString& value)
{
    return refusal_about("de volgorde %1 bestaat niet.", "there is no order %1.", value);
}

QString unreadable_list(const QString& path)
{
    return refusal_about("de lijst %1 kan niet worden gelezen.", "the list %1 cannot be read.",
                         path);
}

QString refused_list(const QString& path, const OwnList& list)
{
    const QString shown = quoted_on_terminal(path);
    return refusal(QStringLiteral("de lijst %1 kan niet worden gebruikt. %2")
                       .arg(shown, QString::fromStdString(list.message)),
                   list.line > 0 ? QStringLiteral("the list %1 cannot be used: see its line %2.")
                                       .arg(shown)
                                       .arg(list.line)
                                 : QStringLiteral("the list %1 holds no item.").arg(shown));
}

QString bad_letters(const QString& value)
{
    return refusal_about("de letters zijn school of gewoon, niet %1.",
                         "the letters are school or gewoon, not %1.", value);
}

QString bad_letter_size(const QString& value)
{
    return refusal_about("de lettergrootte is 1, 2, 3 of 4, niet %1.",
                         "the letter size is 1, 2, 3 or 4, not %1.", value);
}

} // namespace

std::variant<CommandLine, CommandLineAnswer> read_command_line(const QStringList& arguments)
{
    const ArgumentReading reading = read_arguments(arguments, known_options());
    if (!reading.fault.isEmpty())
        return CommandLineAnswer{reading.fault, refused_command_line_status};
    CommandLine command_line;
    std::optional<QString> letter_size;
    std::optional<QString> letters;
    std::optional<QString> material;
    std::optional<QString> order;
    std::optional<QString> list;
    for (const GivenOption& given : reading.given) {
        switch (option_named(given.name).asked) {
        case Asked::help:
            return CommandLineAnswer{help()};
        case Asked::version:
            return CommandLineAnswer{QStringLiteral("klankflits " KLANKFLITS_VERSION "\n")};
        case Asked::full_screen:
            command_line.exercise.opening = Opening::full_screen;
            break;
        case Asked::letter_size:
            letter_size = given.value;
            break;
        case Asked::letters:
            letters = given.value;
            break;
        case Asked::school_letters:
            letters = text_of(school_letters_name);
            break;
        case Asked::material:
            material = given.value;
            break;
        case Asked::order:
            order = given.value;
            break;
        case Asked::list:
            list = given.value;
            material = text_of(own_list_key);
            break;
        }
    }
    if (letter_size) {
        const auto step = letter_size_named(letter_size->toStdString());
        if (!step)
            return CommandLineAnswer{bad_letter_size(*letter_size), refused_command_line_status};
        command_line.exercise.letter_size = *step;
    }
    if (letters) {
        const auto chosen = letters_named(letters->toStdString());
        if (!chosen)
            return CommandLineAnswer{bad_letters(*letters), refused_command_line_status};
        command_line.exercise.letters = *chosen;
    }
    if (material) {
        if (*material != text_of(own_list_key) && !material_named(material->toStdString()))
            return CommandLineAnswer{bad_material(*material), refused_command_line_status};
        command_line.material.material_key = *material;
    }
    if (order) {
        if (!order_named(order->toStdString()))
            return CommandLineAnswer{bad_order(*order), refused_command_line_status};
        command_line.material.order_key = *order;
    }
    if (list) {
        const ListFileReading reading = read_list_file(*list);
        if (!reading.ok())
            return CommandLineAnswer{unreadable_list(*list), refused_command_line_status};
        const OwnList own = read_own_list(reading.text.toStdString());
        if (!own.ok())
            return CommandLineAnswer{refused_list(*list, own), refused_command_line_status};
        command_line.material.list_text = reading.text;
    }
    return command_line;
}

QStringList arguments_of(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    return arguments;
}

} // namespace klankflits
