#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <functional>

namespace qvmd {

// Cuts an mbox into its messages while it is read piece by piece, so that no mailbox is ever held
// whole. A message begins after a separator line and ends before the next one. A separator has the form
// "From " address date (the date as asctime writes it) and stands at the start of the file or after an
// empty line: mail programs leave body lines such as "From the shack" unescaped, since readers take only
// that form as a separator. A message over the limit keeps only its first HeadBytes, enough for its
// headers, and says so.
class MboxSplitter {
public:
    // Whether line (its end included or not) has the form of a separator.
    static bool isSeparator(QByteArrayView line);
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
    void appendRun(QByteArrayView lines, qsizetype from, qsizetype to);

    qint64 limit_;
    std::function<void(Message&&)> deliver_;
    QByteArray pending_;     // the last line read, while its end is still to come
    bool midLine_ = false;   // the last bytes consumed did not end a line
    bool inMarker_ = false;  // within a separator line whose end is still to come
    bool afterEmpty_ = true; // the last whole line was empty, or nothing was read yet
    bool inMessage_ = false; // false before the first separator
    Message current_;
};

} // namespace qvmd
