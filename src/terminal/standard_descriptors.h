// Standard input, output and error made valid before anything opens a file: a program
// started with one of them closed would otherwise find its own pipe or file there, and read
// its keys from it or write its screens into it.
#pragma once

namespace tarnwick {

// Opens /dev/null on each of the descriptors 0, 1 and 2 that is closed. A closed standard
// input so becomes one that has ended at once.
void openClosedStandardDescriptors();

}  // namespace tarnwick
