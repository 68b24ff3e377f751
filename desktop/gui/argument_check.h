#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace klankflits
{

// The program's own options as the command line reader knows them.
struct KnownOptions {
    QStringList short_names; // one letter each: "f"
    QStringList long_names;  // "volledig-scherm"
    // Those long names that take a value, given after "=" or as the next
    // argument: "lettergrootte".
    QStringList valued_long_names;
};

// An option as given: one of its names, without dashes, and its value.
struct GivenOption {
    QString name;
    QString value;
};

// The program's options in the order given, or what is wrong with them.
struct ArgumentReading {
    QList<GivenOption> given;
    QString fault; // for the user, in Dutch and English; empty when all is right
};

// Reads `arguments` (the program's name first) as they reach the program,
// Qt's own options (-platform xcb, -style Fusion, -reverse, ...) among them:
// those are passed over with their values, as Qt takes them out itself. Short
// options may be run together, "--" ends the options. The first wrong
// argument (an unknown option, a value where none belongs, an option without
// its value or a stray word) ends the reading with its fault.
ArgumentReading read_arguments(const QStringList& arguments, const KnownOptions& known);

} // namespace klankflits
