#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

#include "core/check/ReceivedMail.h"

namespace qvmd {

// A log's name as the program makes it (identifier, "_MD_", category, "_", year, ".Log"), letter case
// ignored: 5QV123_MD_L_2015.Log, 5qv123_md_l_2015.LOG.
bool isLogName(const QString& name);

// A compressed archive, by its name or its content type; its logs would be out of sight.
bool isArchive(const QString& name, const QString& mimeType);

// Why the bytes of an attachment named as a log are no log, or nothing when they are one: a log begins
// (after a byte-order mark and blank lines) with a header line "#", and a text file holds no zero byte.
std::optional<MailNote::Kind> notALog(QByteArrayView bytes);

} // namespace qvmd
