#include "fuzz/render_checks.h"

#include <algorithm>
#include <memory>
#include <string_view>

#include "console/renderer.h"
#include "console/screen.h"
#include "console/strict_terminal.h"
#include "console/view.h"

namespace tarnwick::fuzz {

namespace {

constexpr std::string_view SyncStart = "\x1b[?2026h";
constexpr std::string_view SyncEnd = "\x1b[?2026l";

// Reads the bytes in order; past the end every byte reads as 0.
class Bytes {
  public:
    explicit Bytes(std::span<const std::uint8_t> data) : data_(data) {}
    bool atEnd() const { return pos_ >= data_.size(); }
    int next() { return atEnd() ? 0 : data_[pos_++]; }
    std::string_view take(std::size_t count) {
        count = std::min(count, data_.size() - std::min(pos_, data_.size()));
        const auto* start = reinterpret_cast<const char*>(data_.data()) + pos_;
        pos_ += count;
        return {start, count};
    }

  private:
    std::span<const std::uint8_t> data_;
    std::size_t pos_ = 0;
};

std::size_t countOf(std::string_view text, std::string_view part) {
    std::size_t count = 0;
    for (auto at = text.find(part); at != std::string_view::npos; at = text.find(part, at + 1)) {
        ++count;
    }
    return count;
}

// A frame is unbracketed, or one synchronized update from its first byte to its last.
std::string bracketFault(std::string_view frame) {
    const std::size_t starts = countOf(frame, SyncStart);
    const std::size_t ends = countOf(frame, SyncEnd);
    if (starts == 0 && ends == 0) {
        return "";
    }
    if (starts == 1 && ends == 1 && frame.starts_with(SyncStart) && frame.ends_with(SyncEnd)) {
        return "";
    }
    return "synchronized-update brackets not around the whole frame\n";
}

struct Rig {
    explicit Rig(Screen& canvas) : screen(canvas) {}
    int columns = 1;
    int rows = 1;
    bool wide = false;
    Screen& screen;
    View view;
    Renderer renderer;
    testing::StrictTerminal terminal{1, 1};

    // A new terminal of the size and width: its content is unknown, the renderer starts over.
    void newTerminal() {
        terminal = testing::StrictTerminal(columns, rows, wide);
        renderer.setAmbiguousWide(wide);
        renderer.invalidate();
    }

    std::string frame() {
        const ViewFrame shown = view.frame(screen, columns, rows);
        const std::string bytes = renderer.frame(screen, shown);
        terminal.feed(bytes);
        std::string out = terminal.faults() + bracketFault(bytes);
        out += terminal.differencesFrom(screen, shown);
        return out;
    }
};

int coordinate(Bytes& in, int range, int below) {
    const int low = in.next();
    return (low | in.next() << 8) % range - below;
}

void readSize(Bytes& in, Rig& rig) {
    rig.columns = 1 + in.next() % 120;
    rig.rows = 1 + in.next() % 48;
}

// Runs one step other than a frame.
void step(int op, Bytes& in, Rig& rig) {
    switch (op) {
        case 0: {
            const int x = coordinate(in, 272, 8);
            rig.screen.moveTo(x, in.next() % 112 - 4);
            break;
        }
        case 1:
            rig.screen.print(in.take(static_cast<std::size_t>(in.next() % 64)));
            break;
        case 2:
            rig.screen.clear();
            rig.view.showText();
            break;
        case 3:
            readSize(in, rig);
            rig.newTerminal();
            break;
        case 4: {
            BoardArea area;
            area.column = in.next() % 64;
            area.row = in.next() % 16;
            area.cellsAcross = in.next() % 64;
            area.cellsDown = in.next() % 64;
            area.cellColumns = 1 + in.next() % 2;
            rig.view.showBoard(area);
            break;
        }
        case 5: {
            const int x = coordinate(in, 272, 8);
            rig.view.keepInSight(x, in.next() % 112 - 4);
            break;
        }
        default:
            rig.wide = !rig.wide;
            rig.newTerminal();
            break;
    }
}

}  // namespace

std::string checkRendering(std::span<const std::uint8_t> data) {
    Bytes in(data);
    // The canvas is large: one is kept for every input, cleared as a new one would be.
    static Screen canvas;
    canvas.clear();
    canvas.print("\x1b[m");
    auto rig = std::make_unique<Rig>(canvas);
    readSize(in, *rig);
    const int flags = in.next();
    rig->wide = (flags & 1) != 0;
    rig->renderer.setSideMargins((flags & 2) != 0);
    rig->newTerminal();
    int cells = 0;
    for (int frames = 1; frames < MaxFrames && cells < MaxFrameCells && !in.atEnd();) {
        const int op = in.next() % 8;
        if (op != 7) {
            step(op, in, *rig);
            continue;
        }
        if (std::string failure = rig->frame(); !failure.empty()) {
            return "frame " + std::to_string(frames) + ":\n" + failure;
        }
        ++frames;
        cells += rig->columns * rig->rows;
    }
    const std::string failure = rig->frame();
    return failure.empty() ? "" : "last frame:\n" + failure;
}

}  // namespace tarnwick::fuzz
