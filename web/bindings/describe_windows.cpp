// Writes the windows' description (description/windows_json.h) to standard
// output: the site's build runs this under Node and bundles what it writes.

#include "description/windows_json.h"

#include <cstdio>

int main()
{
    const std::string json = klankflits::windows_json();
    return std::fputs(json.c_str(), stdout) < 0 || std::fputc('\n', stdout) < 0 ? 1 : 0;
}
