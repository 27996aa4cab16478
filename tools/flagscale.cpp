// Build-time tool: scales the flag pictures named in the flag map down to the size the logging window shows.
// Usage: qvmd_flagscale <flag-map.tsv> <source folder> <output folder>
// Map lines are "<country number><TAB><picture name>"; "#" starts a comment. A listed picture missing from
// the source folder is skipped with a warning (the program then shows its logo instead of the flag).

#include <QDir>
#include <QFile>
#include <QImage>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

constexpr int Width = 60;
constexpr int Height = 40;

// The source pictures sit on a transparent margin with a soft shadow; only the opaque flag is kept.
QRect opaqueArea(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) < 192)
                continue;
            left = std::min(left, x);
            right = std::max(right, x);
            top = std::min(top, y);
            bottom = std::max(bottom, y);
        }
    }
    return right < 0 ? image.rect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

bool scaleOne(const QString& source, const QString& target) {
    QImage image(source);
    if (image.isNull()) {
        std::fprintf(stderr, "flagscale: cannot read %s\n", qPrintable(source));
        return false;
    }
    image = image.convertToFormat(QImage::Format_ARGB32);
    const QImage small =
        image.copy(opaqueArea(image)).scaled(Width, Height, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    // Written whole or not at all, so an interrupted build never leaves a broken picture behind.
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || !small.save(&out, "PNG") || !out.commit()) {
        std::fprintf(stderr, "flagscale: cannot write %s: %s\n", qPrintable(target),
                     qPrintable(out.errorString()));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s <flag-map.tsv> <source folder> <output folder>\n", argv[0]);
        return 2;
    }
    const QString mapPath = QString::fromLocal8Bit(argv[1]);
    const QDir sources(QString::fromLocal8Bit(argv[2]));
    const QDir outputs(QString::fromLocal8Bit(argv[3]));
    QFile map(mapPath);
    if (!map.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "flagscale: cannot read %s: %s\n", argv[1], qPrintable(map.errorString()));
        return 1;
    }
    if (!QDir().mkpath(outputs.path())) {
        std::fprintf(stderr, "flagscale: cannot create %s\n", argv[3]);
        return 1;
    }
    QTextStream in(&map);
    int written = 0;
    bool ok = true;
    while (!in.atEnd()) {
        const QString line = in.readLine().section(QLatin1Char('#'), 0, 0);
        const QStringList fields = line.split(QLatin1Char('\t'), Qt::SkipEmptyParts);
        if (fields.size() < 2)
            continue;
        bool isNumber = false;
        const int number = fields[0].trimmed().toInt(&isNumber);
        if (!isNumber || number <= 0)
            continue;
        const QString source = sources.filePath(fields[1].trimmed() + QStringLiteral(".png"));
        if (!QFile::exists(source)) {
            std::fprintf(stderr, "flagscale: warning: %s not found, country %d has no flag\n",
                         qPrintable(source), number);
            continue;
        }
        if (!scaleOne(source, outputs.filePath(QString::number(number) + QStringLiteral(".png"))))
            ok = false;
        else
            ++written;
    }
    std::printf("flagscale: %d flags written to %s\n", written, argv[3]);
    return ok ? 0 : 1;
}
