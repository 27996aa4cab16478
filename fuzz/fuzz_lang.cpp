#include "FuzzFolder.h"
#include "core/app/StartupFiles.h"

// Lang.dat on arbitrary bytes: always read, and always one of the two languages.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    fuzz.put("Lang.dat", qvmd::fuzz::bytesOf(data, size));
    const qvmd::Result<std::int16_t> language = qvmd::readLangFile(fuzz.folder());
    if (!language || (language.value() != 0 && language.value() != 1000))
        __builtin_trap();
    return 0;
}
