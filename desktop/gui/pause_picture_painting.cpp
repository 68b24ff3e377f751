#include "gui/pause_picture_painting.h"

#include "program/pause_picture.h"

#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace klankflits
{

namespace
{

template <std::size_t N>
void set_stops(QRadialGradient& gradient, const std::array<GradientStop, N>& stops)
{
    for (const GradientStop& stop : stops)
        gradient.setColorAt(stop.offset, QColor(QRgb(stop.colour)));
}

QPointF point(FacePoint p)
{
    return {p.x, p.y};
}

} // namespace

void paint_face(QPainter& painter, QPointF centre, double outer_radius)
{
    const PausePictureDescription& picture = pause_picture_description();
    const FaceScale scale = face_scale(outer_radius);
    const double r = scale.unit;
    const QColor ink(QRgb(picture.ink));

    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(centre);

    QRadialGradient fill(point(picture.highlight) * r, picture.highlight_radius * r);
    set_stops(fill, picture.fill);
    painter.setBrush(fill);
    painter.setPen(QPen(ink, scale.outline));
    painter.drawEllipse(QPointF(0, 0), r, r);

    painter.setPen(Qt::NoPen);
    painter.setBrush(ink);
    for (const FaceEllipse& eye : picture.eyes)
        painter.drawEllipse(point(eye.centre) * r, eye.rx * r, eye.ry * r);

    // The smile is drawn in face units, so its pen is scaled back.
    painter.scale(r, r);
    painter.setPen(QPen(ink, scale.mouth / r, Qt::SolidLine, Qt::RoundCap));
    painter.setBrush(Qt::NoBrush);
    QPainterPath smile(point(picture.mouth_from));
    smile.quadTo(point(picture.mouth_bend), point(picture.mouth_to));
    painter.drawPath(smile);
    painter.restore();
}

void paint_pause_picture(QPainter& painter, const QRectF& target)
{
    const PausePictureDescription& picture = pause_picture_description();
    const double width = picture.size.width;
    const double height = picture.size.height;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / width, target.height() / height);
    const QPointF centre(width / 2, height / 2);
    QRadialGradient ground(centre, std::hypot(width / 2, height / 2));
    set_stops(ground, picture.ground);
    painter.fillRect(QRectF(0, 0, width, height), ground);
    paint_face(painter, centre, picture.face_radius);
    painter.restore();
}

} // namespace klankflits
