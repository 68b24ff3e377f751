#pragma once

// The pause picture and the face drawn with QPainter from the core's
// description (program/pause_picture.h), at any size.

#include <QPointF>
#include <QRectF>

class QPainter;

namespace klankflits
{

// The whole picture, filling `target`.
void paint_pause_picture(QPainter& painter, const QRectF& target);

// The face alone, centred on `centre`, its outline's outer edge
// `outer_radius` pixels from it.
void paint_face(QPainter& painter, QPointF centre, double outer_radius);

} // namespace klankflits
