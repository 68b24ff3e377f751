#pragma once

namespace klankflits
{

// Says once on stderr, in Dutch and English, that Qt found no font at all:
// every text would then show as boxes. Needs the application object.
void warn_without_fonts();

} // namespace klankflits
