#include "core/check/StampReader.h"

#include "core/check/ByteText.h"

#include <QDate>

#include <algorithm>
#include <cstdint>
#include <cstring>

#include <optional>

namespace qvmd {
namespace {

struct RawStamp {
    bool ok = false;
    bool yearFirst = false;
    int a = 0, b = 0, c = 0; // the date's numbers in written order
    int seconds = 0;         // within the day
    bool twelveHour = false; // written with AM/PM
};

// The same reading on decoded text and on a log's Windows-1252 bytes, where each byte is one character
// and the blanks are the bytes QChar::isSpace takes for their characters.
bool isSpaceAt(QStringView text, qsizetype pos) {
    return text[pos].isSpace();
}
bool isSpaceAt(QByteArrayView text, qsizetype pos) {
    return isBlankByte(text[pos]);
}
template <typename View> View trimmedText(View text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isSpaceAt(text, begin))
        ++begin;
    while (end > begin && isSpaceAt(text, end - 1))
        --end;
    return text.sliced(begin, end - begin);
}
// "AM" or "PM" in any case: the only letters a time carries.
bool isMarker(QStringView text, const char16_t* marker) {
    return text.compare(QStringView(marker), Qt::CaseInsensitive) == 0;
}
bool isMarker(QByteArrayView text, const char16_t* marker) {
    return text.size() == 2 && (unitAt(text, 0) & ~0x20) == marker[0] &&
           (unitAt(text, 1) & ~0x20) == marker[1];
}

// Logs are Windows-1252, whose only decimal digits are ASCII ones.
template <typename View> bool isDigitAt(View text, qsizetype pos) {
    return pos < text.size() && unitAt(text, pos) >= u'0' && unitAt(text, pos) <= u'9';
}

// Reads a run of digits at pos; -1 when there is none or it is too long to be a date part.
template <typename View> int digitsAt(View text, qsizetype& pos, int* length = nullptr) {
    const qsizetype start = pos;
    int value = 0;
    while (isDigitAt(text, pos) && pos - start < 5)
        value = value * 10 + (unitAt(text, pos++) - u'0');
    if (length)
        *length = static_cast<int>(pos - start);
    return pos == start || isDigitAt(text, pos) ? -1 : value;
}

// The program's own form, dd/MM/yyyy HH:mm:ss, read at fixed places without a branch per character:
// nearly every stamp has it.
std::optional<RawStamp> parseOwnForm(QStringView text) {
    if (text.size() != 19)
        return std::nullopt;
    auto digit = [text](int i) { return static_cast<unsigned>(unitAt(text, i) - u'0'); };
    unsigned largest = 0;
    for (int i : {0, 1, 3, 4, 6, 7, 8, 9, 11, 12, 14, 15, 17, 18})
        largest = std::max(largest, digit(i));
    const bool separators = unitAt(text, 2) == u'/' && unitAt(text, 5) == u'/' && unitAt(text, 10) == u' ' &&
                            unitAt(text, 13) == u':' && unitAt(text, 16) == u':';
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

// The same on bytes, eight at a time: "dd/MM/yy", "yy HH:mm" and "HH:mm:ss" all have their digits at
// places 0, 1, 3, 4, 6 and 7 and their separators at 2 and 5.
std::optional<RawStamp> parseOwnForm(QByteArrayView text) {
    if (text.size() != 19)
        return std::nullopt;
    std::uint64_t date = 0;
    std::uint64_t middle = 0;
    std::uint64_t time = 0;
    std::memcpy(&date, text.data(), 8);
    std::memcpy(&middle, text.data() + 8, 8);
    std::memcpy(&time, text.data() + 11, 8);
    constexpr std::uint64_t digits = 0xFFFF00FFFF00FFFFULL;
    constexpr std::uint64_t highNibbles = 0xF0F0F0F0F0F0F0F0ULL;
    auto allDigits = [&](std::uint64_t word) {
        const std::uint64_t low = (word & 0x0F0F0F0F0F0F0F0FULL & digits) + (0x0606060606060606ULL & digits);
        return (word & highNibbles & digits) == (0x3030303030303030ULL & digits) && (low & highNibbles) == 0;
    };
    auto separators = [](std::uint64_t word, char first, char second) {
        return (word & 0x0000FF0000FF0000ULL) ==
               ((static_cast<std::uint64_t>(static_cast<unsigned char>(first)) << 16) |
                (static_cast<std::uint64_t>(static_cast<unsigned char>(second)) << 40));
    };
    if (!allDigits(date) || !allDigits(middle) || !allDigits(time) || !separators(date, '/', '/') ||
        !separators(middle, ' ', ':') || !separators(time, ':', ':'))
        return std::nullopt;
    // Each byte of a word's pairs is its digit times ten plus the next digit; the number of the two
    // digits at place i is byte i.
    auto pairsOf = [](std::uint64_t word) {
        const std::uint64_t units = word & 0x0F0F0F0F0F0F0F0FULL;
        return units * 10 + (units >> 8);
    };
    const std::uint64_t datePairs = pairsOf(date);
    const std::uint64_t middlePairs = pairsOf(middle);
    const std::uint64_t timePairs = pairsOf(time);
    auto two = [](std::uint64_t pairs, int i) { return static_cast<int>((pairs >> (8 * i)) & 0xFF); };
    const int hour = two(middlePairs, 3);
    const int minute = two(middlePairs, 6);
    const int second = two(timePairs, 6);
    if (hour > 23 || minute > 59 || second > 59)
        return RawStamp{};
    return RawStamp{true,
                    false,
                    two(datePairs, 0),
                    two(datePairs, 3),
                    two(datePairs, 6) * 100 + two(middlePairs, 0),
                    hour * 3600 + minute * 60 + second};
}

template <typename View> RawStamp parseRaw(View text) {
    if (const std::optional<RawStamp> own = parseOwnForm(text))
        return *own;
    RawStamp raw;
    // Stamps as the program writes them start and end with a digit: trim only the others.
    if (!isDigitAt(text, 0) || !isDigitAt(text, text.size() - 1))
        text = trimmedText(text);
    qsizetype pos = 0;
    int firstLength = 0;
    const int a = digitsAt(text, pos, &firstLength);
    if (a < 0 || pos >= text.size())
        return raw;
    const char16_t separator = unitAt(text, pos);
    if (separator != u'/' && separator != u'-' && separator != u'.')
        return raw;
    ++pos;
    const int b = digitsAt(text, pos);
    if (b < 0 || pos >= text.size() || unitAt(text, pos) != separator)
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
    if (pos < text.size() && unitAt(text, pos) == u'T')
        ++pos;
    while (pos < text.size() && isSpaceAt(text, pos))
        ++pos;
    const int hours = digitsAt(text, pos);
    if (hours < 0 || pos >= text.size() || unitAt(text, pos) != u':')
        return raw;
    ++pos;
    const int minutes = digitsAt(text, pos);
    int seconds = 0;
    if (minutes < 0)
        return raw;
    if (pos < text.size() && unitAt(text, pos) == u':') {
        ++pos;
        seconds = digitsAt(text, pos);
        if (seconds < 0)
            return raw;
    }
    int hour = hours;
    const View rest = pos < text.size() ? trimmedText(text.sliced(pos)) : View();
    if (!rest.isEmpty()) {
        const bool am = isMarker(rest, u"AM");
        const bool pm = isMarker(rest, u"PM");
        if ((!am && !pm) || hours < 1 || hours > 12)
            return raw;
        hour = hours % 12 + (pm ? 12 : 0);
        raw.twelveHour = true;
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

template <typename View>
void readStampsOf(std::span<const View> texts, LogStamps& result, std::vector<RawStamp>& raws) {
    raws.clear();
    raws.reserve(texts.size());
    bool dayFirstProved = false;
    bool monthFirstProved = false;
    bool twelveHour = false;
    bool twoWay = false; // some date reads differently in the two orders
    bool yearFirst = false;
    for (View text : texts) {
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
        twelveHour |= raw.twelveHour;
        twoWay |= raw.a != raw.b;
    }
    // A first number above 12 outweighs a clock: only a date proves a date's order.
    const bool monthFirst = (monthFirstProved || twelveHour) && !dayFirstProved;
    result.form = monthFirst
                      ? DateForm::MonthDayYear
                      : (yearFirst && !dayFirstProved ? DateForm::YearMonthDay : DateForm::DayMonthYear);
    result.proof = dayFirstProved || monthFirstProved
                       ? DateProof::DayAbove12
                       : (twelveHour ? DateProof::TwelveHour : DateProof::None);
    result.otherForm = monthFirst || yearFirst;
    result.daySwaps.clear();
    result.stamps.clear();
    result.stamps.reserve(raws.size());
    const bool open = result.proof == DateProof::None && twoWay;
    DayNumbers days;
    DayNumbers swapped;
    for (const RawStamp& raw : raws) {
        if (!raw.ok) {
            result.stamps.push_back({});
        } else if (raw.yearFirst) {
            result.stamps.push_back(days.stampOf(raw.a, raw.b, raw.c, raw.seconds));
        } else if (!monthFirst) {
            result.stamps.push_back(days.stampOf(raw.c, raw.b, raw.a, raw.seconds));
            if (open && raw.a != raw.b) {
                const qint64 dayFirstDay = result.stamps.back().seconds / 86400;
                const qint64 monthFirstDay = swapped.stampOf(raw.c, raw.a, raw.b, 0).seconds / 86400;
                if (result.daySwaps.empty() || result.daySwaps.back().first != dayFirstDay)
                    result.daySwaps.emplace_back(dayFirstDay, monthFirstDay);
            }
        } else {
            result.stamps.push_back(days.stampOf(raw.c, raw.a, raw.b, raw.seconds));
        }
    }
    std::sort(result.daySwaps.begin(), result.daySwaps.end());
    result.daySwaps.erase(std::unique(result.daySwaps.begin(), result.daySwaps.end()), result.daySwaps.end());
}

} // namespace

LogStamps readStamps(std::span<const QStringView> texts) {
    LogStamps stamps;
    std::vector<RawStamp> raws;
    readStampsOf(texts, stamps, raws);
    return stamps;
}

void readStamps(std::span<const QByteArrayView> texts, LogStamps& stamps) {
    // A plain local: a thread_local with a destructor frees freed memory under MinGW's threads.
    std::vector<RawStamp> raws;
    readStampsOf(texts, stamps, raws);
}

} // namespace qvmd
