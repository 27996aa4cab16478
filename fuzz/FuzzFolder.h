#pragma once

#include "core/common/DiskSync.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace qvmd::fuzz {

// The targets check what is written and read, not that it reaches the disk: no sync slows them.
class NoSync : public DiskSync {
public:
    int sync(int, Target, const QString&) const override { return 0; }
};

// One program folder for the whole run; each input is written into Data/ and read back through the real
// file layer, as the program reads it.
class FuzzFolder {
public:
    static FuzzFolder& instance() {
        static FuzzFolder folder;
        return folder;
    }
    const ProgramFolder& folder() const { return folder_; }
    const DiskSync& sync() const { return sync_; }
    void put(const char* name, QByteArrayView bytes) const {
        QFile file(folder_.data(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(bytes.data(), bytes.size()) != bytes.size())
            __builtin_trap();
    }

private:
    FuzzFolder() : folder_(dir_.path()) { QDir(dir_.path()).mkpath(QStringLiteral("Data")); }
    QTemporaryDir dir_;
    ProgramFolder folder_;
    NoSync sync_;
};

inline QByteArrayView bytesOf(const std::uint8_t* data, std::size_t size) {
    return QByteArrayView(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

} // namespace qvmd::fuzz
