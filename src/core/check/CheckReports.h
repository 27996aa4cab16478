#pragma once

#include "core/check/CheckedLog.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace qvmd {

class CheckTexts;
struct ResultsChartData;

// A field as RFC 4180 has it; a text field that a spreadsheet would run as a formula is shown as text.
QString csvField(const QString& text, bool isText);

// The logs in table order: by category, then rank, then station; logs that could not be read are left out.
std::vector<const CheckedLog*> tableOrder(const std::vector<CheckedLog>& logs);

// The results table as CSV, Windows-1252 with CR LF, a heading row in the report language.
QByteArray resultsCsv(const std::vector<CheckedLog>& logs, const CheckTexts& texts);
// The same table as one self-contained UTF-8 HTML page whose columns sort on a click; with chart data, the
// charts stand above the table.
QByteArray resultsHtml(const std::vector<CheckedLog>& logs, const CheckTexts& texts,
                       const ResultsChartData* charts = nullptr);
// One log's report in UTF-8 with CR LF: file, station, counts and scores, then the findings in line order.
QByteArray logReport(const CheckedLog& log, const CheckTexts& texts);

} // namespace qvmd
