#pragma once

#include <QLabel>
#include <QPushButton>
#include <QRect>
#include <QString>

namespace klankflits
{

// The windows place each control at a fixed position, under the name the rest
// of the program (and its tests) know it by.
template <typename Control>
Control* place(Control* control, const char* name, const QRect& geometry)
{
    control->setObjectName(QString::fromLatin1(name));
    control->setGeometry(geometry);
    return control;
}

inline QLabel* make_label(QWidget* parent, const char* name, const QString& text,
                          const QRect& geometry)
{
    return place(new QLabel(text, parent), name, geometry);
}

template <typename Button = QPushButton>
Button* make_button(QWidget* parent, const char* name, const QString& text, const QRect& geometry)
{
    auto* button = place(new Button(text, parent), name, geometry);
    // No default button: Enter must never press one.
    button->setAutoDefault(false);
    button->setDefault(false);
    return button;
}

} // namespace klankflits
