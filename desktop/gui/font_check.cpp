#include "gui/font_check.h"

#include "gui/terminal_message.h"

#include <QFontDatabase>
#include <QStringList>

namespace klankflits
{

namespace
{

// Qt lists fontconfig's three generic names even when no font stands behind
// them; a font of any other name is a real one.
bool some_font()
{
    const QStringList generic{QStringLiteral("Monospace"), QStringLiteral("Sans Serif"),
                              QStringLiteral("Serif")};
    const QStringList families = QFontDatabase::families();
    for (const QString& family : families)
        if (!generic.contains(family))
            return true;
    return false;
}

} // namespace

void warn_without_fonts()
{
    if (some_font())
        return;
    write_on_stderr(two_languages(
        QStringLiteral("er is geen enkel lettertype gevonden, dus alle tekst verschijnt als "
                       "hokjes. Installeer een lettertype, bijvoorbeeld het Debian-pakket "
                       "fonts-dejavu-core."),
        QStringLiteral("no font was found, so every text shows as boxes. Install a font, e.g. "
                       "the Debian package fonts-dejavu-core.")));
}

} // namespace klankflits
