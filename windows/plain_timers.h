#pragma once

#include "exercise_timers.h"

#include <QObject>

class QTimer;

namespace klankflits
{

// Timer1 and Timer2 as two plain precise QTimers: Timer1 fires every 10 ms and
// each firing is one tick, so any late or lost firing shows as drift of the
// pace. Kept to compare the paced source against.
class PlainTimers : public QObject, public ExerciseTimers
{
    Q_OBJECT

public:
    explicit PlainTimers(Engine engine, QObject* parent = nullptr);

    std::int32_t timer1_interval() const override;
    void enable_timer1() override;
    void disable_timer1() override;
    void set_timer2_interval(std::int32_t ms) override;
    void enable_timer2() override;
    void disable_timer2() override;
    bool timer1_enabled() const override;
    bool timer2_enabled() const override;
    std::int32_t timer2_interval() const override;
    void start() override;

private:
    QTimer* timer1_;
    QTimer* timer2_;
};

} // namespace klankflits
