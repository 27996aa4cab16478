#pragma once

#include "core/check/ReceivedMail.h"

#include <memory>

// The checker's mail reader, or none when the program is built without one (no GMime for the target).
std::unique_ptr<qvmd::MailSource> makeMailReader();
