// The fuzz target of the settings and records formats: any bytes as either file (see
// format_checks.h for the properties). Built with libFuzzer, AddressSanitizer and
// UndefinedBehaviorSanitizer.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/format_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string failure =
        tarnwick::storage::checkFormats({reinterpret_cast<const char*>(data), size});
    if (!failure.empty()) {
        std::fprintf(stderr, "%s\n", failure.c_str());
        std::abort();
    }
    return 0;
}
