// The fuzz target of the settings and records formats: any bytes as either file (see
// format_checks.h for the properties). Built with libFuzzer, AddressSanitizer and
// UndefinedBehaviorSanitizer.
#include <cstdint>

#include "fuzz/abort_on_failure.h"
#include "fuzz/format_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnwick::fuzz::abortOnFailure(
        tarnwick::storage::checkFormats({reinterpret_cast<const char*>(data), size}));
    return 0;
}
