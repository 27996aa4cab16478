// Build-time tool: renders the program's icon from its SVG into the PNG sizes of the hicolor icon theme,
// or into one Windows icon file holding every size.
// Usage: qvmd_iconrender <picture.svg> <output folder> <icon name> <size>...
//        qvmd_iconrender <picture.svg> --ico <file.ico> <size>...
// Each size N is written to <output folder>/NxN/apps/<icon name>.png, or as one PNG entry of the .ico.

#include <QBuffer>
#include <QDataStream>
#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QImage renderAt(QSvgRenderer& renderer, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    renderer.render(&painter, QRectF(0, 0, size, size));
    return image;
}

bool save(const QString& target, const QByteArray& bytes) {
    // Written whole or not at all, so an interrupted build never leaves a broken icon behind.
    QSaveFile file(target);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    std::fprintf(stderr, "iconrender: cannot write %s: %s\n", qPrintable(target),
                 qPrintable(file.errorString()));
    return false;
}

QByteArray png(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// An icon directory of PNG entries (read by every Windows since Vista), sizes up to 256.
QByteArray icoFile(const QList<QImage>& images) {
    QByteArray out;
    QDataStream stream(&out, QIODevice::WriteOnly);
    stream.setByteOrder(QDataStream::LittleEndian);
    stream << quint16(0) << quint16(1) << quint16(images.size());
    QList<QByteArray> pngs;
    for (const QImage& image : images)
        pngs.append(png(image));
    quint32 offset = 6 + 16 * quint32(images.size());
    for (qsizetype i = 0; i < images.size(); ++i) {
        const int size = images[i].width();
        stream << quint8(size >= 256 ? 0 : size) << quint8(size >= 256 ? 0 : size) << quint8(0) << quint8(0)
               << quint16(1) << quint16(32) << quint32(pngs[i].size()) << offset;
        offset += quint32(pngs[i].size());
    }
    for (const QByteArray& bytes : pngs)
        stream.writeRawData(bytes.constData(), int(bytes.size()));
    return out;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: %s <picture.svg> <output folder> <icon name> <size>...\n"
                     "       %s <picture.svg> --ico <file.ico> <size>...\n",
                     argv[0], argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }
    const bool ico = QByteArray(argv[2]) == "--ico";
    QList<QImage> images;
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0 || (ico && size > 256)) {
            std::fprintf(stderr, "iconrender: not a size: %s\n", argv[i]);
            return 2;
        }
        images.append(renderAt(renderer, size));
    }
    if (ico)
        return save(QString::fromLocal8Bit(argv[3]), icoFile(images)) ? 0 : 1;

    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (const QImage& image : images) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(image.width());
        out.mkpath(folder);
        if (!save(out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png")), png(image)))
            return 1;
    }
    return 0;
}
