// The fuzz target: the whole program on the test console, with the keys and their due times,
// the random values, the terminal size and the resize events taken from the fuzz input (see
// fuzz_input.h). Built with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The program ends every run, whatever the keys, with status 0.
    if (tarnwick::fuzz::runFuzzInput(std::span(data, size)) != 0) {
        std::abort();
    }
    return 0;
}
