#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <functional>

namespace qvmd {

class EasyPrint;

// What the log report prints besides the records: the counters, the points and the owner.
struct LogReportData {
    QString year;
    QString station;
    QString operatorName;
    std::int64_t nextProgressive = 1;
    std::int64_t hunterCount = 0;
    std::int64_t ladyCount = 0;
    std::int64_t countryCount = 0;
    std::int64_t cancelledCount = 0;
    std::int64_t pointsPerLady = 0;
    std::int64_t pointsPerHunter = 0;
    std::int64_t pointsPerCountry = 0;

    // (hunters x points + countries x points + ladies x points) x ladies: no Lady contact scores 0.
    std::int64_t total() const {
        return (hunterCount * pointsPerHunter + pointsPerCountry * countryCount + pointsPerLady * ladyCount) *
               ladyCount;
    }
};

// The texts of the report in the active language; the window may put its own labels' texts in.
struct LogReportTexts {
    explicit LogReportTexts(int languageOffset = 1000);

    QString logBy;
    QString summaryTable;
    QString stationsConnect;
    QString deletedQso;
    QString ladyStation;
    QString hunterStation;
    QString multipliers;
    QString totalScore;
};

// Hands the report one record at a time, its fields from field 1 on; false when there are no more.
using ReportRecords = std::function<bool(QStringList& fields)>;

// The printed log: ruled contact pages and a summary page, in millimetres from the paper's edge.
class LogReport {
public:
    explicit LogReport(EasyPrint& engine) : engine_(engine) {}

    // The whole report as one print job.
    void StampaLog(const LogReportData& data, const LogReportTexts& texts, const ReportRecords& records);

    void MisuraRiga();
    void IntestazionePagina();
    void CorniceRiepilogo();

    int rowStep() const { return rowStep_; }

private:
    void printRecord(const QStringList& fields);
    void printIdentifier(double y, const QString& identifier);
    // The maximum width that fits the text into the room, 0 when it fits as it is.
    int fitTo(const QString& text, double room) const;
    void summary(const LogReportData& data, const LogReportTexts& texts, const QString& owner);

    EasyPrint& engine_;
    int rowOffset_ = 0;
    int rowStep_ = 0;
};

} // namespace qvmd
