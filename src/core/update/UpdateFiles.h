#pragma once

#include <QString>
#include <QUrl>

#include <array>

namespace qvmd {

// The five files the organiser publishes, in the order the manifest and Agg.dat list them.
struct UpdateFile {
    QString caption;   // the row of the update window
    QString localName; // in the Data folder
};

inline constexpr int UpdateFileCount = 5;
const std::array<UpdateFile, UpdateFileCount>& updateFiles();

// Where file i lies on the server: the base address, the manifest item and ".dat", joined as they stand.
QString fileAddress(const QString& baseAddress, const QString& item);

// The manifest on the server of the base address; empty when the base address names no server.
QUrl manifestAddress(const QString& baseAddress);

} // namespace qvmd
