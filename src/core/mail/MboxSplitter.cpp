#include "core/mail/MboxSplitter.h"

#include <algorithm>
#include <vector>

namespace qvmd {
namespace {

// A line this long without an end is no separator to wait for: it is taken as it stands.
constexpr qsizetype LongestLine = 1024 * 1024;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isEmptyLine(QByteArrayView line) {
    return line == "\n" || line == "\r\n";
}

bool isDigits(QByteArrayView token, qsizetype least, qsizetype most) {
    return token.size() >= least && token.size() <= most &&
           std::all_of(token.begin(), token.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool isName(QByteArrayView token, const char* names) {
    if (token.size() != 3)
        return false;
    for (const char* name = names; *name; name += 3)
        if (QByteArrayView(name, 3).compare(token, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

// H:mm or HH:mm with optional :ss.
bool isTime(QByteArrayView token) {
    const qsizetype first = token.indexOf(':');
    if (first < 1 || first > 2 || !isDigits(token.first(first), 1, 2))
        return false;
    const QByteArrayView rest = token.sliced(first + 1);
    if (rest.size() == 2)
        return isDigits(rest, 2, 2);
    return rest.size() == 5 && rest[2] == ':' && isDigits(rest.first(2), 2, 2) &&
           isDigits(rest.sliced(3), 2, 2);
}

} // namespace

bool MboxSplitter::isSeparator(QByteArrayView line) {
    if (!line.startsWith("From "))
        return false;
    while (!line.isEmpty() && (line.back() == '\n' || line.back() == '\r'))
        line.chop(1);
    std::vector<QByteArrayView> tokens;
    qsizetype pos = 5;
    while (pos < line.size()) {
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const qsizetype start = pos;
        while (pos < line.size() && !isBlank(line[pos]))
            ++pos;
        if (pos > start)
            tokens.push_back(line.sliced(start, pos - start));
    }
    // The address, then the date: weekday, month, day, time and year, with a zone where one is written.
    if (tokens.size() < 6 || tokens.size() > 8 || line[5] == ' ')
        return false;
    QByteArrayView weekday = tokens[1];
    if (weekday.endsWith(','))
        weekday.chop(1);
    if (!isName(weekday, "MonTueWedThuFriSatSun"))
        return false;
    bool month = false, day = false, time = false, year = false;
    for (std::size_t i = 2; i < tokens.size(); ++i) {
        const QByteArrayView token = tokens[i];
        if (!month && isName(token, "JanFebMarAprMayJunJulAugSepOctNovDec"))
            month = true;
        else if (!day && !year && isDigits(token, 1, 2))
            day = true;
        else if (!time && isTime(token))
            time = true;
        else if (!year && isDigits(token, 4, 4))
            year = true;
        else if (!(token.size() <= 5 &&
                   (token[0] == '+' || token[0] == '-' || (token[0] >= 'A' && token[0] <= 'Z'))))
            return false;
    }
    return month && day && time && year;
}

MboxSplitter::MboxSplitter(qint64 limit, std::function<void(Message&&)> deliver)

    : limit_(limit), deliver_(std::move(deliver)) {}

void MboxSplitter::feed(QByteArrayView bytes) {
    // The line begun in the last piece is finished first; the whole lines after it are read in place.
    if (!pending_.isEmpty()) {
        const qsizetype end = bytes.indexOf('\n');
        pending_.append(bytes.first(end < 0 ? bytes.size() : end + 1));
        bytes = bytes.sliced(end < 0 ? bytes.size() : end + 1);
        if (end >= 0) {
            consume(pending_);
            pending_.clear();
        }
    }
    const qsizetype lastEnd = bytes.lastIndexOf('\n');
    if (lastEnd >= 0) {
        consume(bytes.first(lastEnd + 1));
        bytes = bytes.sliced(lastEnd + 1);
    }
    pending_.append(bytes);
    if (pending_.size() > LongestLine) {
        consume(pending_);
        pending_.clear();
    }
}

void MboxSplitter::finish() {
    if (!pending_.isEmpty())
        consume(pending_);
    pending_.clear();
    endMessage();
}

void MboxSplitter::consume(QByteArrayView lines) {
    qsizetype pos = 0;
    const qsizetype size = lines.size();
    bool lineStart = !midLine_;
    qsizetype run = 0; // the message's bytes not yet appended begin here
    while (pos < size) {
        const qsizetype end = lines.indexOf('\n', pos);
        const qsizetype next = end < 0 ? size : end + 1;
        const QByteArrayView line = lines.sliced(pos, next - pos);
        if (inMarker_) {
            inMarker_ = end < 0;
            run = next;
        } else if (lineStart && afterEmpty_ && line.startsWith("From ") && isSeparator(line)) {
            appendRun(lines, run, pos);
            endMessage();
            inMessage_ = true;
            inMarker_ = end < 0;
            run = next;
        }
        afterEmpty_ = end >= 0 && lineStart && isEmptyLine(line);
        lineStart = end >= 0;
        pos = next;
    }
    appendRun(lines, run, size);
    midLine_ = size > 0 ? lines[size - 1] != '\n' : midLine_;
}

void MboxSplitter::appendRun(QByteArrayView lines, qsizetype from, qsizetype to) {
    if (to > from)
        append(lines.sliced(from, to - from));
}

void MboxSplitter::append(QByteArrayView bytes) {
    if (!inMessage_)
        return; // before the first message: no part of any
    current_.size += bytes.size();
    if (current_.tooLarge)
        return;
    if (current_.size > limit_) {
        current_.tooLarge = true;
        const qsizetype room = HeadBytes - current_.bytes.size();
        if (room > 0)
            current_.bytes.append(bytes.first(std::min(room, bytes.size())));
        else
            current_.bytes.truncate(HeadBytes);
        current_.bytes.squeeze();
        return;
    }
    current_.bytes.append(bytes);
}

void MboxSplitter::endMessage() {
    if (!inMessage_)
        return;
    const qint64 number = current_.number + 1;
    current_.number = number;
    deliver_(std::move(current_));
    current_ = Message();
    current_.number = number;
}

} // namespace qvmd
