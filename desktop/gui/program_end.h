#pragma once

#include <functional>

namespace klankflits
{

// What an end button (or closing a window by its frame) does: end the program
// at once. The program leaves every running event loop; tests pass a recorder.
using EndProgram = std::function<void()>;

EndProgram end_program_at_once();

} // namespace klankflits
