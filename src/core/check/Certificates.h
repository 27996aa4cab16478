#pragma once

#include "core/check/CertificateTemplate.h"
#include "core/check/CheckedLog.h"
#include "core/common/FileError.h"

#include <QByteArray>
#include <QImage>
#include <QString>

#include <span>
#include <vector>

namespace qvmd {

class CountryTable;

// What one certificate says, and in which language.
struct Certificate {
    QString name;
    QString station;
    QString category; // "Lady", "Hunter", or the log's own text for another
    QString score;
    QString rank;
    QString year;
    QString country;
    bool italian = false;
    QString fileName; // "L-001-1QV10.pdf": category, rank, station
};

// One certificate per ranked station, in the results table's order. Italian where the station's country
// number names Italy in the country table, English otherwise.
std::vector<Certificate> certificatesOf(const std::vector<CheckedLog>& logs, const CountryTable& countries);

// True when the country is Italy: by its name in either language, or its prefix "I".
bool isItalyCountry(const CountryTable& countries, int countryNumber);

// The text with its {fields} filled for the certificate.
QString filledCertificateText(const QString& text, const Certificate& certificate, const QString& award);

// The program's emblem, drawn large enough for print; null when the build holds none.
QImage certificateEmblem();

// The certificates as one PDF, a page each, drawn through the print engine.
QByteArray certificatesPdf(const CertificateTemplate& layout, std::span<const Certificate> certificates,
                           const QImage& emblem);

struct CertificatesWritten {
    int written = 0;                 // PDF files confirmed on disk, the combined one included
    std::vector<FileError> failures; // in the order they were met
};

// Writes each certificate as folder/fileName, and all of them as folder/all-certificates.pdf; the folder is
// made durably when missing. A link or a special file in the place of the folder or a file is refused.
CertificatesWritten writeCertificates(const QString& folder, const CertificateTemplate& layout,
                                      const std::vector<Certificate>& certificates, const QImage& emblem);

} // namespace qvmd
