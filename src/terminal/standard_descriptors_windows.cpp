#include "terminal/standard_descriptors.h"

namespace tarnwick {

// Windows never gives a file the program opens the place of a missing standard handle: a
// program started without one has none, and the console is reached by name (CONIN$).
void openClosedStandardDescriptors() {}

}  // namespace tarnwick
