#include "core/platform/FileSystem.h"

#include <QDir>

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace qvmd::platform {

namespace {

std::wstring nameOf(const QString& path) {
    return QDir::toNativeSeparators(path).toStdWString();
}

int errnoOf(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
        return ENOENT;
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        return EEXIST;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_DIRECTORY:
        return EISDIR;
    case ERROR_CANT_ACCESS_FILE:
    case ERROR_CANT_RESOLVE_FILENAME:
        return ELOOP;
    default:
        return EIO;
    }
}

int failed(DWORD error) {
    errno = errnoOf(error);
    return -1;
}

bool sharingViolation(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// An editor or a virus scanner holding the file without sharing is the commonest Windows write failure:
// it usually lets go within moments, so the call is tried again for about a second before it is reported.
template <typename Call> auto retryShared(Call call) {
    constexpr int attempts = 20;
    for (int attempt = 1;; ++attempt) {
        auto result = call();
        if (result.ok || !sharingViolation(result.error) || attempt == attempts)
            return result;
        ::Sleep(50);
    }
}

struct Opened {
    HANDLE handle = INVALID_HANDLE_VALUE;
    DWORD error = 0;
    bool ok = false;
};

Opened openHandle(const QString& path, DWORD access, DWORD disposition, DWORD flags) {
    const std::wstring name = nameOf(path);
    return retryShared([&] {
        Opened opened;
        opened.handle =
            ::CreateFileW(name.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                          nullptr, disposition, flags, nullptr);
        opened.ok = opened.handle != INVALID_HANDLE_VALUE;
        opened.error = opened.ok ? 0 : ::GetLastError();
        return opened;
    });
}

// Hands the handle to the C runtime, so QFile and the calls below work on a descriptor as on POSIX.
int descriptorOf(HANDLE handle, int mode) {
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), mode | _O_BINARY | _O_NOINHERIT);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

HANDLE handleOf(int fd) {
    return reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
}

EntryKind kindOfAttributes(DWORD attributes) {
    if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
        return EntryKind::Link;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY)
        return EntryKind::Folder;
    if (attributes & FILE_ATTRIBUTE_DEVICE)
        return EntryKind::Other;
    return EntryKind::RegularFile;
}

// Refuses a handle that is not a plain file on the disk (a link, a folder, a pipe, a console), closing it.
bool plainFileHandle(HANDLE handle) {
    BY_HANDLE_FILE_INFORMATION info{};
    if (::GetFileType(handle) != FILE_TYPE_DISK || !::GetFileInformationByHandle(handle, &info)) {
        ::CloseHandle(handle);
        errno = ENXIO;
        return false;
    }
    const EntryKind kind = kindOfAttributes(info.dwFileAttributes);
    if (kind != EntryKind::RegularFile) {
        ::CloseHandle(handle);
        errno = kind == EntryKind::Link ? ELOOP : kind == EntryKind::Folder ? EISDIR : ENXIO;
        return false;
    }
    return true;
}

} // namespace

EntryKind entryKind(const QString& path) {
    const DWORD attributes = ::GetFileAttributesW(nameOf(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return EntryKind::Missing;
    return kindOfAttributes(attributes);
}

bool kindOf(int fd, OpenedKind& out) {
    const HANDLE handle = handleOf(fd);
    if (handle == INVALID_HANDLE_VALUE) {
        errno = EBADF;
        return false;
    }
    if (::GetFileType(handle) != FILE_TYPE_DISK) {
        out.kind = EntryKind::Other;
        out.size = 0;
        return true;
    }
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info)) {
        failed(::GetLastError());
        return false;
    }
    out.kind = kindOfAttributes(info.dwFileAttributes);
    out.size = (static_cast<std::int64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return true;
}

int openForReading(const QString& path) {
    // Backup semantics let a folder be opened, so that it is reported as a folder rather than as denied.
    const Opened opened = openHandle(path, GENERIC_READ, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS);
    if (!opened.ok)
        return failed(opened.error);
    return descriptorOf(opened.handle, _O_RDONLY);
}

int createExclusive(const QString& path) {
    // CREATE_NEW fails on anything at the name, a reparse point included, so no link is ever followed.
    const Opened opened = openHandle(path, GENERIC_WRITE, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
    if (!opened.ok)
        return failed(opened.error);
    return descriptorOf(opened.handle, _O_WRONLY);
}

int openExistingForWriting(const QString& path) {
    // The reparse point itself is opened, never its target, and then refused.
    const Opened opened = openHandle(path, GENERIC_WRITE, OPEN_EXISTING,
                                     FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS);
    if (!opened.ok)
        return failed(opened.error);
    if (!plainFileHandle(opened.handle))
        return -1;
    return descriptorOf(opened.handle, _O_WRONLY);
}

int openForAppend(const QString& path, bool create) {
    // A log reached through a link is appended to, as on POSIX; only a plain file is written.
    const Opened opened = openHandle(path, GENERIC_WRITE, create ? OPEN_ALWAYS : OPEN_EXISTING, 0);
    if (!opened.ok)
        return failed(opened.error);
    if (!plainFileHandle(opened.handle))
        return -1;
    const int fd = descriptorOf(opened.handle, _O_WRONLY | _O_APPEND);
    if (fd >= 0)
        ::_lseeki64(fd, 0, SEEK_END);
    return fd;
}

int flushFile(int fd) {
    if (::FlushFileBuffers(handleOf(fd)))
        return 0;
    return failed(::GetLastError());
}

int openFolderForSync(const QString&) {
    // Windows has no folder sync: a rename is written through (MOVEFILE_WRITE_THROUGH) instead, and NTFS
    // journals the entries of a new file or folder.
    errno = ENOTSUP;
    return -1;
}

int flushFolder(int) {
    return 0;
}

int closeFile(int fd) {
    return ::_close(fd);
}

bool writeAll(int fd, const char* data, std::int64_t size) {
    const HANDLE handle = handleOf(fd);
    for (std::int64_t written = 0; written < size;) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::int64_t>(size - written, 1 << 30));
        DWORD done = 0;
        if (!::WriteFile(handle, data + written, chunk, &done, nullptr)) {
            failed(::GetLastError());
            return false;
        }
        if (done == 0) {
            errno = ENOSPC;
            return false;
        }
        written += done;
    }
    return true;
}

bool rewriteInPlace(int fd, const char* data, std::int64_t size) {
    if (::_lseeki64(fd, 0, SEEK_SET) != 0 || !writeAll(fd, data, size))
        return false;
    return truncateFile(fd, size);
}

bool truncateFile(int fd, std::int64_t size) {
    LARGE_INTEGER at{};
    at.QuadPart = size;
    const HANDLE handle = handleOf(fd);
    if (!::SetFilePointerEx(handle, at, nullptr, FILE_BEGIN) || !::SetEndOfFile(handle)) {
        failed(::GetLastError());
        return false;
    }
    return true;
}

int replaceFile(const QString& from, const QString& to) {
    const std::wstring source = nameOf(from);
    const std::wstring target = nameOf(to);
    struct Moved {
        DWORD error = 0;
        bool ok = false;
    };
    // Replaces a link itself, never its target; the new entry is on the disk when the call returns.
    const Moved moved = retryShared([&] {
        Moved result;
        result.ok = ::MoveFileExW(source.c_str(), target.c_str(),
                                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        result.error = result.ok ? 0 : ::GetLastError();
        return result;
    });
    return moved.ok ? 0 : failed(moved.error);
}

int makeFolder(const QString& path) {
    if (::CreateDirectoryW(nameOf(path).c_str(), nullptr))
        return 0;
    return failed(::GetLastError());
}

bool modificationStamp(const QString& path, std::int64_t& size, std::int64_t& nanoseconds) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!::GetFileAttributesExW(nameOf(path).c_str(), GetFileExInfoStandard, &data))
        return false;
    size = (static_cast<std::int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    const std::int64_t ticks = (static_cast<std::int64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                               data.ftLastWriteTime.dwLowDateTime;
    nanoseconds = ticks * 100;
    return true;
}

} // namespace qvmd::platform
