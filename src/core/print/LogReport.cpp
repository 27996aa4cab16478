#include "core/print/LogReport.h"

#include "core/common/StringTable.h"
#include "core/print/EasyPrint.h"

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

constexpr double RuleX = 11.9404;
constexpr double RuleWidth = 183.6165;
constexpr double HeadingY = 36.0503;
constexpr int TopOfRows = 40;
constexpr int LastRowOffset = 230;
constexpr int TitleWidth = 180;
constexpr double FrameLeft = 12.0288;
// The rule on the left of each column.
constexpr double OperatorRule = 23.0847;
constexpr double NameRule = 47.2308;
constexpr double LhRule = 84.1747;
constexpr double CountryRule = 90.1747;
constexpr double DateRule = 132.4055;
constexpr double AnRule = 172.4722;
constexpr double RecRule = 182.5551;

const QString PageFont = QStringLiteral("Comic Sans MS");
const QString HeadingFont = QStringLiteral("MS Sans Serif");
const QString SummaryFont = QStringLiteral("Arial");

bool isAllDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

void blackSolidLines(EasyPrint& engine) {
    engine.setForeColor(0);
    engine.setDrawWidth(1);
    engine.setDrawStyle(0);
}

void setFont(EasyPrint& engine, const QString& name, int size, bool bold) {
    engine.setFontName(name);
    engine.setFontSize(size);
    engine.setFontBold(bold);
    engine.setFontItalic(false);
    engine.setFontUnderLine(false);
}

QString number(std::int64_t value) {
    return QString::number(value);
}

} // namespace

void LogReport::MisuraRiga() {
    engine_.setFontBold(false);
    engine_.setFontItalic(false);
    engine_.setFontSize(10);
    rowStep_ = int(std::nearbyint(engine_.TextWidth(QStringLiteral("Abc")) / 1.5));
}

void LogReport::IntestazionePagina() {
    blackSolidLines(engine_);
    engine_.PrintShape(FrameLeft, 20.0299, 183.5281, 255.3545);
    engine_.PrintShape(RuleX, 34.9728, RuleWidth, 0);
    setFont(engine_, PageFont, 20, true);
    for (const double x : {OperatorRule, NameRule, LhRule, CountryRule, DateRule, AnRule})
        engine_.PrintShape(x, 34.9728, 0, 240.3056);
    engine_.PrintShape(RuleX, 40.0068, RuleWidth, 0);
    setFont(engine_, HeadingFont, 8, true);
    engine_.PrintLeft(13.0371, HeadingY, QStringLiteral("Sends"));
    engine_.PrintLeft(29.0815, HeadingY, QStringLiteral("Operator"));
    engine_.PrintLeft(59.1712, HeadingY, QStringLiteral("Name"));
    engine_.PrintCentre(87.1712, HeadingY, QStringLiteral("LH"));
    engine_.PrintLeft(145.4073, HeadingY, QStringLiteral("Date & Time"));
    engine_.PrintLeft(103.2887, HeadingY, QStringLiteral("Country"));
    engine_.PrintLeft(185.527, HeadingY, QStringLiteral("Rec."));
    engine_.PrintShape(RecRule, 34.9728, 0, 240.3056);
    engine_.PrintLeft(175.4971, HeadingY, QStringLiteral("An."));
}

void LogReport::CorniceRiepilogo() {
    blackSolidLines(engine_);
    engine_.PrintShape(FrameLeft, 20.0299, 183.5281, 131.1833);
    engine_.PrintShape(RuleX, 42.9728, RuleWidth, 0);
    setFont(engine_, PageFont, 20, true);
}

void LogReport::printRecord(const QStringList& fields) {
    // Fields 1 to 8 print; a short record leaves the missing columns empty.
    const auto field = [&fields](int n) { return n <= fields.size() ? fields.at(n - 1) : QString(); };
    QString country = field(6);
    QString received = field(2);
    if (field(8) == QLatin1String("S")) {
        country = QStringLiteral("Deleted");
        received = QStringLiteral("0");
    }
    const double y = rowOffset_ + TopOfRows;
    engine_.setForeColor(0);
    // Each field stays at its place; its room runs from there to the rule it grows towards.
    engine_.PrintRight(22, y, field(1), 0, fitTo(field(1), 22 - FrameLeft));
    printIdentifier(y, field(3));
    engine_.PrintLeft(48, y, field(4), 0, fitTo(field(4), LhRule - 48));
    engine_.PrintCentre(87, y, field(5), fitTo(field(5), 2 * (87 - LhRule)));
    engine_.PrintLeft(92, y, country, 0, fitTo(country, DateRule - 92));
    engine_.PrintRight(168, y, field(7), 0, fitTo(field(7), 168 - DateRule));
    engine_.PrintRight(178, y, field(8), 0, fitTo(field(8), 178 - AnRule));
    engine_.PrintRight(191, y, received, 0, fitTo(received, 191 - RecRule));
}

int LogReport::fitTo(const QString& text, double room) const {
    // A number with a digit cut off reads as another number: numbers are printed whole.
    if (isAllDigits(text))
        return 0;
    // The engine shortens to whole millimetres: text that fits the exact room is left whole.
    return engine_.TextWidth(text) > room ? int(room) : 0;
}

LogReportTexts::LogReportTexts(int languageOffset)
    : logBy(builtInText(1101, languageOffset)), summaryTable(builtInText(1083, languageOffset)),
      stationsConnect(builtInText(1138, languageOffset)), deletedQso(builtInText(1085, languageOffset)),
      ladyStation(builtInText(1139, languageOffset)), hunterStation(builtInText(1140, languageOffset)),
      multipliers(builtInText(1136, languageOffset)), totalScore(builtInText(1086, languageOffset)) {}

void LogReport::printIdentifier(double y, const QString& identifier) {
    // A cut identifier can be another station's: a long one is printed smaller, and one that cannot fit
    // even then keeps its start and is visibly marked as shortened.
    constexpr double Right = 46.5;
    constexpr double Room = Right - OperatorRule;
    constexpr int SmallestSize = 6;
    const int rowSize = engine_.FontSize();
    int size = rowSize;
    while (size > SmallestSize && engine_.TextWidth(identifier) > Room)
        engine_.setFontSize(--size);
    QString shown = identifier;
    if (engine_.TextWidth(shown) > Room) {
        const QString mark(QChar(0x2026));
        while (!shown.isEmpty() && engine_.TextWidth(shown + mark) > Room)
            shown.chop(1);
        shown += mark;
    }
    engine_.PrintRight(Right, y, shown);
    if (size != rowSize)
        engine_.setFontSize(rowSize);
}

void LogReport::StampaLog(const LogReportData& data, const LogReportTexts& texts,
                          const ReportRecords& records) {
    MisuraRiga();
    IntestazionePagina();

    const QString title = QStringLiteral("MARIGOLD's DAY Contest  ") + data.year;
    const QString owner =
        texts.logBy + QStringLiteral("   ") + data.station + QLatin1Char(' ') + data.operatorName;
    engine_.setFontBold(true);
    engine_.setFontSize(20);
    engine_.PrintCentre(engine_.PageWidth() / 2, 9, title, TitleWidth);
    engine_.PrintCentre(engine_.PageWidth() / 2, 22, owner, TitleWidth);
    engine_.setForeColor(0);
    engine_.setFontBold(false);
    engine_.setFontSize(10);

    rowOffset_ = 0;
    int numberedPage = 0;
    QStringList fields;
    while (records(fields)) {
        printRecord(fields);
        rowOffset_ += rowStep_;
        if (rowOffset_ <= LastRowOffset) {
            engine_.PrintShape(RuleX, rowOffset_ + TopOfRows, RuleWidth, 0);
            rowOffset_ += 1;
        } else {
            engine_.NewPage();
            rowOffset_ = 0;
            MisuraRiga();
            IntestazionePagina();
            engine_.setFontBold(true);
            engine_.setFontSize(20);
            engine_.PrintLeft(15, 25, title);
            engine_.setForeColor(0);
            engine_.setFontBold(false);
            engine_.setFontSize(10);
        }
        // The number goes once on each page that a record reached, not once per row on top of itself.
        if (engine_.Page() != numberedPage) {
            numberedPage = engine_.Page();
            engine_.PrintRight(180, 278, QStringLiteral("pag.") + QString::number(numberedPage));
        }
    }

    rowOffset_ = 0;
    engine_.NewPage();
    MisuraRiga();
    CorniceRiepilogo();
    summary(data, texts, owner);
    engine_.setFontBold(false);
    engine_.setFontSize(10);
    engine_.EndDoc();
    rowOffset_ = 0;
}

void LogReport::summary(const LogReportData& data, const LogReportTexts& texts, const QString& owner) {
    engine_.setFontName(SummaryFont);
    engine_.setFontBold(true);
    engine_.setFontSize(18);
    const double middle = engine_.PageWidth() / 2;
    engine_.PrintCentre(middle, 9,
                        QStringLiteral("MARIGOLD 's DAY Contest  ") + QStringLiteral("  ") + data.year,
                        TitleWidth);
    engine_.PrintCentre(middle, 22, texts.summaryTable, TitleWidth);
    engine_.PrintCentre(middle, 33, owner, TitleWidth);
    engine_.setForeColor(0);
    engine_.setFontSize(12);

    const auto label = [this](double y, const QString& text) { engine_.PrintLeft(15, y, text); };
    const auto count = [this](double y, std::int64_t value) { engine_.PrintRight(83, y, number(value)); };
    const auto product = [this, &count](double y, std::int64_t value, std::int64_t factor) {
        count(y, value);
        engine_.PrintLeft(88, y, QStringLiteral("x"));
        engine_.PrintRight(100, y, number(factor));
        engine_.PrintCentre(104, y, QStringLiteral("="));
        engine_.PrintRight(117, y, number(value * factor));
    };

    label(45, texts.stationsConnect);
    count(45, data.nextProgressive - 1);
    label(55, texts.deletedQso);
    count(55, data.cancelledCount);
    label(65, texts.ladyStation);
    product(65, data.ladyCount, data.pointsPerLady);
    label(75, texts.hunterStation);
    product(75, data.hunterCount, data.pointsPerHunter);
    label(85, QStringLiteral("Country"));
    product(85, data.countryCount, data.pointsPerCountry);
    label(95, texts.multipliers);
    engine_.PrintLeft(88, 95, QStringLiteral("="));
    engine_.PrintRight(100, 95, number(data.ladyCount));
    label(105, texts.totalScore);
    engine_.PrintRight(117, 105, number(data.total()));
}

} // namespace qvmd
