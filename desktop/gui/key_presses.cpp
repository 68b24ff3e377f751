#include "gui/key_presses.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace klankflits
{

ExerciseKey exercise_key_of(const QKeyEvent& event)
{
    const QString typed = QKeySequence(event.key()).toString(QKeySequence::PortableText);
    const bool alt_or_meta = event.modifiers() & (Qt::AltModifier | Qt::MetaModifier);
    return exercise_key(typed.toStdString(), alt_or_meta);
}

void add_full_screen_keys(QWidget* window, std::function<void()> toggle)
{
    auto* full_screen = new QShortcut(window);
    QList<QKeySequence> keys = QKeySequence::keyBindings(QKeySequence::FullScreen);
    keys.removeAll(QKeySequence(Qt::Key_F11));
    keys.prepend(QKeySequence(Qt::Key_F11));
    full_screen->setKeys(keys);
    QObject::connect(full_screen, &QShortcut::activated, window, std::move(toggle));
}

} // namespace klankflits
