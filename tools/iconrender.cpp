// Build-time tool: renders the program's icon from its SVG into the PNG sizes of the hicolor icon theme.
// Usage: qvmd_iconrender <picture.svg> <output folder> <icon name> <size>...
// Each size N is written to <output folder>/NxN/apps/<icon name>.png.

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <picture.svg> <output folder> <icon name> <size>...\n", argv[0]);
        return 2;
    }
    QSvgRenderer renderer(QString::fromLocal8Bit(argv[1]));
    if (!renderer.isValid()) {
        std::fprintf(stderr, "iconrender: cannot read %s\n", argv[1]);
        return 1;
    }
    const QDir out(QString::fromLocal8Bit(argv[2]));
    const QString name = QString::fromLocal8Bit(argv[3]);
    for (int i = 4; i < argc; ++i) {
        const int size = QByteArray(argv[i]).toInt();
        if (size <= 0) {
            std::fprintf(stderr, "iconrender: not a size: %s\n", argv[i]);
            return 2;
        }
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(0, 0, size, size));
        }
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        out.mkpath(folder);
        const QString target = out.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
        // Written whole or not at all, so an interrupted build never leaves a broken icon behind.
        QSaveFile file(target);
        if (!file.open(QIODevice::WriteOnly) || !image.save(&file, "PNG") || !file.commit()) {
            std::fprintf(stderr, "iconrender: cannot write %s: %s\n", qPrintable(target),
                         qPrintable(file.errorString()));
            return 1;
        }
    }
    return 0;
}
