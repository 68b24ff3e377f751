#pragma once

#include <QString>
#include <QStringList>

namespace klankflits
{

// The program's own options as the command line parser knows them.
struct KnownOptions {
    QStringList short_names; // one letter each: "f"
    QStringList long_names;  // "volledig-scherm"
    // Those long names that take a value, given after "=" or as the next
    // argument: "lettergrootte".
    QStringList valued_long_names;
};

// The first wrong argument of `arguments` (the program's name first, Qt's own
// options already taken out), read as QCommandLineParser reads them (short
// options may be run together, "--" ends the options): an unknown option, a
// value where none belongs, an option without its value or a stray word. Returns what to tell the
// user, in Dutch and English, or an empty string when every argument is right.
QString argument_fault(const QStringList& arguments, const KnownOptions& known);

} // namespace klankflits
