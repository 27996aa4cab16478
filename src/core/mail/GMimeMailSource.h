#pragma once

#include "core/check/ReceivedMail.h"

namespace qvmd {

// The checker's mail reader: an mbox file (cut into messages as it is read), a Maildir folder (the
// messages in new/ and cur/) or a folder of .eml files, each read as a stream and never written to.
// Messages are parsed in batches on every core; logs and notes come out in mailbox order.
class GMimeMailSource : public MailSource {
public:
    void read(const QStringList& mailboxes, const std::function<void(ReceivedLog&&)>& take,
              const std::function<void(MailNote&&)>& note) override;
};

} // namespace qvmd
