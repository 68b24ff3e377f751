#pragma once

#include <string>
#include <string_view>

namespace klankflits
{

// The program's name where the platform shows it beside the windows' own
// captions: its menu entry, its message boxes, a page that has ended.
inline constexpr std::string_view program_name = "Klankflits";

// What the user is told of a fault in the program (an overflow, a slot
// outside a table) before it ends; `what` names the fault.
std::string fault_message(std::string_view what);

// The name of a fault that does not say what it is.
inline constexpr std::string_view unknown_fault = "onbekende fout";

} // namespace klankflits
