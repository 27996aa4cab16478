#include "core/mail/MboxSplitter.h"

namespace qvmd {
namespace {

// A line this long without an end is no "From " line to wait for: it is taken as it stands.
constexpr qsizetype LongestLine = 1024 * 1024;

} // namespace

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
    while (pos < size) {
        if (inMarker_) {
            const qsizetype end = lines.indexOf('\n', pos);
            if (end < 0)
                break;
            inMarker_ = false;
            pos = end + 1;
            lineStart = true;
            continue;
        }
        if (lineStart && lines.sliced(pos).startsWith("From ")) {
            endMessage();
            inMessage_ = true;
            inMarker_ = true;
            continue;
        }
        const qsizetype next = lines.indexOf("\nFrom ", pos);
        const qsizetype end = next < 0 ? size : next + 1;
        append(lines.sliced(pos, end - pos));
        pos = end;
        lineStart = true;
    }
    midLine_ = size > 0 ? lines[size - 1] != '\n' : midLine_;
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
