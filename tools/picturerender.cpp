// Build-time tool: renders the program's SVG pictures to PNG for a build without QtSvg.
// Usage: qvmd_picturerender <source folder> <output folder> <scales> <picture.svg>...
// <scales> is a comma-separated list of whole numbers; each picture "<dir>/<id>.svg" (relative to the source
// folder) is written as "<dir>/<id>.png" at its own size and as "<dir>/<id>@<N>x.png" at N times that size.

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgRenderer>

#include <cstdio>

namespace {

QString pngName(const QString& relative, int scale) {
    const QString stem = relative.chopped(4); // without ".svg"
    return scale == 1 ? stem + QStringLiteral(".png") : QStringLiteral("%1@%2x.png").arg(stem).arg(scale);
}

bool render(QSvgRenderer& renderer, int scale, const QString& target) {
    const QSize size = renderer.defaultSize() * scale;
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter painter(&image);
        renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    }
    QDir().mkpath(QFileInfo(target).path());
    // Written whole or not at all, so an interrupted build never leaves a broken picture behind.
    QSaveFile file(target);
    if (file.open(QIODevice::WriteOnly) && image.save(&file, "PNG") && file.commit())
        return true;
    std::fprintf(stderr, "picturerender: cannot write %s: %s\n", qPrintable(target),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 5) {
        std::fprintf(stderr, "usage: %s <source folder> <output folder> <scales> <picture.svg>...\n",
                     argv[0]);
        return 2;
    }
    // Pictures with text need the fonts, and so an application; no display is needed.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QDir source(QString::fromLocal8Bit(argv[1]));
    const QDir out(QString::fromLocal8Bit(argv[2]));
    QList<int> scales;
    for (const QByteArray& word : QByteArray(argv[3]).split(',')) {
        const int scale = word.toInt();
        if (scale <= 0) {
            std::fprintf(stderr, "picturerender: not a scale: %s\n", word.constData());
            return 2;
        }
        scales.append(scale);
    }
    for (int i = 4; i < argc; ++i) {
        const QString relative = QString::fromLocal8Bit(argv[i]);
        QSvgRenderer renderer(source.filePath(relative));
        if (!renderer.isValid() || renderer.defaultSize().isEmpty()) {
            std::fprintf(stderr, "picturerender: cannot read %s\n", argv[i]);
            return 1;
        }
        for (const int scale : scales)
            if (!render(renderer, scale, out.filePath(pngName(relative, scale))))
                return 1;
    }
    return 0;
}
