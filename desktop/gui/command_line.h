#pragma once

#include "gui/material_preset.h"
#include "gui/opening.h"

#include <QString>
#include <QStringList>

#include <variant>

namespace klankflits
{

// The program's options. Without any it starts as always.
struct CommandLine {
    ExerciseOpening exercise;
    MaterialPreset material; // shown preset in the settings window
};

// What the program writes instead of starting: the help or the version on
// stdout (status 0), or why the command line is refused on stderr (status
// refused_command_line_status).
struct CommandLineAnswer {
    QString text;
    int status = 0;
};

// The exit status after a command line that was refused.
inline constexpr int refused_command_line_status = 2;

// Reads the arguments (the program's name first) before the application
// object exists, so that neither an answer nor a refusal waits for a screen.
// Qt's own options are left for the application object. An option given twice
// counts as given last.
std::variant<CommandLine, CommandLineAnswer> read_command_line(const QStringList& arguments);

// The arguments as main() receives them.
QStringList arguments_of(int argc, char** argv);

} // namespace klankflits
