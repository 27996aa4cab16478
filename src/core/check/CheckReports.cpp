#include "core/check/CheckReports.h"

#include "core/check/CheckRun.h"
#include "core/check/CheckTexts.h"
#include "core/check/ResultsCharts.h"
#include "core/common/Windows1252.h"

#include <algorithm>

namespace qvmd {

// A field as RFC 4180 has it, quoted when it holds a separator, a quote or a line end. A text field
// beginning with a formula character is prefixed with an apostrophe, as spreadsheets advise, so that a
// name like "=HYPERLINK(...)" is shown, never run.
QString csvField(const QString& text, bool isText) {
    QString field = text;
    static const QString formulaStarts = QStringLiteral("=+-@\t\r");
    if (isText && !field.isEmpty() && formulaStarts.contains(field[0]))
        field.prepend(u'\'');
    static const QString needsQuotes = QStringLiteral(",\";\r\n");
    if (std::none_of(field.cbegin(), field.cend(), [](QChar c) { return needsQuotes.contains(c); }))
        return field;
    field.replace(u'"', QStringLiteral("\"\""));
    return u'"' + field + u'"';
}

namespace {

QString rankText(const CheckedLog& log) {
    return log.rank > 0 ? QString::number(log.rank) : QString();
}

// The tables' columns in order: the first three are texts from the logs, the rest numbers.
struct Column {
    CheckTexts::Id heading;
    QString (*value)(const CheckedLog&);
};
constexpr qsizetype TextColumns = 3;

const std::vector<Column>& columns() {
    static const std::vector<Column> list = {
        {CheckTexts::ColumnCategory, [](const CheckedLog& log) { return log.category; }},
        {CheckTexts::ColumnStation, [](const CheckedLog& log) { return log.station; }},
        {CheckTexts::ColumnName, [](const CheckedLog& log) { return log.name; }},
        {CheckTexts::ColumnClaimed, [](const CheckedLog& log) { return QString::number(log.claimed); }},
        {CheckTexts::ColumnConfirmed, [](const CheckedLog& log) { return QString::number(log.confirmed); }},
        {CheckTexts::ColumnNotInLog, [](const CheckedLog& log) { return QString::number(log.notInLog); }},
        {CheckTexts::ColumnMiscopied, [](const CheckedLog& log) { return QString::number(log.miscopied); }},
        {CheckTexts::ColumnNumbers,
         [](const CheckedLog& log) { return QString::number(log.numbersMiscopied); }},
        {CheckTexts::ColumnDuplicates, [](const CheckedLog& log) { return QString::number(log.duplicates); }},
        {CheckTexts::ColumnClaimedScore,
         [](const CheckedLog& log) { return QString::number(log.claimedScore); }},
        {CheckTexts::ColumnCheckedScore,
         [](const CheckedLog& log) { return QString::number(log.checkedScore); }},
        {CheckTexts::ColumnRank, rankText},
    };
    return list;
}

QStringList rowOf(const CheckedLog& log) {
    QStringList row;
    for (const Column& column : columns())
        row.append(column.value(log));
    return row;
}

QStringList headingRow(const CheckTexts& texts) {
    QStringList row;
    for (const Column& column : columns())
        row.append(texts.text(column.heading));
    return row;
}

// A log's values may hold control characters: shown escaped, as everywhere else.
QString html(const QString& text) {
    return visibleText(text).toHtmlEscaped();
}

} // namespace

std::vector<const CheckedLog*> tableOrder(const std::vector<CheckedLog>& logs) {
    std::vector<const CheckedLog*> order;
    for (const CheckedLog& log : logs)
        if (log.readable && log.inTables)
            order.push_back(&log);
    std::stable_sort(order.begin(), order.end(), [](const CheckedLog* a, const CheckedLog* b) {
        if (a->category != b->category)
            return a->category < b->category;
        // Unranked logs after the ranked ones.
        const int rankA = a->rank > 0 ? a->rank : INT_MAX;
        const int rankB = b->rank > 0 ? b->rank : INT_MAX;
        if (rankA != rankB)
            return rankA < rankB;
        return a->station < b->station;
    });
    return order;
}

QByteArray resultsCsv(const std::vector<CheckedLog>& logs, const CheckTexts& texts) {
    QString text;
    // The first three columns are texts from the logs; the rest are numbers, which need no quoting.
    auto addRow = [&](const QStringList& row) {
        for (qsizetype i = 0; i < row.size(); ++i) {
            if (i > 0)
                text += u',';
            text += i < TextColumns ? csvField(row[i], true) : row[i];
        }
        text += QStringLiteral("\r\n");
    };
    const QStringList heading = headingRow(texts);
    for (qsizetype i = 0; i < heading.size(); ++i) {
        if (i > 0)
            text += u',';
        text += csvField(heading[i], i < TextColumns);
    }
    text += QStringLiteral("\r\n");
    for (const CheckedLog* log : tableOrder(logs))
        addRow(rowOf(*log));
    return toWindows1252(text);
}

QByteArray resultsHtml(const std::vector<CheckedLog>& logs, const CheckTexts& texts,
                       const ResultsChartData* charts) {
    QString page;
    const QString title = html(texts.text(CheckTexts::ResultsTitle));
    page += QStringLiteral(
                "<!DOCTYPE html>\n<html lang=\"%1\">\n<head>\n<meta charset=\"utf-8\">\n<title>%2</title>\n")
                .arg(texts.languageOffset() == 0 ? QStringLiteral("it") : QStringLiteral("en"), title);
    page += QStringLiteral("<style>\nbody{font-family:sans-serif}table{border-collapse:collapse}"
                           "th,td{border:1px solid #999;padding:2px 6px}th{cursor:pointer;background:#eee}"
                           "td.n{text-align:right}\n");
    if (charts)
        page += resultsChartsStyle();
    page += QStringLiteral("</style>\n</head>\n<body>\n<h1>%1</h1>\n").arg(title);
    if (charts)
        page += resultsChartsHtml(logs, *charts, texts.languageOffset());
    page += QStringLiteral("<table id=\"results\">\n<thead><tr>");
    for (const QString& heading : headingRow(texts))
        page += QStringLiteral("<th>%1</th>").arg(html(heading));
    page += QStringLiteral("</tr></thead>\n<tbody>\n");
    for (const CheckedLog* log : tableOrder(logs)) {
        page += QStringLiteral("<tr>");
        const QStringList row = rowOf(*log);
        for (qsizetype i = 0; i < row.size(); ++i) {
            // Numbers have nothing to escape.
            page += i >= TextColumns ? QStringLiteral("<td class=\"n\">") : QStringLiteral("<td>");
            page += i >= TextColumns ? row[i] : html(row[i]);
            page += QStringLiteral("</td>");
        }
        page += QStringLiteral("</tr>\n");
    }
    page += QStringLiteral("</tbody>\n</table>\n");
    // Clicking a heading sorts by that column, numbers as numbers; a second click reverses.
    page += QStringLiteral("<script>\n"
                           "document.querySelectorAll('#results th').forEach(function(th,col){\n"
                           " th.addEventListener('click',function(){\n"
                           "  var body=document.querySelector('#results tbody');\n"
                           "  var rows=Array.prototype.slice.call(body.rows);\n"
                           "  var up=th.dataset.up!=='1';th.dataset.up=up?'1':'0';\n"
                           "  rows.sort(function(a,b){\n"
                           "   var x=a.cells[col].textContent,y=b.cells[col].textContent;\n"
                           "   var nx=parseFloat(x),ny=parseFloat(y);\n"
                           "   var r=(!isNaN(nx)&&!isNaN(ny))?nx-ny:x.localeCompare(y);\n"
                           "   return up?r:-r;});\n"
                           "  rows.forEach(function(r){body.appendChild(r);});\n"
                           " });\n"
                           "});\n"
                           "</script>\n</body>\n</html>\n");
    return page.toUtf8();
}

QByteArray logReport(const CheckedLog& log, const CheckTexts& texts) {
    QString report;
    // About a line of text a finding, grown by doubling from there.
    report.reserve(static_cast<qsizetype>(512 + 64 * log.findings.size() + 128 * log.originLines.size()));
    // Every line may carry a value from the log: its control characters are shown escaped, so that no
    // byte of a log can cut a line or drive the terminal the report is read in.
    auto addLine = [&](const QString& line) {
        appendVisible(report, line);
        report += QStringLiteral("\r\n");
    };
    addLine(texts.format(CheckTexts::ReportLog, {log.fileName}));
    for (const QString& line : log.originLines)
        addLine(line);
    if (log.readable) {
        addLine(texts.format(CheckTexts::ReportStation, {log.station, log.category, log.name}));
        addLine(texts.format(CheckTexts::ReportContacts,
                             {QString::number(log.claimed), QString::number(log.confirmed),
                              QString::number(log.notInLog), QString::number(log.miscopied),
                              QString::number(log.duplicates)}));
        addLine(texts.format(CheckTexts::ReportScore,
                             {QString::number(log.claimedScore), QString::number(log.checkedScore),
                              log.rank > 0 ? QString::number(log.rank) : QStringLiteral("-")}));
    }
    addLine(QString());
    if (log.findings.empty()) {
        addLine(texts.text(CheckTexts::ReportNoFindings));
        return report.toUtf8();
    }
    addLine(texts.text(CheckTexts::ReportFindings));
    // In line order; the findings of one line in the order they were made.
    std::vector<const Finding*> findings;
    findings.reserve(log.findings.size());
    for (const Finding& finding : log.findings)
        findings.push_back(&finding);
    std::stable_sort(findings.begin(), findings.end(),
                     [](const Finding* a, const Finding* b) { return a->line < b->line; });
    for (const Finding* finding : findings) {
        // Made in place, then shown escaped as addLine would, should it hold anything to escape.
        const qsizetype start = report.size();
        log.findingText(*finding, texts, report);
        if (!isVisibleAsItIs(QStringView(report).sliced(start))) {
            const QString line = report.sliced(start);
            report.truncate(start);
            appendVisible(report, line);
        }
        report += QStringLiteral("\r\n");
    }
    return report.toUtf8();
}

} // namespace qvmd
