#pragma once

#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace qvmd::fuzz {

// One program folder for the whole run; each input is written into Data/ and read back through the real
// file layer, as the program reads it.
class FuzzFolder {
public:
    static FuzzFolder& instance() {
        static FuzzFolder folder;
        return folder;
    }
    const ProgramFolder& folder() const { return folder_; }
    void put(const char* name, QByteArrayView bytes) const {
        QFile file(folder_.data(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), bytes.size()) != bytes.size())
            __builtin_trap();
    }

private:
    FuzzFolder() : folder_(dir_.path()) {
        QDir(dir_.path()).mkpath(QStringLiteral("Data"));
        // The targets check what is written and read, not that it reaches the disk: no sync slows them.
        replaceSyncCall([](int) { return 0; });
    }
    QTemporaryDir dir_;
    ProgramFolder folder_;
};

inline QByteArrayView bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace qvmd::fuzz
