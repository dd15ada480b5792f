#include "console/ambiguous_width.h"

#include <array>

namespace tarnwick {

namespace {

struct StandIn {
    char32_t ch;
    char narrow;
};

constexpr std::array<StandIn, 13> StandIns{{
    {U'█', '#'},
    {U'▇', '#'},
    {U'●', 'o'},
    {U'·', '.'},
    {U'—', '-'},
    {U'←', '<'},
    {U'→', '>'},
    {U'↑', '^'},
    {U'↓', 'v'},
    {U'↖', '\\'},
    {U'↗', '/'},
    {U'↙', '/'},
    {U'↘', '\\'},
}};

}  // namespace

char narrowStandIn(char32_t ch) {
    for (const StandIn& s : StandIns) {
        if (s.ch == ch) {
            return s.narrow;
        }
    }
    return 0;
}

void fitAmbiguousToWide(std::vector<Cell>& row) {
    const std::size_t size = row.size();
    for (std::size_t x = 0; x < size; ++x) {
        Cell& c = row[x];
        const char narrow = c.width == 1 ? narrowStandIn(c.ch) : 0;
        if (narrow == 0) {
            continue;
        }
        const bool padded = x + 1 < size && row[x + 1].width == 1 && row[x + 1].style == c.style &&
                            (row[x + 1].ch == c.ch || row[x + 1].ch == U' ');
        if (padded) {
            c.width = 2;
            row[x + 1] = Cell{U' ', 0, c.style};
            ++x;
        } else {
            c.ch = static_cast<char32_t>(narrow);
        }
    }
}

}  // namespace tarnwick
