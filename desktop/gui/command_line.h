#pragma once

#include "gui/opening.h"

#include <optional>

class QCoreApplication;

namespace klankflits
{

// The program's options. Without any it starts as always.
struct CommandLine {
    Opening opening = Opening::at_its_size;
    int letter_size = 1; // of the syllable and the pause picture, 1 to 4
};

// Answers --help and --version and ends the program; they need no screen, so
// this runs before the application object exists. Qt's own options
// (-platform, -style, ...) are left for the application object to take.
void answer_help_and_version(int argc, char** argv);

// Reads what is left once the application object has taken Qt's own options;
// a wrong option, a value after an option that takes none or a stray word gets
// a message in Dutch and English on stderr and no command line.
std::optional<CommandLine> read_command_line(const QCoreApplication& app);

// The exit status after a command line that was refused.
inline constexpr int refused_command_line_status = 2;

} // namespace klankflits
