// The fuzz target of the real terminal's key input: any bytes as the terminal's input in
// bursts, after the width probe (see key_checks.h for the bursts and the property). Built
// with libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
#include <cstdint>
#include <span>

#include "fuzz/abort_on_failure.h"
#include "fuzz/key_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnwick::fuzz::abortOnFailure(tarnwick::fuzz::checkKeys(std::span(data, size)));
    return 0;
}
