// Draws the program's icon from the core's smiley
// (core/program/pause_picture.h): in the hicolor sizes plus a scalable SVG (packaging/icons/) and
// the Windows icon file with the sizes Windows uses (packaging/windows/klankflits.ico). The outputs
// are committed, so a normal build never runs this; rerun it after changing the drawing:
//
//   cmake -B build-tools -DKLANKFLITS_BUILD_TOOLS=ON
//   cmake --build build-tools --target klankflits_draw_pictures
//
// or by hand: draw_pause_picture <icons-dir> <windows-dir>

#include "gui/pause_picture_painting.h"
#include "program/pause_picture.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>

#include <array>
#include <cstdio>
#include <vector>

namespace
{

using namespace klankflits;

// A hair of margin so the antialiased outline is never cut off.
double icon_margin(int size)
{
    return size <= 24 ? 0.0 : size / 32.0;
}

QImage draw_icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    paint_face(p, QPointF(size / 2.0, size / 2.0), size / 2.0 - icon_margin(size));
    p.end();
    return image;
}

bool write_png(const QImage& image, QIODevice* device, const QString& name)
{
    QImageWriter writer(device, "png");
    writer.setQuality(0);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}

bool write_png(const QImage& image, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return write_png(image, &file, path);
}

// A Windows .ico file holding each image as PNG data, which Windows reads
// since Vista: a directory of the images, then the images.
bool write_ico(const std::vector<QImage>& images, const QString& path)
{
    std::vector<QByteArray> pngs;
    for (const QImage& image : images) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        if (!write_png(image, &buffer, path))
            return false;
        pngs.push_back(buffer.data());
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    QDataStream out(&file);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint16(0) << quint16(1) << quint16(images.size()); // an icon file, its count
    quint32 offset = 6 + 16 * quint32(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        // Width and height in a byte each; 0 stands for 256.
        out << quint8(images[i].width() & 0xff) << quint8(images[i].height() & 0xff) << quint8(0)
            << quint8(0) << quint16(1) << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& png : pngs)
        out.writeRawData(png.constData(), int(png.size()));
    if (out.status() != QDataStream::Ok || !file.flush()) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

bool write_text(const QString& text, const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(file.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: %s <icons-dir> <windows-dir>\n", argv[0]);
        return 2;
    }
    const QDir icons(args[1]);
    const QDir windows(args[2]);

    bool ok = true;
    constexpr std::array sizes{16, 22, 24, 32, 48, 64, 128, 256};
    for (int size : sizes) {
        const QString dir = QStringLiteral("%1x%1").arg(size);
        ok = icons.mkpath(dir) && ok;
        ok = write_png(draw_icon(size), icons.filePath(dir + QStringLiteral("/klankflits.png"))) &&
             ok;
    }
    ok = icons.mkpath(QStringLiteral("scalable")) && ok;
    ok = write_text(QString::fromStdString(face_svg(256, icon_margin(256))),
                    icons.filePath(QStringLiteral("scalable/klankflits.svg"))) &&
         ok;

    std::vector<QImage> windows_sizes;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        windows_sizes.push_back(draw_icon(size));
    ok = windows.mkpath(QStringLiteral(".")) &&
         write_ico(windows_sizes, windows.filePath(QStringLiteral("klankflits.ico"))) && ok;
    return ok ? 0 : 1;
}
