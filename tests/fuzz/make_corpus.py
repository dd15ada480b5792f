#!/usr/bin/env python3
"""Writes the seed corpus of the fuzz target (tests/fuzz/corpus/): hand-made inputs that reach
every screen. The byte layout is described in tests/fuzz/fuzz_input.h. Most inputs use a
terminal just large enough for their screens: the renderer's work at every frame grows with the
terminal's size, and the fuzzer tries other sizes by itself."""
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
    # A game on a terminal that changes its size while it plays, and draws the ambiguous
    # characters two columns wide.
    "resize_game": header(80, 24, ambiguous_wide=True, every_frame=True) + keys("1")
    + keys("dd", 100) + resize(30, 10) + keys("ss", 100) + resize(300, 120) + keys("dd", 100)
    + resize(1, 1) + keys("0x", 100) + keys("000"),
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


def main():
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "corpus")
    os.makedirs(out_dir, exist_ok=True)
    for name, data in CORPUS.items():
        with open(os.path.join(out_dir, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
