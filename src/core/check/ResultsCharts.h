#pragma once

#include "core/check/CheckedLog.h"

#include <QString>
#include <QStringList>

#include <array>
#include <vector>

namespace qvmd {

class CountryTable;

// What the results page's charts need beyond the table: gathered while the logs still hold their contacts.
struct ResultsChartData {
    std::array<int, 24> contactsPerHour{}; // valid contacts of the logs in the table, by UTC hour
    QStringList countryNames;              // by country number; 0 and unknown numbers have none
};

ResultsChartData resultsChartData(const std::vector<CheckedLog>& logs, const CountryTable& countries);

// The charts above the results table, as inline SVG: stations per category and per country, contacts per
// hour, the distribution of checked scores and the top ten of each category. Each chart is a figure with a
// caption and a text alternative; the table below stays the page's content. The same logs give the same
// bytes.
QString resultsChartsHtml(const std::vector<CheckedLog>& logs, const ResultsChartData& data,
                          int languageOffset);

// Styles the charts need, printing on A4 among them.
QString resultsChartsStyle();

} // namespace qvmd
