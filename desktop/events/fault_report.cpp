#include "events/fault_report.h"

#include "program/texts.h"

#include <QCoreApplication>

namespace klankflits
{

void report_fault(const QString& what)
{
    if (auto* report = dynamic_cast<FaultReport*>(QCoreApplication::instance())) {
        report->report_fault(what);
        return;
    }
    qFatal("%s", fault_message(what.toStdString()).c_str());
}

} // namespace klankflits
