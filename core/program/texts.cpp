#include "program/texts.h"

#include "engine/quoted_text.h"

namespace klankflits
{

std::string fault_message(std::string_view what)
{
    return "Er ging iets mis in het programma: " + std::string(what) +
           "\n\nHet programma stopt nu.";
}

std::string two_language_message(std::string_view dutch, std::string_view english)
{
    const std::string lead = std::string(command_name) + ": ";
    const bool long_message =
        dutch.find('\n') != std::string_view::npos || english.find('\n') != std::string_view::npos;
    return lead + std::string(dutch) + (long_message ? "\n\n" : "\n") + lead +
           std::string(english) + "\n";
}

std::string list_file_unreadable(std::string_view file)
{
    return "Het bestand " + quoted_text(file) +
           " kan niet worden gelezen. Kies een tekstbestand (.txt) met één woord op elke regel.";
}

std::string list_file_too_large(std::string_view file)
{
    return "Het bestand " + quoted_text(file) +
           " is te groot voor een lijst. Kies een tekstbestand (.txt) met één woord op elke "
           "regel, hoogstens 500 woorden.";
}

std::string list_file_unwritable(std::string_view file)
{
    return "De lijst kan niet worden opgeslagen als " + quoted_text(file) +
           ". Kies een andere map of een andere naam; de lijst zelf blijft staan.";
}

std::string list_replace_question(std::string_view file)
{
    return "De lijst in het vak wordt vervangen door de lijst uit " + quoted_text(file) +
           ". Wat er nu in het vak staat, gaat dan verloren.";
}

} // namespace klankflits
