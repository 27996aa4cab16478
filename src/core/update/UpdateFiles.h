#pragma once

#include "core/update/DownloadFault.h"

#include <QByteArray>
#include <QString>
#include <QUrl>

#include <array>
#include <optional>

namespace qvmd {

// The five files the organiser publishes, in the order the manifest and Agg.dat list them.
struct UpdateFile {
    QString caption;   // the row of the update window
    QString localName; // in the Data folder
};

inline constexpr int UpdateFileCount = 5;
const std::array<UpdateFile, UpdateFileCount>& updateFiles();

// The line of Md.ini (0-based) that holds the base address.
inline constexpr int BaseAddressEntry = 6;

// The base address as a URL when it is one the program fetches from: http or https, with a server.
// Anything else (no scheme, another scheme, no server) is invalid and is never fetched.
QUrl baseUrl(const QString& baseAddress);

// Where file i lies on the server: the manifest item and ".dat" appended to the base's path, with every
// character of the item taken as part of the path, so no item can name another server, port or scheme.
// Empty when the base is unusable or the item climbs out of the base's folder ("..").
QString fileAddress(const QString& baseAddress, const QString& item);

// The manifest on the server of the base address; empty when the base address is unusable.
QUrl manifestAddress(const QString& baseAddress);

// A downloaded Md.ini may not take the updates away: its base address must be usable, and it may not
// turn a secure base address into a plain one.
std::optional<DownloadFault> checkNewSettings(const QString& currentBase, const QByteArray& bytes);

} // namespace qvmd
