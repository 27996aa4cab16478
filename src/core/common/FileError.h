#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace qvmd {

// What went wrong with one file; the windows turn it into a message in the active language. The reason is
// kept as a code, never as the system's English words, so the whole message follows the language.
struct FileError {
    // Unconfirmed: the new content is in place, but the disk did not confirm it (the folder entry of the
    // rename could not be synced); unlike every other kind, the change did happen.
    enum class Kind { Missing, Unreadable, Unwritable, Malformed, Unlockable, Unconfirmed };
    enum class Reason {
        None,
        FolderMissing,  // the folder that should hold the file is not there (value: the folder)
        IsFolder,       // a folder stands where the file should be
        NotRegularFile, // a pipe, a device or another special file
        TooLarge,       // larger than the file can sensibly be (high: the limit in bytes)
        AccessDenied,
        ReadOnly, // the file or its file system cannot be written
        NoSpace,
        DiskError,      // the device reported an input/output error
        SyncFailed,     // the disk did not confirm that the data is stored
        InUse,          // another program holds the file and shares it with no one
        NotWholeNumber, // value
        OutOfRange,     // value, low, high
        TooManyLines,   // high: the most lines allowed
    };
    Kind kind = Kind::Unreadable;
    QString path;
    Reason reason = Reason::None;
    int line = 0;   // 1-based line of a malformed value, 0 when not about a line
    QString value;  // the offending value or folder, as read
    qint64 low = 0; // bounds for OutOfRange, TooLarge and TooManyLines
    qint64 high = 0;
};

// The common failure: a kind and a reason, no value or line.
inline FileError fileError(FileError::Kind kind, const QString& path,
                           FileError::Reason reason = FileError::Reason::None) {
    FileError error;
    error.kind = kind;
    error.path = path;
    error.reason = reason;
    return error;
}

// A value or the error that prevented it.
template <typename T> class Result {
public:
    Result(T value) : data_(std::move(value)) {}
    Result(FileError error) : data_(std::move(error)) {}

    bool ok() const { return std::holds_alternative<T>(data_); }
    explicit operator bool() const { return ok(); }
    const T& value() const { return std::get<T>(data_); }
    T& value() { return std::get<T>(data_); }
    const FileError& error() const { return std::get<FileError>(data_); }

private:
    std::variant<T, FileError> data_;
};

// A write either succeeds or names its failure.
using WriteResult = std::optional<FileError>;

// True for a write whose new content is in place although the disk did not confirm it: the change
// happened and must be treated as made, and reported as not confirmed.
inline bool inPlaceUnconfirmed(const WriteResult& result) {
    return result && result->kind == FileError::Kind::Unconfirmed;
}

} // namespace qvmd
