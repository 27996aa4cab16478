#pragma once

#include "core/check/ReceivedMail.h"

#include <QByteArrayView>

#include <vector>

namespace qvmd {

// What one message holds for the checker: its logs and its notes, in the order of its parts.
struct MessageHarvest {
    std::vector<ReceivedLog> logs;
    std::vector<MailNote> notes;
};

// Reads one message (its bytes as stored, without an mbox "From " line): every attachment named as a log
// and every log whole in a text body, in forwarded messages too. Sender, date and subject fill in the
// origin given. Safe on any bytes; may run on several threads at once.
MessageHarvest scanMessage(QByteArrayView bytes, MessageOrigin origin);

// A message over the size limit: only its headers are read, from the first bytes given, for the note.
MessageHarvest tooLargeMessage(QByteArrayView head, MessageOrigin origin);

} // namespace qvmd
