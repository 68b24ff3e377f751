#pragma once

#include <QApplication>

namespace klankflits
{

// The program's QApplication. An exception that escapes a handler is a fault
// in the program: it is reported to the user in a message that names it, and
// the program then ends with a non-zero exit status.
class Application : public QApplication
{
    Q_OBJECT

public:
    Application(int& argc, char** argv);

    // The program's name where the desktop shows it: its menu entry, its
    // messages. The windows' titles are their captions alone.
    static QString program_name() { return QStringLiteral("Klankflits"); }

    bool notify(QObject* receiver, QEvent* event) override;

    // Reports a fault and makes the program end; the exit status becomes 1.
    void report_fault(const QString& what);

    int exit_status() const { return exit_status_; }

private:
    bool failing_ = false;
    int exit_status_ = 0;
};

} // namespace klankflits
