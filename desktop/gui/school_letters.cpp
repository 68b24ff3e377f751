#include "gui/school_letters.h"

#include "program/letters.h"

#include <QDir>
#include <QFontDatabase>
#include <QString>

namespace klankflits
{

bool register_school_letters(const QString& program_dir)
{
    const FontDescription& font = syllable_font(Letters::school);
    const QString family = QString::fromUtf8(font.families.front().data(),
                                             static_cast<qsizetype>(font.families.front().size()));
    // The copy beside the program first, where there is one: the letters are
    // then the same on every machine.
    const QDir fonts(program_dir + QStringLiteral("/fonts"));
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files))
        QFontDatabase::addApplicationFont(fonts.filePath(file));
    return QFontDatabase::hasFamily(family);
}

} // namespace klankflits
