// The fuzz target of the screen model, the view and the renderer: any bytes as a program of
// drawing steps and frames (see render_checks.h for the steps and the property). Built with
// libFuzzer, AddressSanitizer and UndefinedBehaviorSanitizer.
#include <cstdint>
#include <span>

#include "fuzz/abort_on_failure.h"
#include "fuzz/render_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    tarnwick::fuzz::abortOnFailure(tarnwick::fuzz::checkRendering(std::span(data, size)));
    return 0;
}
