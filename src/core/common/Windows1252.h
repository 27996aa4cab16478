#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace qvmd {

// The files are in the Windows ANSI code page; Qt has no built-in codec for it on every platform.
QString fromWindows1252(QByteArrayView bytes);
// Characters outside the code page become "?", as the Windows conversion does.
QByteArray toWindows1252(const QString& text);

} // namespace qvmd
