#include "gui/key_presses.h"

#include <QKeyEvent>
#include <QKeySequence>
#include <QShortcut>
#include <QWidget>

namespace klankflits
{

ExerciseKey exercise_key_of(const QKeyEvent& event)
{
    // The media keys by the name the web gives the one key that has both.
    const int key = event.key();
    const bool media_play_pause = key == Qt::Key_MediaTogglePlayPause || key == Qt::Key_MediaPlay ||
                                  key == Qt::Key_MediaPause;
    const QString typed = media_play_pause ? QStringLiteral("MediaPlayPause")
                                           : QKeySequence(key).toString(QKeySequence::PortableText);
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
