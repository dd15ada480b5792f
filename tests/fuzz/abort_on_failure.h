// What a fuzz target does with a failed check: prints it and aborts, so that libFuzzer keeps
// the input as a finding.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace tarnwick::fuzz {

inline void abortOnFailure(const std::string& failure) {
    if (!failure.empty()) {
        std::fprintf(stderr, "%s", failure.c_str());
        std::abort();
    }
}

}  // namespace tarnwick::fuzz
