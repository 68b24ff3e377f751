// Writes what the site's build takes from the core to standard output: the
// windows' description (description/windows_json.h), or with the argument
// `pause.svg` the pause picture as an SVG document of its size in the window.
// The site's build runs this under Node.

#include "description/windows_json.h"
#include "program/pause_picture.h"

#include <cstdio>
#include <string_view>

int main(int argc, char* argv[])
{
    using namespace klankflits;
    std::string out;
    if (argc == 1) {
        out = windows_json() + '\n';
    } else if (argc == 2 && std::string_view(argv[1]) == "pause.svg") {
        out = pause_picture_svg(pause_picture_size.width, pause_picture_size.height);
    } else {
        std::fputs("usage: describe_windows [pause.svg]\n", stderr);
        return 2;
    }
    return std::fputs(out.c_str(), stdout) < 0 ? 1 : 0;
}
