#include "terminal/width_probe.h"

namespace tarnwick {

AmbiguousWidth widthFromColumn(int column) {
    switch (column) {
        case 2:
            return AmbiguousWidth::Narrow;
        case 3:
            return AmbiguousWidth::Wide;
        default:
            return AmbiguousWidth::Unknown;
    }
}

}  // namespace tarnwick
