#pragma once

// The two windows as the page reads them: the core's description of both
// windows, the twips rule, the syllable's font and the program's name, as one
// JSON document. The site is built with it, so that the page and its tests
// draw the windows from the core's own tables.

#include <string>
#include <string_view>

namespace klankflits
{

// `text` as a JSON string, quotes included.
std::string json_string(std::string_view text);

// The whole document, one object (see windows_json.cpp for its keys).
std::string windows_json();

} // namespace klankflits
