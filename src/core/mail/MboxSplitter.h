#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

namespace qvmd {

// Cuts an mbox into its messages while it is read piece by piece, so that no mailbox is ever held
// whole. A message begins after a line starting "From " (the start of the file counts as a line start)
// and ends before the next such line. A message over the limit keeps only its first HeadBytes, enough
// for its headers, and says so.
class MboxSplitter {
public:
    static constexpr qsizetype HeadBytes = 256 * 1024;

    struct Message {
        qint64 number = 0; // from 1
        QByteArray bytes;
        qint64 size = 0; // the whole message's size, also when it is over the limit
        bool tooLarge = false;
    };

    MboxSplitter(qint64 limit, std::function<void(Message&&)> deliver);
    void feed(QByteArrayView bytes);
    // Delivers the last message.
    void finish();

private:
    void consume(QByteArrayView lines);
    void append(QByteArrayView bytes);
    void endMessage();

    qint64 limit_;
    std::function<void(Message&&)> deliver_;
    QByteArray pending_;     // the last line read, while its end is still to come
    bool midLine_ = false;   // the last bytes consumed did not end a line
    bool inMarker_ = false;  // within a "From " line whose end is still to come
    bool inMessage_ = false; // false before the first "From " line
    Message current_;
};

} // namespace qvmd
