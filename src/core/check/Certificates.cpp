#include "core/check/Certificates.h"

#include "core/check/CheckReports.h"
#include "core/common/StagedFile.h"
#include "core/common/TextFile.h"
#include "core/platform/FileSystem.h"
#include "core/print/EasyPrint.h"
#include "core/print/PagedSurface.h"
#include "core/refdata/CountryTable.h"

#include <QBuffer>
#include <QDir>
#include <QImageReader>
#include <QPageSize>
#include <QPdfWriter>
#include <QSet>

#include <cmath>

namespace qvmd {
namespace {

constexpr int PdfResolution = 300;
constexpr int EmblemPixels = 800; // the longer side: sharp at the emblem's printed size

QString categoryName(const QString& category) {
    if (category == QLatin1String("L"))
        return QStringLiteral("Lady");
    if (category == QLatin1String("H"))
        return QStringLiteral("Hunter");
    return category;
}

// Only letters and digits reach a file name: a header may hold anything.
QString safeForFileName(const QString& text) {
    QString safe;
    for (const QChar c : text)
        safe += (c.isLetterOrNumber() && c.unicode() < 0x80) ? c : u'_';
    return safe.isEmpty() ? QStringLiteral("_") : safe;
}

std::uint32_t bgrOf(quint32 rgb) {
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
}

// A long name must not run over the frame or off the paper: the text gets smaller until it fits the room
// its alignment leaves it, a hand's width from the edge.
void fitText(EasyPrint& engine, const CertificateTemplate::Item& item, const QString& text,
             double pageWidth) {
    constexpr double edge = 15;
    const double x = item.at[0];
    const double room = item.align == CertificateTemplate::Align::Left ? pageWidth - x - edge
                        : item.align == CertificateTemplate::Align::Right
                            ? x - edge
                            : 2 * (std::min(x, pageWidth - x) - edge);
    for (int size = engine.FontSize(); room > 0 && size > 4 && engine.TextWidth(text) > room;)
        engine.setFontSize(--size);
}

void drawItem(EasyPrint& engine, PrintSurface& surface, const CertificateTemplate::Item& item,
              const Certificate& certificate, const CertificateTemplate& layout, const QImage& emblem) {
    const QString& award = layout.award;
    using Kind = CertificateTemplate::Kind;
    const auto& at = item.at;
    engine.setForeColor(static_cast<std::int32_t>(bgrOf(item.colour)));
    switch (item.kind) {
    case Kind::Frame:
    case Kind::Rule:
        engine.setDrawStyle(0);
        engine.setDrawWidth(
            std::max(1, static_cast<int>(std::lround(item.thickness * surface.pixelsPerUnitX()))));
        if (item.kind == Kind::Frame)
            engine.PrintShape(at[0], at[1], at[2], at[3]);
        else
            engine.PrintShape(at[0], at[1], at[2], 0);
        return;
    case Kind::Emblem: {
        if (emblem.isNull() || emblem.height() == 0)
            return;
        // Fitted in its box, its shape kept, centred.
        const double shape = static_cast<double>(emblem.width()) / emblem.height();
        double width = at[2];
        double height = width / shape;
        if (height > at[3]) {
            height = at[3];
            width = height * shape;
        }
        engine.PrintPicture(at[0] + (at[2] - width) / 2, at[1] + (at[3] - height) / 2, emblem, height, width);
        return;
    }
    case Kind::Text: {
        engine.setFontName(item.font);
        engine.setFontSize(static_cast<int>(std::lround(item.size)));
        engine.setFontBold(item.bold);
        engine.setFontItalic(item.italic);
        const QString text =
            filledCertificateText(item.texts[certificate.italian ? 0 : 1], certificate, award);
        fitText(engine, item, text, layout.pageWidth);
        if (item.align == CertificateTemplate::Align::Left)
            engine.PrintLeft(at[0], at[1], text);
        else if (item.align == CertificateTemplate::Align::Right)
            engine.PrintRight(at[0], at[1], text);
        else
            engine.PrintCentre(at[0], at[1], text);
        return;
    }
    }
}

// A file of ours: a link or a special file in its place is refused, never written through.
WriteResult writeDurably(const QString& path, const QByteArray& bytes) {
    const platform::EntryKind kind = platform::entryKind(path);
    if (kind == platform::EntryKind::Link || kind == platform::EntryKind::Other ||
        kind == platform::EntryKind::Folder)
        return fileError(FileError::Kind::Unwritable, path,
                         kind == platform::EntryKind::Folder ? FileError::Reason::IsFolder
                                                             : FileError::Reason::NotRegularFile);
    return writeFileBytes(path, bytes);
}

} // namespace

bool isItalyCountry(const CountryTable& countries, int countryNumber) {
    const QString name = countries.name(countryNumber).trimmed();
    return name.compare(QLatin1String("Italy"), Qt::CaseInsensitive) == 0 ||
           name.compare(QLatin1String("Italia"), Qt::CaseInsensitive) == 0 ||
           countries.prefix(countryNumber).trimmed() == QLatin1String("I");
}

std::vector<Certificate> certificatesOf(const std::vector<CheckedLog>& logs, const CountryTable& countries) {
    std::vector<Certificate> certificates;
    QSet<QString> taken; // stations that differ only in characters a file name leaves out, tied in rank
    for (const CheckedLog* log : tableOrder(logs)) {
        if (log->rank <= 0 || !log->inTables)
            continue;
        const int country = countryNumberOf(log->station);
        Certificate c;
        c.name = log->name;
        c.station = log->station;
        c.category = categoryName(log->category);
        c.score = QString::number(log->checkedScore);
        c.rank = QString::number(log->rank);
        c.year = log->year;
        c.country = countries.name(country).trimmed();
        c.italian = isItalyCountry(countries, country);
        c.fileName = QStringLiteral("%1-%2-%3.pdf")
                         .arg(safeForFileName(log->category))
                         .arg(log->rank, 3, 10, QLatin1Char('0'))
                         .arg(safeForFileName(log->station));
        for (int copy = 2; taken.contains(c.fileName.toLower()); ++copy)
            c.fileName = QStringLiteral("%1-%2.pdf").arg(c.fileName.chopped(4).section(u'-', 0, 2)).arg(copy);
        taken.insert(c.fileName.toLower());
        certificates.push_back(std::move(c));
    }
    return certificates;
}

QString filledCertificateText(const QString& text, const Certificate& certificate, const QString& award) {
    QString filled;
    filled.reserve(text.size() + 32);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype close = text[i] == u'{' ? text.indexOf(u'}', i) : -1;
        if (close < 0) {
            filled += text[i];
            continue;
        }
        const QStringView field = QStringView(text).sliced(i + 1, close - i - 1);
        // One pass: a value is never searched for fields itself.
        const QString* value = field == u"name"       ? &certificate.name
                               : field == u"station"  ? &certificate.station
                               : field == u"category" ? &certificate.category
                               : field == u"score"    ? &certificate.score
                               : field == u"rank"     ? &certificate.rank
                               : field == u"year"     ? &certificate.year
                               : field == u"country"  ? &certificate.country
                               : field == u"award"    ? &award
                                                      : nullptr;
        if (!value) {
            filled += text[i];
            continue;
        }
        filled += field == u"award" ? filledCertificateText(award, certificate, QString()) : *value;
        i = close;
    }
    return filled;
}

QImage certificateEmblem() {
    for (const char* path :
         {":/pictures/custom/101.svg", ":/pictures/custom/101@2x.png", ":/pictures/custom/101.png"}) {
        QImageReader reader(QString::fromLatin1(path));
        if (!reader.canRead())
            continue;
        const QSize own = reader.size();
        if (own.isValid() && QString::fromLatin1(path).endsWith(QLatin1String(".svg")))
            reader.setScaledSize(own.scaled(EmblemPixels, EmblemPixels, Qt::KeepAspectRatio));
        const QImage image = reader.read();
        if (!image.isNull())
            return image;
    }
    return {};
}

QByteArray certificatesPdf(const CertificateTemplate& layout, std::span<const Certificate> certificates,
                           const QImage& emblem) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(PdfResolution);
        writer.setCreator(QStringLiteral("qvmd-check"));
        writer.setPageSize(QPageSize(QSizeF(layout.pageWidth, layout.pageHeight), QPageSize::Millimeter,
                                     QString(), QPageSize::ExactMatch));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        PagedSurface printer(writer);
        EasyPrint engine(printer);
        bool first = true;
        for (const Certificate& certificate : certificates) {
            if (!first)
                engine.NewPage();
            first = false;
            for (const CertificateTemplate::Item& item : layout.items)
                drawItem(engine, printer, item, certificate, layout, emblem);
        }
        engine.EndDoc();
    }
    return buffer.data();
}

CertificatesWritten writeCertificates(const QString& folder, const CertificateTemplate& layout,
                                      const std::vector<Certificate>& certificates, const QImage& emblem) {
    CertificatesWritten result;
    if (platform::entryKind(folder) == platform::EntryKind::Link) {
        result.failures.push_back(
            fileError(FileError::Kind::Unwritable, folder, FileError::Reason::NotRegularFile));
        return result;
    }
    if (const WriteResult made = makeFolderDurably(folder)) {
        result.failures.push_back(*made);
        return result;
    }
    const QDir out(folder);
    const auto write = [&](const QString& name, std::span<const Certificate> pages) {
        if (const WriteResult failure =
                writeDurably(out.filePath(name), certificatesPdf(layout, pages, emblem)))
            result.failures.push_back(*failure);
        else
            ++result.written;
    };
    for (const Certificate& certificate : certificates)
        write(certificate.fileName, std::span<const Certificate>(&certificate, 1));
    if (!certificates.empty())
        write(QStringLiteral("all-certificates.pdf"), certificates);
    return result;
}

} // namespace qvmd
