#include "support/random_drawing.h"

namespace tarnwick::testing {

bool RandomDrawing::step(Screen& screen, int& columns, int& rows) {
    const int writes = 1 + below(shape_.mostWrites);
    for (int i = 0; i < writes; ++i) {
        const int x = below(shape_.spanColumns);
        const int y = below(shape_.spanRows);
        screen.moveTo(x, y);
        screen.print(pieces_[static_cast<std::size_t>(below(static_cast<int>(pieces_.size())))]);
    }
    if (below(shape_.clearOneIn) == 0) {
        screen.clear();
    }
    if (below(shape_.resizeOneIn) != 0) {
        return false;
    }
    columns = shape_.fewestColumns + below(shape_.moreColumns);
    rows = shape_.fewestRows + below(shape_.moreRows);
    return true;
}

}  // namespace tarnwick::testing
