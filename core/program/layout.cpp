#include "program/layout.h"

#include <algorithm>

namespace klankflits
{

Fit fit_and_centre(TwipsSize layout, double client_width, double client_height)
{
    const double width = pixels(layout.width);
    const double height = pixels(layout.height);
    const double factor = std::min(client_width / width, client_height / height);
    return {factor, (client_width - width * factor) / 2, (client_height - height * factor) / 2};
}

} // namespace klankflits
