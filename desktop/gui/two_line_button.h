#pragma once

#include <QPushButton>

namespace klankflits
{

// A push button whose caption keeps its exact text but is drawn on the two
// lines given (the core's caption_lines). Qt's push buttons never wrap by
// themselves.
class TwoLineButton : public QPushButton
{
    Q_OBJECT

public:
    TwoLineButton(const QString& caption, const QString& first_line, const QString& second_line,
                  QWidget* parent);

    // The two lines as drawn.
    QString displayed_lines() const { return lines_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString lines_;
};

} // namespace klankflits
