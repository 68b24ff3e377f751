#include "gui/list_file.h"

#include "material/text_file.h"
#include "program/texts.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace klankflits
{

namespace
{

// The file's name as the user chose it, for the messages.
std::string shown_name(const QString& path)
{
    return QFileInfo(path).fileName().toStdString();
}

} // namespace

ListFileReading read_list_file(const QString& path)
{
    QFile file(path);
    if (QFileInfo(path).isDir() || !file.open(QIODevice::ReadOnly))
        return {{}, QString::fromStdString(list_file_unreadable(shown_name(path)))};
    const QByteArray bytes = file.read(list_file_most_bytes + 1);
    if (bytes.size() > list_file_most_bytes)
        return {{}, QString::fromStdString(list_file_too_large(shown_name(path)))};
    if (file.error() != QFileDevice::NoError)
        return {{}, QString::fromStdString(list_file_unreadable(shown_name(path)))};
    QString text =
        QString::fromStdString(decode_text_file({bytes.constData(), std::size_t(bytes.size())}));
    // Windows' line ends, as the list is written there, read as the box's own.
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    return {text, {}};
}

QString write_list_file(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text) || file.write(text.toUtf8()) < 0 ||
        !file.commit())
        return QString::fromStdString(list_file_unwritable(shown_name(path)));
    return {};
}

QString with_txt_suffix(const QString& path)
{
    if (!QFileInfo(path).suffix().isEmpty())
        return path;
    return path + QStringLiteral(".txt");
}

} // namespace klankflits
