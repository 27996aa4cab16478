#pragma once

#include "core/logfile/LogFile.h"

#include <QByteArray>
#include <QByteArrayView>

#include <algorithm>
#include <array>
#include <vector>

namespace qvmd {

// Where one record line stands in a log's bytes, split by the log reader's rule: fields end at each
// ">", the first eight count, a last field without its ">" still counts, missing ones are empty.
struct RecordPlace {
    qint32 start = 0;             // the line's text
    qint32 stop = 0;              // the end of its text, without the line end
    qint32 line = 0;              // 1-based, counting every line
    qint32 separators = 0;        // every ">" of the line
    qint32 fields = 0;            // the separators, plus one for text after the last
    std::array<qint32, 8> ends{}; // where the first eight ">" stand

    QByteArrayView field(const char* data, int index) const {
        if (index > std::min(separators, 8))
            return {};
        const qint32 begin = index == 0 ? start : ends[static_cast<std::size_t>(index - 1)] + 1;
        const qint32 end = index < std::min(separators, 8) ? ends[static_cast<std::size_t>(index)] : stop;
        return QByteArrayView(data + begin, end - begin);
    }
};

// One pass over a log's bytes: the header values by the reader's rule, and where every record and
// header line stands. A carriage return inside a record line is a blank to the reader: such lines are
// read from a copy of the bytes where it is one, so that every field compares as the reader's does.
struct RecordPlaces {
    LogContents header; // header values only, no records
    std::vector<int> headerLines;
    std::vector<RecordPlace> records;
    QByteArray patched;         // the copy, when some record line needs it
    const char* data = nullptr; // the bytes the places refer to

    // Reads bytes (a leading UTF-8 byte-order mark skipped), keeping the room of earlier logs.
    void read(QByteArrayView bytes);
    QByteArrayView field(const RecordPlace& record, int index) const { return record.field(data, index); }
};

} // namespace qvmd
