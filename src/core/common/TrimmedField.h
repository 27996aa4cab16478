#pragma once

#include <QStringView>

namespace qvmd {

// QStringView::trimmed() for passes over every field of a log: fields as the program writes them have
// no blanks at their ends, and those are returned without a call.
inline QStringView trimmedField(QStringView text) {
    auto printable = [](QChar c) { return c.unicode() > u' ' && c.unicode() < 0x7f; };
    if (text.isEmpty() || (printable(text.front()) && printable(text.back())))
        return text;
    return text.trimmed();
}

} // namespace qvmd
