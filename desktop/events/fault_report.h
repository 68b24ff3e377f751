#pragma once

#include "program/session.h"

#include <QString>

#include <utility>

namespace klankflits
{

// The program's one report of a fault: an exception out of the engine (an
// overflow, a slot outside a table) is a fault in the program, never something
// a user can cause. The application object makes the report
// (gui/application.h): it tells the user and ends the program.
class FaultReport
{
public:
    virtual void report_fault(const QString& what) = 0;

protected:
    ~FaultReport() = default;
};

// Hands a fault to the application object's report. Under an application
// object that makes none (a plain QCoreApplication), the process ends with
// the same words on stderr.
void report_fault(const QString& what);

// Runs `entry`, a call from Qt into the program's own code (a tick source's
// wake-up, a speed button, Start), and hands any exception it raises to the
// fault report right where it happens: it never unwinds through Qt's event
// dispatch, which is not written to survive one. Returns whether the entry ran
// to its end.
template <typename Entry> bool run_guarded(Entry&& entry) noexcept
{
    const auto fault = fault_of(std::forward<Entry>(entry));
    if (fault)
        report_fault(QString::fromStdString(*fault));
    return !fault;
}

} // namespace klankflits
