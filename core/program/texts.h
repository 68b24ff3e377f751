#pragma once

#include <string>
#include <string_view>

namespace klankflits
{

// The program's name where the platform shows it beside the windows' own
// captions: its menu entry, its message boxes, a page that has ended, the
// screen saver's list of who keeps the screen on.
inline constexpr std::string_view program_name = "Klankflits";

// The command that starts the program, as its messages on a terminal name it.
inline constexpr std::string_view command_name = "klankflits";

// What the user is told of a fault in the program (an overflow, a slot
// outside a table) before it ends; `what` names the fault.
std::string fault_message(std::string_view what);

// The name of a fault that does not say what it is.
inline constexpr std::string_view unknown_fault = "onbekende fout";

// A message on a terminal: the Dutch text, then the English, each led by the
// command's name and ended by a line break. Where either runs over several
// lines, an empty line parts the two.
std::string two_language_message(std::string_view dutch, std::string_view english);

// Where a refused command line points to.
inline constexpr std::string_view see_help_dutch = "Zie klankflits --help.";
inline constexpr std::string_view see_help_english = "See klankflits --help.";

// The button of the exercise that switches to full screen, and its caption
// while the exercise is full screen.
inline constexpr std::string_view full_screen_caption = "Volledig scherm";
inline constexpr std::string_view full_screen_leave_caption = "Scherm terug";

// The pause: a touch screen's button to take it and, while paused, to go on;
// the sign in the syllable's place while paused (the desktop shows it too).
inline constexpr std::string_view pause_caption = "Pauze";
inline constexpr std::string_view resume_caption = "Verder";
inline constexpr std::string_view paused_sign = "Pauze";

// The teacher's list as a plain text file: the file dialogs' titles and
// filter, and what the user is told when a file cannot be read or written
// (`file` is its name as the user sees it).
inline constexpr std::string_view open_list_title = "Lijst openen";
inline constexpr std::string_view save_list_title = "Lijst opslaan als";
inline constexpr std::string_view list_file_filter = "Tekstbestanden (*.txt);;Alle bestanden (*)";
std::string list_file_unreadable(std::string_view file);
std::string list_file_too_large(std::string_view file);
std::string list_file_unwritable(std::string_view file);
// Asked before a file's list takes the place of one typed in the box.
std::string list_replace_question(std::string_view file);
inline constexpr std::string_view list_replace = "Vervangen";
inline constexpr std::string_view list_keep = "Niet vervangen";
// The page's list file ("Openen…" or dropped on the settings view; a file it
// cannot read gets list_file_unreadable) and its "Link kopiëren": that the
// link is on the clipboard, or, where the browser refuses the clipboard, how
// to copy it from the field that shows it.
inline constexpr std::string_view list_file_not_text =
    "Alleen een tekstbestand (.txt) kan als lijst worden geopend.";
inline constexpr std::string_view link_copied = "Link gekopieerd";
inline constexpr std::string_view link_copy_by_hand =
    "De browser staat kopiëren niet toe. Kopieer de link hieronder met Ctrl+C.";

} // namespace klankflits
