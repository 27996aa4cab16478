#pragma once

#include <QString>

#include <optional>
#include <variant>

namespace qvmd {

// What went wrong with one file; the windows turn it into a message in the active language.
struct FileError {
    enum class Kind { Missing, Unreadable, Unwritable, Malformed };
    Kind kind = Kind::Unreadable;
    QString path;
    QString detail; // the system's or the parser's own words
    int line = 0;   // 1-based line of a malformed value, 0 when not about a line
};

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

} // namespace qvmd
