#pragma once

// A teacher's list as a plain text file, apart from the dialogs that name it:
// read as the schools' editors save it, written as UTF-8.

#include <QString>

namespace klankflits
{

// The most a list file may hold: 500 items of 30 characters, in any of the
// encodings read, with room to spare.
inline constexpr qint64 list_file_most_bytes = 1024 * 1024;

struct ListFileReading {
    QString text;    // the file's text (decode_text_file), its lines ended by "\n"
    QString message; // in Dutch, why it could not be read; empty when read
    bool ok() const { return message.isEmpty(); }
};

ListFileReading read_list_file(const QString& path);

// Writes `text` as UTF-8 without a byte order mark, with the platform's line
// ends; the message says why it could not be written, empty when written.
// Nothing is left half written.
QString write_list_file(const QString& path, const QString& text);

// `path` with ".txt" added when its file name has no suffix.
QString with_txt_suffix(const QString& path);

} // namespace klankflits
