#pragma once

#include <QPixmap>
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

    // Draws the picture for the box as it is now, so that showing it draws
    // nothing more.
    void draw_ahead();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap drawn_;
};

} // namespace klankflits
