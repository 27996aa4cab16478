#include "check/MailReader.h"

#include "core/mail/GMimeMailSource.h"

std::unique_ptr<qvmd::MailSource> makeMailReader() {
    return std::make_unique<qvmd::GMimeMailSource>();
}
