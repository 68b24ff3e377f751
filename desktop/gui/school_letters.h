#pragma once

class QString;

namespace klankflits
{

// Makes the school letters' face known to the program. On Linux the system
// has it (the package depends on it); the Windows program carries the font
// file in fonts/ beside itself and registers it for itself alone, so nothing
// is installed on the machine. True if the face can be drawn.
bool register_school_letters(const QString& program_dir);

} // namespace klankflits
