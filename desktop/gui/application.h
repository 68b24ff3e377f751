#pragma once

#include "events/fault_report.h"

#include <QApplication>

namespace klankflits
{

// The program's QApplication and its fault report. A fault is reported to the
// user in a message that names it, and the program then ends with a non-zero
// exit status. Every entry from Qt into the engine hands its faults over
// itself (run_guarded); one that escapes any other handler is caught here, at
// the last place Qt allows.
class Application : public QApplication, public FaultReport
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // The program's name where the desktop shows it: its menu entry, its
    // messages. The windows' titles are their captions alone.
    static QString program_name();

    bool notify(QObject* receiver, QEvent* event) override;

    // Reports a fault and makes the program end; the exit status becomes 1.
    void report_fault(const QString& what) override;

    int exit_status() const { return exit_status_; }

private:
    bool failing_ = false;
    int exit_status_ = 0;
};

} // namespace klankflits
