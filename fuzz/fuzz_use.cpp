#include "FuzzFolder.h"
#include "core/station/UseFile.h"

// Use.dat on arbitrary bytes: always read, whatever it holds.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    fuzz.put("Use.dat", qvmd::fuzz::bytesOf(data, size));
    if (!qvmd::readUseFile(fuzz.folder(), qvmd::UseRecord{}))
        __builtin_trap();
    return 0;
}
