#include "core/mail/BodyLogs.h"

#include "core/common/Windows1252.h"

#include <QStringList>

#include <utility>

namespace qvmd {
namespace {

constexpr int HeaderLines = 11;

QStringList linesOf(const QString& text) {
    QString normal = text;
    normal.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    normal.replace(u'\r', u'\n');
    return normal.split(u'\n');
}

bool isHeaderAt(const QStringList& lines, qsizetype start) {
    if (start + HeaderLines > lines.size() || !lines[start].startsWith(QStringLiteral("##")))
        return false;
    for (qsizetype i = start + 1; i < start + HeaderLines; ++i)
        if (!lines[i].startsWith(u'#') || lines[i].startsWith(QStringLiteral("##")))
            return false;
    return lines[start + HeaderLines - 1].trimmed().compare(QStringLiteral("#LOG"), Qt::CaseInsensitive) == 0;
}

bool isRecord(const QString& line) {
    return !line.isEmpty() && line[0].isDigit() && line.contains(u'>');
}

// A name part from a header value, kept to letters and digits so that no value can lead the report
// into another folder.
QString namePart(const QString& value) {
    QString part = value.trimmed();
    for (QChar& c : part)
        if (!(c.isLetterOrNumber() && c.unicode() < 128))
            c = u'_';
    return part;
}

} // namespace

std::vector<BodyLog> findBodyLogs(const QString& text) {
    std::vector<BodyLog> logs;
    const QStringList lines = linesOf(text);
    qsizetype i = 0;
    while (i < lines.size()) {
        if (!isHeaderAt(lines, i)) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        QString log;
        for (qsizetype j = start; j < start + HeaderLines; ++j)
            log += lines[j] + QStringLiteral("\r\n");
        int broken = 0;
        QString blanks;                      // kept only when a record follows them
        qsizetype end = start + HeaderLines; // one past the last line of the log
        for (qsizetype j = end; j < lines.size(); ++j) {
            if (!isRecord(lines[j])) {
                if (!lines[j].trimmed().isEmpty())
                    break;
                blanks += lines[j] + QStringLiteral("\r\n");
                continue;
            }
            log += std::exchange(blanks, QString());
            QString record = lines[j];
            // A wrapped record goes on in the lines after it, at most as many as it has fields.
            const qsizetype first = j;
            while (!record.trimmed().endsWith(u'>') && j + 1 < lines.size() && j - first < 8 &&
                   !lines[j + 1].trimmed().isEmpty() && !lines[j + 1].startsWith(u'#'))
                record += u' ' + lines[++j];
            broken += j > first;
            log += record + QStringLiteral("\r\n");
            end = j + 1;
        }
        const QString category = namePart(lines[start].mid(2));
        const QString identifier = namePart(lines[start + 1].mid(1));
        const QString year = namePart(lines[start + 9].mid(1));
        logs.push_back({identifier + QStringLiteral("_MD_") + category + u'_' + year + QStringLiteral(".Log"),
                        toWindows1252(log), broken});
        i = end;
    }
    return logs;
}

QString unflowed(const QString& text, bool deleteSpace) {
    const QStringList lines = linesOf(text);
    QString result;
    bool goesOn = false;
    for (QString line : lines) {
        if (line.startsWith(u' '))
            line.remove(0, 1);
        // The signature separator "-- " is never a soft break.
        const bool soft = line.endsWith(u' ') && line != QStringLiteral("-- ");
        if (soft && deleteSpace)
            line.chop(1);
        result += line;
        goesOn = soft;
        if (!goesOn)
            result += u'\n';
    }
    return result;
}

} // namespace qvmd
