#pragma once

namespace klankflits
{

// How the exercise window opens: at its own size (scaled down where the screen
// is smaller), or full screen.
enum class Opening { at_its_size, full_screen };

} // namespace klankflits
