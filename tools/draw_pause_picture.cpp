// Draws the program's smiley: the pause picture shown between series
// (core/resources/pause.jpg), the program's icon in the hicolor sizes plus a
// scalable SVG (packaging/icons/) and the Windows icon file with the sizes
// Windows uses (packaging/windows/klankflits.ico). The outputs are committed,
// so a normal build never runs this; rerun it after changing the drawing:
//
//   cmake -B build-tools -DKLANKFLITS_BUILD_TOOLS=ON
//   cmake --build build-tools --target klankflits_draw_pictures
//
// or by hand: draw_pause_picture <resources-dir> <icons-dir> <windows-dir>

#include <QBuffer>
#include <QCoreApplication>
#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageWriter>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTextStream>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <vector>

namespace
{

// The face in its own units: centre (0, 0), radius 1, y pointing down.
struct Ellipse {
    double cx, cy, rx, ry;
};
constexpr Ellipse left_eye{-0.34, -0.28, 0.115, 0.185};
constexpr Ellipse right_eye{0.34, -0.28, 0.115, 0.185};
// The smile: a quadratic curve from one corner of the mouth to the other.
constexpr double mouth_x = 0.56, mouth_y = 0.16, mouth_dip = 0.80;

// Colours shared by the raster pictures and the SVG.
constexpr QRgb face_light = 0xfff6a0;
constexpr QRgb face_mid = 0xffd829;
constexpr QRgb face_dark = 0xf2b705;
constexpr QRgb ink = 0x3b2a06;
constexpr QRgb background_centre = 0xeeeeee;
constexpr QRgb background_edge = 0x9c9c9c;

// Line widths in face units, with a floor in pixels so that the small icons
// keep a visible outline and smile.
constexpr double outline_width = 0.07;
constexpr double mouth_width = 0.10;

struct Strokes {
    double outline;
    double mouth;
};

Strokes strokes_for(double radius_px)
{
    return {std::max(outline_width * radius_px, 1.0), std::max(mouth_width * radius_px, 1.25)};
}

QPainterPath smile_path()
{
    QPainterPath path(QPointF(-mouth_x, mouth_y));
    path.quadTo(QPointF(0.0, mouth_dip), QPointF(mouth_x, mouth_y));
    return path;
}

// Paints the face centred on `centre` so that its outline's outer edge has
// radius `radius_px`.
void paint_face(QPainter& p, QPointF centre, double radius_px)
{
    const Strokes s = strokes_for(radius_px);
    // Face units -> pixels, with the outline kept inside radius_px.
    const double r = radius_px - s.outline / 2.0;

    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(centre);

    QRadialGradient fill(QPointF(-0.35 * r, -0.40 * r), 1.45 * r);
    fill.setColorAt(0.0, QColor(face_light));
    fill.setColorAt(0.45, QColor(face_mid));
    fill.setColorAt(1.0, QColor(face_dark));
    p.setBrush(fill);
    p.setPen(QPen(QColor(ink), s.outline));
    p.drawEllipse(QPointF(0, 0), r, r);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(ink));
    for (const Ellipse& e : {left_eye, right_eye})
        p.drawEllipse(QPointF(e.cx * r, e.cy * r), e.rx * r, e.ry * r);

    // The smile is drawn in face units, so its pen is scaled back.
    p.scale(r, r);
    p.setPen(QPen(QColor(ink), s.mouth / r, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(smile_path());
    p.restore();
}

QImage draw_pause_picture()
{
    constexpr int width = 150, height = 112;
    QImage image(width, height, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF centre(width / 2.0, height / 2.0);
    QRadialGradient ground(centre, std::hypot(width / 2.0, height / 2.0));
    ground.setColorAt(0.0, QColor(background_centre));
    ground.setColorAt(0.3, QColor(background_centre));
    ground.setColorAt(1.0, QColor(background_edge));
    p.fillRect(image.rect(), ground);
    paint_face(p, centre, 41.0);
    p.end();
    return image;
}

QImage draw_icon(int size)
{
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    // A hair of margin so the antialiased outline is never cut off.
    const double margin = size <= 24 ? 0.0 : size / 32.0;
    paint_face(p, QPointF(size / 2.0, size / 2.0), size / 2.0 - margin);
    p.end();
    return image;
}

QString hex(QRgb rgb)
{
    return QStringLiteral("#%1").arg(rgb & 0xffffff, 6, 16, QLatin1Char('0'));
}

// The same drawing as paint_face, as a 256 x 256 SVG.
QString icon_svg()
{
    constexpr double size = 256.0, margin = size / 32.0, radius = size / 2.0 - margin;
    const Strokes s = strokes_for(radius);
    const double r = radius - s.outline / 2.0, c = size / 2.0;
    auto x = [&](double u) { return QString::number(c + u * r, 'f', 2); };
    auto len = [&](double u) { return QString::number(u * r, 'f', 2); };

    QString svg;
    QTextStream out(&svg);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\""
           " viewBox=\"0 0 256 256\">\n"
        << "  <title>Klankflits</title>\n"
        << "  <defs>\n"
        << "    <radialGradient id=\"face\" gradientUnits=\"userSpaceOnUse\" cx=\"" << x(-0.35)
        << "\" cy=\"" << x(-0.40) << "\" r=\"" << len(1.45) << "\">\n"
        << "      <stop offset=\"0\" stop-color=\"" << hex(face_light) << "\"/>\n"
        << "      <stop offset=\"0.45\" stop-color=\"" << hex(face_mid) << "\"/>\n"
        << "      <stop offset=\"1\" stop-color=\"" << hex(face_dark) << "\"/>\n"
        << "    </radialGradient>\n"
        << "  </defs>\n"
        << "  <circle cx=\"" << x(0) << "\" cy=\"" << x(0) << "\" r=\"" << len(1)
        << "\" fill=\"url(#face)\" stroke=\"" << hex(ink) << "\" stroke-width=\""
        << QString::number(s.outline, 'f', 2) << "\"/>\n";
    for (const Ellipse& e : {left_eye, right_eye})
        out << "  <ellipse cx=\"" << x(e.cx) << "\" cy=\"" << x(e.cy) << "\" rx=\"" << len(e.rx)
            << "\" ry=\"" << len(e.ry) << "\" fill=\"" << hex(ink) << "\"/>\n";
    out << "  <path d=\"M " << x(-mouth_x) << ' ' << x(mouth_y) << " Q " << x(0) << ' '
        << x(mouth_dip) << ' ' << x(mouth_x) << ' ' << x(mouth_y) << "\" fill=\"none\" stroke=\""
        << hex(ink) << "\" stroke-width=\"" << QString::number(s.mouth, 'f', 2)
        << "\" stroke-linecap=\"round\"/>\n"
        << "</svg>\n";
    return svg;
}

bool write_jpeg(const QImage& image, const QString& path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(55);
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image)) {
        std::fprintf(stderr, "%s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
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
    if (args.size() != 4) {
        std::fprintf(stderr, "usage: %s <resources-dir> <icons-dir> <windows-dir>\n", argv[0]);
        return 2;
    }
    const QDir resources(args[1]);
    const QDir icons(args[2]);
    const QDir windows(args[3]);

    bool ok = write_jpeg(draw_pause_picture(), resources.filePath(QStringLiteral("pause.jpg")));
    constexpr std::array sizes{16, 22, 24, 32, 48, 64, 128, 256};
    for (int size : sizes) {
        const QString dir = QStringLiteral("%1x%1").arg(size);
        ok = icons.mkpath(dir) && ok;
        ok = write_png(draw_icon(size), icons.filePath(dir + QStringLiteral("/klankflits.png"))) &&
             ok;
    }
    ok = icons.mkpath(QStringLiteral("scalable")) && ok;
    ok = write_text(icon_svg(), icons.filePath(QStringLiteral("scalable/klankflits.svg"))) && ok;

    std::vector<QImage> windows_sizes;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        windows_sizes.push_back(draw_icon(size));
    ok = windows.mkpath(QStringLiteral(".")) &&
         write_ico(windows_sizes, windows.filePath(QStringLiteral("klankflits.ico"))) && ok;
    return ok ? 0 : 1;
}
