#pragma once

#include "engine/quoted_text.h"
#include "program/texts.h"

#include <QString>

#include <cstdio>

namespace klankflits
{

// The core's two-language message (two_language_message) for Qt's strings.
inline QString two_languages(const QString& dutch, const QString& english)
{
    return QString::fromStdString(two_language_message(dutch.toStdString(), english.toStdString()));
}

// What the user gave, quoted for a terminal (quoted_text_visibly).
inline QString quoted_on_terminal(const QString& given)
{
    return QString::fromStdString(quoted_text_visibly(given.toStdString()));
}

// A message about a command line that is refused, pointing to its help.
inline QString refusal(const QString& dutch, const QString& english)
{
    return two_languages(
        dutch + u' ' + QString::fromUtf8(see_help_dutch.data(), see_help_dutch.size()),
        english + u' ' + QString::fromUtf8(see_help_english.data(), see_help_english.size()));
}

// A refusal about `subject`, quoted for a terminal where %1 stands in the
// Dutch and the English.
inline QString refusal_about(const char* dutch, const char* english, const QString& subject)
{
    const QString shown = quoted_on_terminal(subject);
    return refusal(QString::fromUtf8(dutch).arg(shown), QString::fromUtf8(english).arg(shown));
}

// Writes `text` on stderr in the terminal's encoding.
inline void write_on_stderr(const QString& text)
{
    std::fputs(text.toLocal8Bit().constData(), stderr);
}

} // namespace klankflits
