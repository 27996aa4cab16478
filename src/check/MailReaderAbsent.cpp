#include "check/MailReader.h"

// Built without GMime: --mail then reports that this program cannot read mail.
std::unique_ptr<qvmd::MailSource> makeMailReader() {
    return nullptr;
}
