#pragma once

#include "core/common/FileError.h"

#include <QString>

namespace qvmd {

// A file failure in the program's words, in the language of the offset (0 or 1000): which file, what
// failed and why, all in the one language, from the string table.
QString fileErrorText(const FileError& error, int languageOffset);

// A value read from a file, fit to be quoted in a message: control characters shown as escapes and the
// text cut to a few dozen characters, so a garbage line cannot flood the message.
QString quotedValue(const QString& value);

} // namespace qvmd
