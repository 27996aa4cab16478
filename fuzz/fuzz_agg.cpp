#include "FuzzFolder.h"
#include "core/update/InstalledVersions.h"
#include "core/update/UpdateManifest.h"

// Agg.dat and the manifest on arbitrary bytes: the first byte picks the replaced files, the manifest runs
// to the first zero byte, Agg.dat is the rest. Agg.dat is always read; the rewrite after an update has
// six lines, the new codes where a file was replaced and the old lines elsewhere, and reads back as written.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    const QByteArray rest = qvmd::fuzz::bytesOf(data + 1, size - 1).toByteArray();
    const qsizetype split = rest.indexOf('\0');
    const QByteArray manifestBytes = split < 0 ? rest : rest.left(split);
    const QByteArray aggBytes = split < 0 ? QByteArray() : rest.mid(split + 1);
    std::array<bool, qvmd::UpdateFileCount> replaced{};
    for (int i = 0; i < qvmd::UpdateFileCount; ++i)
        replaced[static_cast<std::size_t>(i)] = (data[0] >> i) & 1;

    fuzz.put("Agg.dat", aggBytes);
    const QString path = fuzz.folder().data(QStringLiteral("Agg.dat"));
    const qvmd::Result<qvmd::InstalledVersions> read = qvmd::InstalledVersions::load(path);
    if (!read)
        __builtin_trap();
    const qvmd::UpdateManifest manifest = qvmd::UpdateManifest::parse(manifestBytes);
    for (int i = 0; i < qvmd::UpdateFileCount; ++i)
        (void)qvmd::isCurrentVersion(manifest.item(i), read.value().line(i));

    const QStringList lines = read.value().afterUpdate(manifest, replaced);
    if (lines.size() != qvmd::InstalledVersions::WrittenLines)
        __builtin_trap();
    for (int i = 0; i < qvmd::InstalledVersions::WrittenLines; ++i) {
        const bool isReplaced = i < qvmd::UpdateFileCount && replaced[static_cast<std::size_t>(i)];
        const QString expected = isReplaced ? manifest.versionCode(i).trimmed() : read.value().line(i);
        if (lines[i] != expected)
            __builtin_trap();
    }
    if (qvmd::writeLines(path, lines))
        __builtin_trap();
    const qvmd::Result<qvmd::InstalledVersions> again = qvmd::InstalledVersions::load(path);
    if (!again)
        __builtin_trap();
    // What the next update compares with is what was written, as far as a line can hold it (a line
    // break splits it; a first line that starts as a byte-order mark loses it when read).
    const QString byteOrderMark = QString::fromUtf8("\u00EF\u00BB\u00BF");
    for (int i = 0; i < qvmd::InstalledVersions::WrittenLines; ++i) {
        const bool holdable = !lines[i].contains(QLatin1Char('\n')) &&
                              !lines[i].contains(QLatin1Char('\r')) &&
                              !(i == 0 && lines[i].startsWith(byteOrderMark));
        if (holdable && again.value().line(i) != lines[i])
            __builtin_trap();
    }
    return 0;
}
