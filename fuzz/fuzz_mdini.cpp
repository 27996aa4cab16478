#include "FuzzFolder.h"
#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"

// Md.ini on arbitrary bytes: always eleven trimmed entries.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    fuzz.put("Md.ini", qvmd::fuzz::bytesOf(data, size));
    qvmd::AppState state(fuzz.folder().folder());
    if (qvmd::readMdIni(state) || state.SettingsEntries.size() != 11)
        __builtin_trap();
    for (const QString& entry : state.SettingsEntries) {
        if (entry != entry.trimmed())
            __builtin_trap();
    }
    return 0;
}
