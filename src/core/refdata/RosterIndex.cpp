#include "core/refdata/RosterIndex.h"

#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"

#include <QFile>
#include <QFileInfo>

#include "core/platform/FileSystem.h"

#include <cstring>

namespace qvmd {

namespace {

const char* const rosterFiles[2] = {"Lady.dat", "Hunter.dat"};
const char* const rosterCategories[2] = {"L", "H"};

} // namespace

// Looked at on every keystroke of the logging window: one stat, and no conversion to local time.
RosterIndex::Stamp RosterIndex::stampOf(const QString& path) {
    std::int64_t size = 0;
    std::int64_t nanoseconds = 0;
    if (!platform::modificationStamp(path, size, nanoseconds))
        return {};
    return {size, nanoseconds};
}

void RosterIndex::load(const ProgramFolder& folder) {
    error_.reset();
    std::array<QByteArray, 2> read;
    for (int roster = 0; roster < 2; ++roster) {
        const QString path = folder.data(QLatin1String(rosterFiles[roster]));
        // The stamp before the read: a file replaced meanwhile is then seen as stale and read again.
        stamps_[static_cast<std::size_t>(roster)] = stampOf(path);
        Result<QByteArray> bytes = readFileBytes(path, RosterFileLimit);
        if (bytes)
            read[static_cast<std::size_t>(roster)] = std::move(bytes.value());
        else if (!error_)
            error_ = bytes.error();
    }
    const std::optional<FileError> error = error_;
    build(std::move(read[0]), std::move(read[1]));
    error_ = error;
}

bool RosterIndex::stale(const ProgramFolder& folder) const {
    for (int roster = 0; roster < 2; ++roster) {
        if (stampOf(folder.data(QLatin1String(rosterFiles[roster]))) !=
            stamps_[static_cast<std::size_t>(roster)])
            return true;
    }
    return false;
}

void RosterIndex::build(QByteArray lady, QByteArray hunter) {
    index_.clear();
    error_.reset();
    bytes_ = {std::move(lady), std::move(hunter)};
    // Lady first, and within a file the first line: a key already there is never replaced.
    indexRoster(0);
    indexRoster(1);
}

// The splitting rule of the rosters: comments and empty lines are skipped, a line without ">" holds no
// key, and the key is the text before the last ">" back to the one before it.
void RosterIndex::indexRoster(int roster) {
    const QByteArray& bytes = bytes_[static_cast<std::size_t>(roster)];
    const char* data = bytes.constData();
    const qsizetype size = bytes.size();
    qsizetype start = 0;
    while (start < size) {
        const void* newline = std::memchr(data + start, '\n', static_cast<std::size_t>(size - start));
        const qsizetype next = newline ? static_cast<const char*>(newline) - data + 1 : size;
        qsizetype end = newline ? next - 1 : size;
        if (end > start && data[end - 1] == '\r')
            --end;
        if (end > start && data[start] != '#') {
            qsizetype last = end - 1;
            while (last >= start && data[last] != '>')
                --last;
            if (last >= start) {
                qsizetype before = last - 1;
                while (before >= start && data[before] != '>')
                    --before;
                const std::string_view key(data + before + 1, static_cast<std::size_t>(last - before - 1));
                index_.try_emplace(key, Place{roster, last + 1, end - last - 1});
            }
        }
        start = next;
    }
}

std::optional<RosterIndex::Hit> RosterIndex::find(const QString& identifier) const {
    const QByteArray key = toWindows1252(identifier);
    // A character outside the code page cannot be in a roster; its "?" stand-in must not match one.
    if (fromWindows1252(key) != identifier)
        return std::nullopt;
    const auto found = index_.find(std::string_view(key.constData(), static_cast<std::size_t>(key.size())));
    if (found == index_.end())
        return std::nullopt;
    const Place& place = found->second;
    const QByteArray& bytes = bytes_[static_cast<std::size_t>(place.roster)];
    return Hit{fromWindows1252(QByteArrayView(bytes.constData() + place.nameStart, place.nameSize)),
               QLatin1String(rosterCategories[place.roster])};
}

} // namespace qvmd
