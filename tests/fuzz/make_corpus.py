#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets: tests/fuzz/corpus/, hand-made inputs of
fuzz_program that reach every screen (tests/fuzz/fuzz_input.h describes their bytes), and
corpus_render/, corpus_keys/ and corpus_encoding/ for the fast targets. Most inputs of
fuzz_program use a terminal just large enough for their screens: the renderer's work grows with
the terminal's size, and the fuzzer tries other sizes by itself."""
import os
import struct
import sys

WAIT, RANDOM, SMALL_RANDOM, RESIZE, KEY = 0xF0, 0xF1, 0xF2, 0xF3, 0xF4


def size(columns, rows):
    """Two bytes s0 s1 for 1 + s0 + 64 (s1 & 1) columns and 1 + (s1 >> 1) rows."""
    wide = 1 if columns > 256 else 0
    return bytes([columns - 1 - 64 * wide, ((rows - 1) << 1) | wide])


def header(columns=100, rows=30, seed=1, ambiguous_wide=False, every_frame=False):
    """The terminal, the engine's seed, and the flags: ambiguous characters two columns wide,
    frames at every sleep, tone and key read (as on a terminal) rather than none."""
    flags = (1 if ambiguous_wide else 0) | (2 if every_frame else 0)
    return size(columns, rows) + struct.pack("<HB", seed, flags)


def wait(ms):
    """Wait records of 10 ms steps, at most 2.55 s each."""
    out = b""
    while ms > 0:
        step = min(ms, 2550)
        out += bytes([WAIT, step // 10])
        ms -= step
    return out


def keys(text, gap_ms=0):
    """Each key of the text, gap_ms after the one before."""
    out = b""
    for ch in text.encode():
        out += (wait(gap_ms) if gap_ms else b"") + bytes([ch])
    return out


def resize(columns, rows):
    return bytes([RESIZE]) + size(columns, rows)


def randoms(*values):
    out = b""
    for v in values:
        out += bytes([SMALL_RANDOM, v]) if v < 256 else bytes([RANDOM]) + struct.pack("<I", v)
    return out


# The random values that carve a 25 x 25 board: 2 for the start room, 4 for each of its rooms.
CARVE_25 = 2 + 4 * 12 * 12


def mode(n):
    return keys("22" + str(n))


CORPUS = {
    # The main menu with keys that mean nothing, an arrow key, then quit.
    "menu_only": header() + keys("x9A\x1b[A0"),
    # A default timed game: moves, pause and back, pause and leave, quit.
    "game_timed": header(every_frame=True) + keys("1") + keys("ddssddssaaww", 150)
    + keys("0x", 300) + keys("dsdsds", 120) + keys("00", 300) + keys("0"),
    # Map settings (size 3, monster level 5), then a game.
    "settings_map": header(110, 40) + keys("2135") + keys("21xx") + keys("1")
    + keys("sdsdsdsd", 200) + keys("000"),
    # Map settings with keys out of range.
    "settings_map_out_of_range": header() + keys("21x7") + keys("0"),
    # Each mode, then a game in it.
    "mode_autowalk": header() + mode(2) + keys("1") + wait(20000) + keys("x0"),
    "mode_endless": header() + mode(3) + keys("1") + keys("dsdsdsddss", 100) + keys("000"),
    "mode_wargod": header() + mode(4) + keys("1")
    + keys("w" * 5 + "a" * 5 + "d" * 60 + "s" * 60, 100) + keys("000"),
    "mode_easter_egg": header(160, 60, ambiguous_wide=True, every_frame=True) + mode(5)
    + keys("1") + keys("dsdsdsdsp3x", 100) + keys("000"),
    # Easter egg, then back to a carved mode without the map settings.
    "mode_easter_then_timed": header(130, 48) + mode(5) + mode(1) + keys("1")
    + keys("ddss", 100) + keys("000"),
    # Lives and shop settings, each value.
    "settings_lives": header() + keys("235") + keys("23x") + keys("0"),
    "settings_shop": header() + keys("240") + keys("1p") + keys("00") + keys("241") + keys("0"),
    "settings_other_key": header() + keys("2x") + keys("0"),
    # The shop during a game: a life, the knife, the gun, refusals, then the weapons.
    "shop_and_weapons": header(every_frame=True) + keys("1") + keys("p1233x2xq", 50)
    + keys("dkjskjakjwkj", 300) + keys("000"),
    # Too poor for the shop: buy lives until the purse is empty.
    "shop_poor": header() + keys("1p") + keys("1" * 26) + keys("x2x3xq") + keys("000"),
    # Knife and gun bought in one game, then used in war-god mode at every edge of the board.
    "wargod_weapons_at_edges": header(every_frame=True) + keys("1") + keys("p23q", 50)
    + keys("00") + mode(4) + keys("1")
    + keys("a" * 3 + "kj" + "w" * 3 + "kj" + "d" * 26 + "kj" + "s" * 26 + "kj", 100)
    + keys("000"),
    # The largest board on a terminal too small for it, and more lives than the panel has room
    # for.
    "many_lives_large_board": header(120, 40) + keys("216x") + keys("1") + keys("p" + "1" * 25)
    + keys("q") + keys("dsdsds", 100) + keys("000"),
    "help": header() + keys("3x0"),
    # The About screen: its tune holds the program for 91.8 s; a key waits for its end.
    "about": header() + keys("4x") + wait(60000) + keys("0"),
    # A game on a terminal that changes its size while it plays (waiting while it is too
    # small), and draws the ambiguous characters two columns wide.
    "resize_game": header(80, 24, ambiguous_wide=True, every_frame=True) + keys("1")
    + keys("dd", 100) + resize(30, 10) + keys("ss", 100) + resize(300, 120) + keys("dd", 100)
    + resize(1, 1) + wait(500) + resize(60, 16) + keys("0x", 100) + keys("000"),
    # Every screen on 80 x 24: the menus moved into it, and a war-god walk over the largest
    # board through the window that follows the player, across and down, then the shop.
    "small_terminal_walk": header(80, 24, every_frame=True) + keys("3x") + keys("216x")
    + mode(4) + keys("1") + keys("w" + "d" * 44 + "s" * 43 + "a" * 20, 100) + keys("p2x")
    + keys("000"),
    # A timed game left alone until its clock runs out: the defeat screen.
    "defeat": header(100, 30, 7) + keys("1") + wait(60000) + keys("x0") + keys("0"),
    # Endless mode on a board chosen by its random values: with every value 0 the carving starts
    # in (2, 2) and its first way runs down the first column and along the last row, where the
    # exit is. Monsters go into pillars far from that way, coins onto it; 9 lives. The first
    # level is won by walking, the second starts.
    "endless_exit": header() + mode(3) + keys("239") + randoms(*([0] * CARVE_25))
    + randoms(19, 1, 19, 3, 17, 1) + randoms(0, 2, 0, 4, 0, 6) + keys("1")
    + keys("s" * 22 + "d" * 23) + wait(5000) + keys("x") + keys("dsdsds", 100) + keys("000"),
    # A game whose random values are chosen: the start room, then the carving's draws.
    "chosen_randoms": header(100, 30, 3) + randoms(*([0, 70000] + [1, 2, 3, 255] * 40))
    + keys("1") + keys("dsdsdsdsdsds", 100) + keys("000"),
}


# The seeds of the fast targets (the steps and bursts of render_checks.h and key_checks.h).
def goto(x, y):
    return bytes([0, (x + 8) & 0xFF, (x + 8) >> 8, y + 4])


def text(utf8):
    data = utf8.encode() if isinstance(utf8, str) else utf8
    return bytes([1, len(data)]) + data


FRAME, CLEAR = bytes([7]), bytes([2])
WALL, PLAYER = "\x1b[44;34m██\x1b[m", "\x1b[46;37m〇\x1b[m"


def walk():
    """A 45 x 45 board with its panel on 80 x 24 with left and right margins, the player walking
    down and right."""
    out = bytes([79, 23, 2]) + bytes([4, 0, 0, 45, 45, 1]) + text("\x1b[44;34m")
    for y in range(0, 45, 2):
        out += goto(4 * (y % 20), y) + text("██" * 10)
    out += text("\x1b[m") + goto(98, 2) + text("当前生命值 3 ●●●") + FRAME
    for step in range(12):
        out += goto(2 * step, step) + text(PLAYER) + bytes([5, (2 * step + 8), 0, step + 4])
        out += FRAME
    return out


RENDER_CORPUS = {
    "menu": bytes([99, 29, 0]) + goto(36, 5) + text("\x1b[40;31m1. 开始游戏") + goto(36, 7)
    + text("\x1b[2m— 按 0 退出 —\x1b[22m") + FRAME + CLEAR + goto(36, 5) + text("1. 开始游戏")
    + FRAME,
    "board_walk": walk(),
    "wide_and_cut": bytes([29, 7, 1]) + goto(0, 0) + text("怪怪▇▇●· ") + FRAME + goto(1, 0)
    + text("ab\xe6\x80") + FRAME + bytes([3, 9, 3]) + FRAME + bytes([6]) + FRAME,
}

def burst(gap, takes, data):
    """A burst of fuzz_keys (see key_checks.h): the gap after it (0 to 3), the keys taken."""
    return bytes([gap << 6 | takes, len(data)]) + data


KEYS_CORPUS = {
    "answer_and_keys": burst(0, 0, b"\x1b[1;3Rw\x1b[A1") + burst(0, 63, b"\x1bOBs"),
    "sequences": burst(2, 5, b"\x1b[15~\x1b[1;5A\x1b0\x1b[M 35\x1b[<0;1;2m2")
    + burst(1, 2, b"\x1b]11;rgb:0/0/0\x1b\\4\x1b[[A\x1b[I"),
    "cut_and_joined": burst(1, 0, b"\x1b[1") + burst(2, 0, b";5A") + burst(2, 63, b"\x1bP3q")
    + burst(3, 0, b"\x1b3"),
    "queue_full": burst(0, 0, b"0123456789" * 4) + burst(0, 63, b"x"),
    "margins_answer_in_pieces": burst(0, 0, b"1\x1b[?69") + burst(0, 0, b";2$y\x1b[1;2Rd")
    + burst(3, 63, b"\x1b[?69;1$yw"),
}
ENCODING_CORPUS = {
    "glyphs": "\x1b[44;34m██\x1b[m▇●·—〇怪￥出入＃｜－".encode(),
    "texts": "当前金币 ￥：  12 窗口太小啦！请放大到 80 列 24 行 é€".encode(),
    "malformed": b"\xe6\x80 \xc0\x80 \xed\xa0\x80 \xf4\x90\x80\x80 \xff\xf0\x9f\x98\x80",
}


def write(folder, corpus):
    os.makedirs(folder, exist_ok=True)
    for name, data in corpus.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def main():
    """Writes each corpus into its folder beside this file, or all under the folder given."""
    here = os.path.dirname(os.path.abspath(__file__))
    base = sys.argv[1] if len(sys.argv) > 1 else here
    for folder, corpus in (("corpus", CORPUS), ("corpus_render", RENDER_CORPUS),
                           ("corpus_keys", KEYS_CORPUS), ("corpus_encoding", ENCODING_CORPUS)):
        write(os.path.join(base, folder), corpus)


if __name__ == "__main__":
    main()
