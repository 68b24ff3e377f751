#include "engine/exercise_state.h"
#include "gui/application.h"
#include "gui/qt_messages.h"
#include "gui/settings_window.h"

#include <exception>

int main(int argc, char** argv)
{
    klankflits::QtMessages qt_messages;
    klankflits::Application app(argc, argv);
    qt_messages.started();
    try {
        klankflits::Module1 module;
        klankflits::start_up(module);
    } catch (const std::exception& e) {
        app.report_fault(QString::fromLocal8Bit(e.what()));
    }
    return app.exit_status();
}
