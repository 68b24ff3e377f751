#pragma once

#include "gui/opening.h"

class QCoreApplication;

namespace klankflits
{

// The program's options. Without any it starts as always.
struct CommandLine {
    Opening opening = Opening::at_its_size;
};

// Answers --help and --version and ends the program; they need no screen, so
// this runs before the application object exists. Qt's own options
// (-platform, -style, ...) are left for the application object to take.
void answer_help_and_version(int argc, char** argv);

// Reads what is left once the application object has taken Qt's own options;
// an option the program does not know ends it with a message and status 1.
CommandLine read_command_line(const QCoreApplication& app);

} // namespace klankflits
