// The fuzz target of the output encoder: any bytes as UTF-8 text to encode to GBK and GB18030
// (see encoding_checks.h for the property). Built with libFuzzer, AddressSanitizer and
// UndefinedBehaviorSanitizer.
#include <cstdint>

#include "fuzz/abort_on_failure.h"
#include "fuzz/encoding_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnwick::fuzz::abortOnFailure(
        tarnwick::fuzz::checkEncoding({reinterpret_cast<const char*>(data), size}));
    return 0;
}
