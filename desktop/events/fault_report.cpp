#include "events/fault_report.h"

#include <QCoreApplication>

namespace klankflits
{

void report_fault(const QString& what)
{
    if (auto* report = dynamic_cast<FaultReport*>(QCoreApplication::instance())) {
        report->report_fault(what);
        return;
    }
    qFatal("Er ging iets mis in het programma: %s", qPrintable(what));
}

} // namespace klankflits
