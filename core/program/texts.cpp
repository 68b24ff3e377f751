#include "program/texts.h"

namespace klankflits
{

std::string fault_message(std::string_view what)
{
    return "Er ging iets mis in het programma: " + std::string(what) +
           "\n\nHet programma stopt nu.";
}

} // namespace klankflits
