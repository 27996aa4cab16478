#pragma once

#include "core/common/FileError.h"
#include "core/logfile/LogCounters.h"
#include "core/print/LogReport.h"

#include <QByteArray>
#include <QString>

namespace qvmd {

// A log file read once for its report: the line count that tells whether there is anything to print,
// then the records, handed to the report one at a time from the file's own bytes. Printing a long log
// therefore holds the file once and nothing per record.
class PrintableLog {
public:
    // Reads the file as the log reader does (regular files only, up to the log size limit).
    static Result<PrintableLog> read(const QString& path);
    explicit PrintableLog(QByteArray bytes);

    // Every line, empty ones too; a last line without its end counts, a file's last line end adds none.
    qsizetype lineCount() const { return lineCount_; }

    // A pass over the records from the first, by the log's reading rule: empty lines and lines starting
    // "#" are passed over, every other line gives its eight fields. Each pass starts again at the top.
    ReportRecords records() const;

    // The totals of the same bytes the records come from, by the log's statistics rule: what is printed
    // under the rows always adds them up, whatever Log.dat says.
    LogCounters counters(int countryCount) const;

private:
    QByteArray bytes_;
    qsizetype lineCount_ = 0;
};

} // namespace qvmd
