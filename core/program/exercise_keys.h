#pragma once

// What a key does in frm_werk beyond the window's own keys (Tab, Space, the
// access keys, full screen): both shells hand in the character a key gives.

#include <string_view>

namespace klankflits
{

enum class ExerciseKey { none, letter_size_larger, letter_size_smaller, letters, pause };

// `typed`: the character the key gives ("+", "=", "-", "p"; the keypad's
// alike, letters in either case), or the media Play/Pause key's name,
// "MediaPlayPause".
// With Alt or the Meta/Command key held it is the system's, not the
// exercise's. Ctrl does not count: Ctrl with + and - would zoom a page.
ExerciseKey exercise_key(std::string_view typed, bool alt_or_meta);

} // namespace klankflits
