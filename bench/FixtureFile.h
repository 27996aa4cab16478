#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cstdio>

// Writes one file of a benchmark's generated data; a failure is said at once, since every figure after
// it would measure the wrong thing.
inline void writeFixtureFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
}
