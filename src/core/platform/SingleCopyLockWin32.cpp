#include "core/platform/SingleCopyLock.h"

#include <QCryptographicHash>
#include <QDir>

#include <cerrno>
#include <string>
#include <windows.h>

namespace qvmd::platform {

namespace {

// The folder's final path as the system resolves it (links, 8.3 names and case settled), so every
// spelling of the folder gives the same name; empty when the folder cannot be opened.
QString canonicalFolder(const QString& folder, DWORD& error) {
    const std::wstring name = QDir::toNativeSeparators(folder).toStdWString();
    const HANDLE handle =
        ::CreateFileW(name.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        error = ::GetLastError();
        return QString();
    }
    // Backup semantics open a plain file as well: only a folder can be the program's.
    BY_HANDLE_FILE_INFORMATION info{};
    if (!::GetFileInformationByHandle(handle, &info) || !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
        ::CloseHandle(handle);
        error = ERROR_DIRECTORY;
        return QString();
    }
    std::wstring path(MAX_PATH, L'\0');
    DWORD length = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    if (length >= path.size()) {
        path.resize(length + 1);
        length = ::GetFinalPathNameByHandleW(handle, path.data(), static_cast<DWORD>(path.size()), 0);
    }
    error = length == 0 ? ::GetLastError() : 0;
    ::CloseHandle(handle);
    if (length == 0)
        return QString();
    path.resize(length);
    return QString::fromStdWString(path);
}

} // namespace

SingleCopyLock::SingleCopyLock(const QString& folder) {
    DWORD error = 0;
    const QString canonical = canonicalFolder(folder, error);
    if (canonical.isEmpty()) {
        error_ = error == ERROR_ACCESS_DENIED ? EACCES : error == ERROR_DIRECTORY ? ENOTDIR : ENOENT;
        return;
    }
    // A named mutex lives while a process holds a handle to it and goes with the last one, so a copy that
    // dies releases it; the name depends on the folder alone (names compared without regard to case).
    const QByteArray digest =
        QCryptographicHash::hash(canonical.toLower().toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    for (const char* scope : {"Global\\QV_md-", "Local\\QV_md-"}) {
        const std::wstring name = (QLatin1String(scope) + QString::fromLatin1(digest)).toStdWString();
        const HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name.c_str());
        if (!mutex) {
            // A user without rights to the global names still keeps copies of one session apart.
            if (::GetLastError() == ERROR_ACCESS_DENIED)
                continue;
            error_ = EIO;
            return;
        }
        handle_ = reinterpret_cast<std::intptr_t>(mutex);
        state_ = ::GetLastError() == ERROR_ALREADY_EXISTS ? State::HeldByAnother : State::Held;
        return;
    }
    error_ = EACCES;
}

SingleCopyLock::~SingleCopyLock() {
    if (handle_ != -1)
        ::CloseHandle(reinterpret_cast<HANDLE>(handle_));
}

} // namespace qvmd::platform
