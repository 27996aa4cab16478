#pragma once

#include <QString>

#include <cstdint>

// Every call of core that the operating system answers differently lives behind these functions: one
// POSIX and one Win32 implementation, chosen by the build. Descriptors are C runtime descriptors on both
// systems, so QFile can take them over. Every function that fails returns -1 (or false) with errno set;
// a file another program holds without sharing (Windows) is retried briefly, then reported as EBUSY.
namespace qvmd::platform {

// What stands at a path, found without following a link.
enum class EntryKind { Missing, RegularFile, Folder, Link, Other };
EntryKind entryKind(const QString& path);
inline bool isLink(const QString& path) {
    return entryKind(path) == EntryKind::Link;
}

// What an open descriptor is.
struct OpenedKind {
    EntryKind kind = EntryKind::Other;
    std::int64_t size = 0;
};
bool kindOf(int fd, OpenedKind& out);

// Opens an existing file for reading without ever waiting on a pipe or a device.
int openForReading(const QString& path);

// Creates a new file that did not exist, never through a link (O_EXCL | O_NOFOLLOW, CREATE_NEW refusing
// reparse points): EEXIST when anything stands at the path.
int createExclusive(const QString& path);

// Opens an existing regular file for writing without following a link; a link, a pipe or anything else
// that is not a regular file is refused (ELOOP, ENXIO).
int openExistingForWriting(const QString& path);

// Opens a file for appending, creating it when allowed.
int openForAppend(const QString& path, bool create);

// The data of an open file onto the disk (fsync, FlushFileBuffers).
int flushFile(int fd);

// Opens a folder so that its entries can be put on the disk after a rename or a new entry; -1 with
// errno ENOTSUP where the system keeps no such thing.
int openFolderForSync(const QString& folder);
// The entries of a folder opened above onto the disk.
int flushFolder(int fd);

int closeFile(int fd);

// Writes all bytes at the current position; fewer only on failure.
bool writeAll(int fd, const char* data, std::int64_t size);
// Writes all bytes at the file's start, then cuts it to that size: a small file rewritten in place.
bool rewriteInPlace(int fd, const char* data, std::int64_t size);
// Cuts an open file to size.
bool truncateFile(int fd, std::int64_t size);

// Puts a complete file in place of another with one rename: the old one stays whole until then.
// Windows writes the rename through to the disk (MOVEFILE_WRITE_THROUGH); on POSIX the caller still syncs
// the folder.
int replaceFile(const QString& from, const QString& to);

// Creates one folder (its parent exists); EEXIST when something stands there.
int makeFolder(const QString& path);

// The modification time in nanoseconds and the size, from one call that follows links; false when
// nothing is there.
bool modificationStamp(const QString& path, std::int64_t& size, std::int64_t& nanoseconds);

} // namespace qvmd::platform
