#include "FuzzFolder.h"
#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"

// Prime.dat on arbitrary bytes: always read, the identifier and name trimmed.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    fuzz.put("Prime.dat", qvmd::fuzz::bytesOf(data, size));
    qvmd::AppState state(fuzz.folder().folder());
    if (qvmd::readPrimeFile(state))
        __builtin_trap();
    if (state.RegisteredUnitId != state.RegisteredUnitId.trimmed() ||
        state.RegisteredName != state.RegisteredName.trimmed())
        __builtin_trap();
    return 0;
}
