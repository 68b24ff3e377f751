#include "gui/pause_picture.h"

#include "gui/pause_picture_painting.h"
#include "gui/twips.h"
#include "program/windows.h"

#include <QPainter>

#include <chrono>

namespace klankflits
{

PausePicture::PausePicture(QWidget* parent) : QWidget(parent)
{
    ahead_.setSingleShot(true);
    ahead_.setInterval(std::chrono::milliseconds(100));
    connect(&ahead_, &QTimer::timeout, this, &PausePicture::draw);
}

void PausePicture::draw_ahead()
{
    ahead_.start();
}

void PausePicture::draw()
{
    const double ratio = devicePixelRatioF();
    const QSize pixels = size() * ratio;
    if (drawn_.size() == pixels && drawn_.devicePixelRatio() == ratio)
        return;
    const QSize box = pixel_rect(exercise_window().control("Picture1").place).size();
    const QRectF target(0, 0, width() * pause_picture_size.width / double(box.width()),
                        height() * pause_picture_size.height / double(box.height()));
    drawn_ = QPixmap(pixels);
    drawn_.setDevicePixelRatio(ratio);
    drawn_.fill(Qt::transparent);
    QPainter painter(&drawn_);
    paint_pause_picture(painter, target);
}

void PausePicture::paintEvent(QPaintEvent*)
{
    draw();
    QPainter(this).drawPixmap(0, 0, drawn_);
}

} // namespace klankflits
