// The renderer's output fed into a real terminal emulator (libvterm) reproduces the screen
// model, through random drawings, clears and resizes.
#include <gtest/gtest.h>
#include <vterm.h>

#include <string>
#include <string_view>

#include "console/renderer.h"
#include "console/screen.h"
#include "support/random_drawing.h"

namespace tarnwick {
namespace {

using testing::DrawingShape;
using testing::RandomDrawing;

class Emulator {
  public:
    Emulator(int columns, int rows) : vt_(vterm_new(rows, columns)) {
        vterm_set_utf8(vt_, 1);
        screen_ = vterm_obtain_screen(vt_);
        vterm_screen_enable_altscreen(screen_, 1);
        vterm_screen_reset(screen_, 1);
    }
    ~Emulator() { vterm_free(vt_); }
    Emulator(const Emulator&) = delete;
    Emulator& operator=(const Emulator&) = delete;

    void feed(const std::string& bytes) { vterm_input_write(vt_, bytes.data(), bytes.size()); }
    void resize(int columns, int rows) { vterm_set_size(vt_, rows, columns); }

    // The first cells where the emulator and the screen model disagree. A drawing that does
    // not fit leaves the last row to the size notice.
    std::string differencesFrom(const Screen& screen, int columns, int rows) const {
        std::string out;
        const bool tooSmall = screen.usedColumns() > columns || screen.usedRows() > rows;
        if (tooSmall && !rowText(rows - 1, columns).starts_with("窗口太")) {
            out += "no size notice on the last row: " + rowText(rows - 1, columns) + "\n";
        }
        for (int y = 0; y < (tooSmall ? rows - 1 : rows); ++y) {
            for (int x = 0; x < columns; ++x) {
                Cell want = screen.cell(x, y);
                if (want.width == 0) {
                    continue;
                }
                if (want.width == 2 && x == columns - 1) {
                    want = Cell{U' ', 1, want.style};
                }
                VTermScreenCell have{};
                vterm_screen_get_cell(screen_, VTermPos{y, x}, &have);
                const char32_t ch = have.chars[0] == 0 ? U' ' : have.chars[0];
                if (ch != want.ch || have.width != want.width ||
                    colour(have.fg, true) != want.style.fg ||
                    colour(have.bg, false) != want.style.bg) {
                    out += "at " + std::to_string(x) + "," + std::to_string(y) + " emulator U+" +
                           std::to_string(static_cast<unsigned>(ch)) + " fg " +
                           std::to_string(colour(have.fg, true)) + " bg " +
                           std::to_string(colour(have.bg, false)) + "; screen U+" +
                           std::to_string(static_cast<unsigned>(want.ch)) + " fg " +
                           std::to_string(want.style.fg) + " bg " + std::to_string(want.style.bg) +
                           "\n";
                    if (out.size() > 400) {
                        return out;
                    }
                }
            }
        }
        return out;
    }

    std::string rowText(int y, int columns) const {
        std::string out;
        for (int x = 0; x < columns;) {
            VTermScreenCell cell{};
            vterm_screen_get_cell(screen_, VTermPos{y, x}, &cell);
            appendUtf8(out, cell.chars[0] == 0 ? U' ' : cell.chars[0]);
            x += cell.width > 1 ? cell.width : 1;
        }
        return out;
    }

  private:
    static int colour(const VTermColor& c, bool foreground) {
        if (foreground ? VTERM_COLOR_IS_DEFAULT_FG(&c) : VTERM_COLOR_IS_DEFAULT_BG(&c)) {
            return ColourDefault;
        }
        return VTERM_COLOR_IS_INDEXED(&c) ? c.indexed.idx : -1;
    }

    VTerm* vt_;
    VTermScreen* screen_;
};

TEST(RendererInEmulator, RandomDrawingsShowAsTheScreenModel) {
    const std::string_view pieces[] = {
        "怪",
        "ab",
        "\x1b[44;34m██\x1b[m",
        "· ",
        "\x1b[0;32;31m出",
        "\x1b[46;37m〇\x1b[m",
        "￥",
        "\x1b[m",
        "  ",
        "\x1b[43;35m",
        "当前金币 ￥：  12",
        "\x1b[40;32m入",
    };
    constexpr DrawingShape Shape{8, 44, 14, 12, 25, 20, 24, 5, 10};
    for (unsigned seed = 1; seed <= 30; ++seed) {
        RandomDrawing drawing(seed, pieces, Shape);
        int columns = 40;
        int rows = 12;
        Screen screen;
        Renderer renderer;
        Emulator emulator(columns, rows);
        for (int step = 0; step < 80; ++step) {
            if (drawing.step(screen, columns, rows)) {
                emulator.resize(columns, rows);
                renderer.invalidate();
            }
            emulator.feed(renderer.frame(screen, columns, rows));
            const std::string differences = emulator.differencesFrom(screen, columns, rows);
            ASSERT_EQ(differences, "") << "seed " << seed << " step " << step;
        }
    }
}

}  // namespace
}  // namespace tarnwick
