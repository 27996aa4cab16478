#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace qvmd {

struct BodyLog {
    QString name;          // made from its header, as the program names a log
    QByteArray bytes;      // Windows-1252 with CR LF, as the program writes a log
    int brokenRecords = 0; // records the mail program wrapped onto further lines, joined again
};

// The logs found whole in a text body: eleven header lines (the first "##", the last "#LOG"), then the
// records (lines beginning with a digit and holding a ">"), blank lines between them passed over. Any
// other line ends the log. Lines are taken as they stand, but for their line ends; a record that does not
// end with ">" was wrapped by the mail program at a blank, and is joined again with the lines after it.
std::vector<BodyLog> findBodyLogs(const QString& text);

// A format=flowed body (RFC 3676) as the lines its writer typed: a line ending in a space goes on in the
// next one (that space dropped with delsp=yes), and a space that stuffs a line's start is removed.
QString unflowed(const QString& text, bool deleteSpace);

} // namespace qvmd
