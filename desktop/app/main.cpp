#include "engine/exercise_state.h"
#include "events/fault_report.h"
#include "gui/application.h"
#include "gui/command_line.h"
#include "gui/font_check.h"
#include "gui/qt_messages.h"
#include "gui/settings_window.h"

#include <optional>

int main(int argc, char** argv)
{
    klankflits::answer_help_and_version(argc, argv);
    klankflits::QtMessages qt_messages;
    klankflits::Application app(argc, argv);
    qt_messages.started();
    const std::optional<klankflits::CommandLine> command_line = klankflits::read_command_line(app);
    if (!command_line)
        return klankflits::refused_command_line_status;
    klankflits::warn_without_fonts();
    klankflits::run_guarded([&] {
        klankflits::Module1 module;
        klankflits::start_up(module, klankflits::end_program_at_once(), command_line->opening,
                             command_line->letter_size);
    });
    return app.exit_status();
}
