#include "gui/locale_symbols.h"

#include <QLocale>

namespace klankflits
{

NumberSymbols number_symbols(const QLocale& locale)
{
    return {locale.decimalPoint().toStdString(), locale.groupSeparator().toStdString(),
            locale.negativeSign().toStdString(), locale.positiveSign().toStdString(),
            locale.zeroDigit().toStdString()};
}

} // namespace klankflits
