// The picture maze as it stands after its build.
#pragma once

#include <array>
#include <string_view>

namespace tarnwick {

inline constexpr int PictureMazeSize = 54;

// The board after the build, one character per cell: '#' wall, '.' floor, 'E' entrance,
// 'X' exit. Rows from the top, columns from the left.
extern const std::array<std::string_view, PictureMazeSize> pictureMazeLayout;

}  // namespace tarnwick
