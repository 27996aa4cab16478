#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

namespace qvmd {

// The layout of a certificate: what is drawn where on the page, in millimetres from the paper's top left
// corner. The award manager may write his own (the manual page describes the file); the program has one.
struct CertificateTemplate {
    enum class Kind { Frame, Rule, Emblem, Text };
    enum class Align { Left, Centre, Right };
    struct Item {
        Kind kind = Kind::Text;
        // Frame and emblem: x, y, width, height. Rule (a line across): x, y, length.
        std::array<double, 4> at{};
        double thickness = 0.3; // mm, of frames and rules
        quint32 colour = 0;     // 0xRRGGBB
        // Texts: the font, its size and styles, and the text in Italian and in English, with {fields}.
        QString font;
        double size = 12;
        bool bold = false;
        bool italic = false;
        Align align = Align::Left;
        std::array<QString, 2> texts; // Italian, English
    };

    double pageWidth = 297; // A4 landscape
    double pageHeight = 210;
    QString award = QStringLiteral("Marigold Day");
    std::vector<Item> items;
};

// Why a template cannot be used, and where.
struct CertificateTemplateError {
    enum class Problem {
        UnknownWord,  // value is not one of allowed
        NotANumber,   // value
        OutOfRange,   // value outside low..high
        ValueCount,   // expected values wanted, found given
        MissingText,  // a text line without "|" and its text
        UnknownField, // value is no field; allowed lists the fields
        DrawsNothing, // the whole file: nothing on the page
    };
    Problem problem = Problem::UnknownWord;
    int line = 0; // 1-based; 0 for the whole file
    QString value;
    QString allowed;
    double low = 0;
    double high = 0;
    int expected = 0;
    int found = 0;
};

struct CertificateTemplateReading {
    std::optional<CertificateTemplate> layout; // set when the text is a usable template
    CertificateTemplateError error;            // otherwise
};

// The fields a text may hold, each written in braces: {name}.
QStringList certificateFields();

// Reads a template's text (UTF-8, or Windows-1252 when it is no valid UTF-8; CR LF or LF): one instruction
// a line, blank lines and lines beginning with "#" skipped. The first fault ends the reading.
CertificateTemplateReading readCertificateTemplate(const QByteArray& bytes);

// The built-in layout, as the file that the manual page shows.
QByteArray defaultCertificateTemplateText();

// The fault in the active language (offset 0 Italian, 1000 English), naming the file and the line.
QString certificateTemplateErrorText(const CertificateTemplateError& error, const QString& path,
                                     int languageOffset);

} // namespace qvmd
