#pragma once

// The own list carried in a link's fragment, "#lijst=kat,maan,de%20kat", so
// that no server ever sees it: the value after "lijst=" is percent-encoded
// UTF-8, its items separated by commas.

#include "material/own_list.h"

#include <span>
#include <string>
#include <string_view>

namespace klankflits
{

inline constexpr std::string_view list_link_name = "lijst";

// The value percent-decoded ("+" is a blank, as in a form; a "%" without two
// hex digits is itself) and read as read_own_list reads a box.
OwnList own_list_from_link(std::string_view value);

// The value that carries `items`: each percent-encoded but for ASCII letters,
// digits and "-._~", joined by commas.
std::string list_link_value(std::span<const std::string> items);

} // namespace klankflits
