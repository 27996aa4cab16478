#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/update/FileShape.h"
#include "core/update/UpdateManifest.h"

#include <cstddef>
#include <cstdint>

// The manifest and the checks on downloaded files, on arbitrary bytes: a manifest never reaches past its
// first 1000 bytes, and whatever the checks let through loads as the file it replaces.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const qvmd::UpdateManifest manifest = qvmd::UpdateManifest::parse(bytes);
    qsizetype characters = 0;
    for (int i = 0; i < manifest.itemCount(); ++i)
        characters += manifest.item(i).size();
    if (characters > qvmd::UpdateManifest::ReadLimit)
        __builtin_trap();
    for (int file = 0; file < 5; ++file) {
        if (qvmd::checkFileShape(file, bytes))
            continue;
        if (bytes.isEmpty() || bytes.contains('\0'))
            __builtin_trap();
        if (file == 2 && qvmd::splitLines(bytes).size() > qvmd::CountryTable::MaxCountries)
            __builtin_trap();
    }
    return 0;
}
