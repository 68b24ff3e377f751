#pragma once

#include <QPushButton>

namespace klankflits
{

// A push button whose caption keeps its exact text but is drawn on two lines:
// the first word, then the rest. Qt's push buttons never wrap by themselves.
class TwoLineButton : public QPushButton
{
    Q_OBJECT

public:
    using QPushButton::QPushButton;

    // The two lines as drawn.
    QString displayed_lines() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace klankflits
