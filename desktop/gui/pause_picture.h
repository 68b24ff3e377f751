#pragma once

#include <QPixmap>
#include <QTimer>
#include <QWidget>

namespace klankflits
{

// Picture1: the pause picture drawn at the size it is shown, sharp at every
// size. It keeps the place it has in its box at the window's own size: the
// top left, as large against the box as there.
class PausePicture : public QWidget
{
    Q_OBJECT

public:
    explicit PausePicture(QWidget* parent);

    // Draws the picture for its box a moment after the box last changed
    // (once for a burst of changes), so that showing it costs no drawing.
    void draw_ahead();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    // Draws it for the box as it is now, unless it is drawn for that already.
    void draw();

    QPixmap drawn_;
    QTimer ahead_;
};

} // namespace klankflits
