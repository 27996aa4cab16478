#include "core/common/ProgramFolder.h"

namespace qvmd {

QString ProgramFolder::path(const QString& relative) const {
    const bool backslashStyle = folder_.contains(QLatin1Char('\\')) && !folder_.contains(QLatin1Char('/'));
    const QChar separator = backslashStyle ? QLatin1Char('\\') : QLatin1Char('/');
    QString tail = relative;
    tail.replace(QLatin1Char(backslashStyle ? '/' : '\\'), separator);
    if (folder_.endsWith(QLatin1Char('/')) || folder_.endsWith(QLatin1Char('\\')))
        return folder_ + tail;
    return folder_ + separator + tail;
}

} // namespace qvmd
