#include "engine/exercise_state.h"
#include "events/fault_report.h"
#include "gui/application.h"
#include "gui/command_line.h"
#include "gui/font_check.h"
#include "gui/qt_messages.h"
#include "gui/settings_window.h"
#include "gui/terminal_message.h"

#include <cstdio>
#include <variant>

int main(int argc, char** argv)
{
    // Judged before the application object, which needs a screen.
    const auto read = klankflits::read_command_line(klankflits::arguments_of(argc, argv));
    if (const auto* answer = std::get_if<klankflits::CommandLineAnswer>(&read)) {
        if (answer->status == 0)
            std::fputs(answer->text.toLocal8Bit().constData(), stdout);
        else
            klankflits::write_on_stderr(answer->text);
        return answer->status;
    }
    const auto& command_line = std::get<klankflits::CommandLine>(read);
    klankflits::QtMessages qt_messages;
    klankflits::Application app(argc, argv);
    qt_messages.started();
    klankflits::warn_without_fonts();
    klankflits::run_guarded([&] {
        klankflits::Module1 module;
        klankflits::start_up(module, klankflits::end_program_at_once(), command_line.exercise,
                             command_line.material);
    });
    return app.exit_status();
}
