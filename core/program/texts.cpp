#include "program/texts.h"

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

} // namespace klankflits
