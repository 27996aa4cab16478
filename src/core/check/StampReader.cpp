#include "core/check/StampReader.h"

#include <QDate>

#include <algorithm>

#include <optional>

namespace qvmd {
namespace {

struct RawStamp {
    bool ok = false;
    bool yearFirst = false;
    int a = 0, b = 0, c = 0; // the date's numbers in written order
    int seconds = 0;         // within the day
};

// Logs are Windows-1252, whose only decimal digits are ASCII ones.
bool isDigitAt(QStringView text, qsizetype pos) {
    return pos < text.size() && text[pos] >= u'0' && text[pos] <= u'9';
}

// Reads a run of digits at pos; -1 when there is none or it is too long to be a date part.
int digitsAt(QStringView text, qsizetype& pos, int* length = nullptr) {
    const qsizetype start = pos;
    int value = 0;
    while (isDigitAt(text, pos) && pos - start < 5)
        value = value * 10 + (text[pos++].unicode() - u'0');
    if (length)
        *length = static_cast<int>(pos - start);
    return pos == start || isDigitAt(text, pos) ? -1 : value;
}

// The program's own form, dd/MM/yyyy HH:mm:ss, read at fixed places without a branch per character:
// nearly every stamp has it.
std::optional<RawStamp> parseOwnForm(QStringView text) {
    if (text.size() != 19)
        return std::nullopt;
    const char16_t* c = text.utf16();
    auto digit = [c](int i) { return static_cast<unsigned>(c[i] - u'0'); };
    unsigned largest = 0;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18})
        largest = std::max(largest, digit(i));
    const bool separators =
        (c[2] == u'/') & (c[5] == u'/') & (c[10] == u' ') & (c[13] == u':') & (c[16] == u':');
    if (largest > 9 || !separators)
        return std::nullopt;
    auto two = [&](int i) { return static_cast<int>(digit(i) * 10 + digit(i + 1)); };
    const int hour = two(11);
    const int minute = two(14);
    const int second = two(17);
    if (hour > 23 || minute > 59 || second > 59)
        return RawStamp{};
    return RawStamp{true, false, two(0), two(3), two(6) * 100 + two(8), hour * 3600 + minute * 60 + second};
}

RawStamp parseRaw(QStringView text) {
    if (const std::optional<RawStamp> own = parseOwnForm(text))
        return *own;
    RawStamp raw;
    // Stamps as the program writes them start and end with a digit: trim only the others.
    if (!isDigitAt(text, 0) || !isDigitAt(text, text.size() - 1))
        text = text.trimmed();
    qsizetype pos = 0;
    int firstLength = 0;
    const int a = digitsAt(text, pos, &firstLength);
    if (a < 0 || pos >= text.size())
        return raw;
    const QChar separator = text[pos];
    if (separator != u'/' && separator != u'-' && separator != u'.')
        return raw;
    ++pos;
    const int b = digitsAt(text, pos);
    if (b < 0 || pos >= text.size() || text[pos] != separator)
        return raw;
    ++pos;
    int lastLength = 0;
    int c = digitsAt(text, pos, &lastLength);
    if (c < 0)
        return raw;
    raw.yearFirst = firstLength == 4;
    if (!raw.yearFirst && lastLength == 2)
        c += 2000;
    else if (!raw.yearFirst && lastLength != 4)
        return raw;
    // The time: blanks (or a "T"), then H:mm with optional :ss and AM/PM.
    if (pos < text.size() && text[pos] == u'T')
        ++pos;
    while (pos < text.size() && text[pos].isSpace())
        ++pos;
    const int hours = digitsAt(text, pos);
    if (hours < 0 || pos >= text.size() || text[pos] != u':')
        return raw;
    ++pos;
    const int minutes = digitsAt(text, pos);
    int seconds = 0;
    if (minutes < 0)
        return raw;
    if (pos < text.size() && text[pos] == u':') {
        ++pos;
        seconds = digitsAt(text, pos);
        if (seconds < 0)
            return raw;
    }
    int hour = hours;
    const QStringView rest = pos < text.size() ? text.sliced(pos).trimmed() : QStringView();
    if (!rest.isEmpty()) {
        const bool am = rest.compare(u"AM", Qt::CaseInsensitive) == 0;
        const bool pm = rest.compare(u"PM", Qt::CaseInsensitive) == 0;
        if ((!am && !pm) || hours < 1 || hours > 12)
            return raw;
        hour = hours % 12 + (pm ? 12 : 0);
    }
    if (hour > 23 || minutes > 59 || seconds > 59)
        return raw;
    raw.a = a;
    raw.b = b;
    raw.c = c;
    raw.seconds = hour * 3600 + minutes * 60 + seconds;
    raw.ok = true;
    return raw;
}

// A log's contacts fall on a day or two: each date is turned into a day number once per run of it.
class DayNumbers {
public:
    Stamp stampOf(int year, int month, int day, int seconds) {
        if (year != year_ || month != month_ || day != day_) {
            year_ = year;
            month_ = month;
            day_ = day;
            const QDate date(year, month, day);
            julianDay_ = date.isValid() ? std::optional<qint64>(date.toJulianDay()) : std::nullopt;
        }
        if (!julianDay_)
            return {};
        return {Stamp::State::Read, *julianDay_ * 86400 + seconds};
    }

private:
    int year_ = -1;
    int month_ = -1;
    int day_ = -1;
    std::optional<qint64> julianDay_;
};

} // namespace

LogStamps readStamps(std::span<const QStringView> texts) {
    std::vector<RawStamp> raws;
    raws.reserve(texts.size());
    bool dayFirstProved = false;
    bool monthFirstProved = false;
    bool yearFirst = false;
    for (QStringView text : texts) {
        raws.push_back(parseRaw(text));
        const RawStamp& raw = raws.back();
        if (!raw.ok)
            continue;
        if (raw.yearFirst) {
            yearFirst = true;
            continue;
        }
        dayFirstProved |= raw.a > 12;
        monthFirstProved |= raw.b > 12;
    }
    LogStamps result;
    const bool monthFirst = monthFirstProved && !dayFirstProved;
    result.form = monthFirst
                      ? DateForm::MonthDayYear
                      : (yearFirst && !dayFirstProved ? DateForm::YearMonthDay : DateForm::DayMonthYear);
    result.otherForm = monthFirst || yearFirst;
    result.stamps.reserve(raws.size());
    DayNumbers days;
    for (const RawStamp& raw : raws) {
        if (!raw.ok)
            result.stamps.push_back({});
        else if (raw.yearFirst)
            result.stamps.push_back(days.stampOf(raw.a, raw.b, raw.c, raw.seconds));
        else if (!monthFirst)
            result.stamps.push_back(days.stampOf(raw.c, raw.b, raw.a, raw.seconds));
        else if (raw.a <= 12 && raw.b <= 12 && raw.a != raw.b)
            result.stamps.push_back({Stamp::State::Ambiguous, 0});
        else
            result.stamps.push_back(days.stampOf(raw.c, raw.a, raw.b, raw.seconds));
    }
    return result;
}

} // namespace qvmd
