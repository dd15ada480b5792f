#!/usr/bin/env python3
"""Runs a tarnwick binary in a pseudo-terminal, waits until its main menu is on screen, quits
it with the key 0 and checks that it ends with status 0.

Usage: pty_main_menu.py BINARY [TIMEOUT_SECONDS]
"""
import fcntl
import os
import pty
import select
import struct
import sys
import termios
import time

MENU_TITLE = "欢迎来到Tarnwick游戏".encode("utf-8")
# Large enough for every screen of the game: the picture maze with its panel.
COLUMNS, ROWS = 150, 54


def start(binary):
    """Starts the binary on a new pty of the game's size; returns (pid, master fd)."""
    pid, master = pty.fork()
    if pid == 0:
        try:
            fcntl.ioctl(0, termios.TIOCSWINSZ, struct.pack("HHHH", ROWS, COLUMNS, 0, 0))
            env = dict(os.environ, TERM="xterm-256color", LANG="C.UTF-8", LC_ALL="C.UTF-8")
            os.execve(binary, [binary], env)
        finally:
            os._exit(127)
    return pid, master


def read_until(master, deadline, wanted, seen):
    """Reads output into seen until wanted shows in it (True), the pty closes or the deadline
    passes (False)."""
    while wanted is None or wanted not in seen:
        left = deadline - time.monotonic()
        if left <= 0:
            return False
        ready, _, _ = select.select([master], [], [], left)
        if not ready:
            continue
        try:
            chunk = os.read(master, 65536)
        except OSError:  # EIO: the game has gone and the pty is closed
            return wanted is None
        if not chunk:
            return wanted is None
        seen += chunk
    return True


def wait_status(pid, deadline):
    """Waits for the game to end; returns its wait status, or None at the deadline."""
    while time.monotonic() < deadline:
        done, status = os.waitpid(pid, os.WNOHANG)
        if done == pid:
            return status
        time.sleep(0.05)
    return None


def fail(message, seen, running_pid=None):
    """Reports a failure and ends the game if it still runs."""
    print("pty run: " + message, file=sys.stderr)
    print("pty run: output so far: %r" % bytes(seen[-400:]), file=sys.stderr)
    if running_pid is not None:
        os.kill(running_pid, 9)
        os.waitpid(running_pid, 0)
    return 1


def main():
    binary = sys.argv[1]
    timeout = float(sys.argv[2]) if len(sys.argv) > 2 else 10.0
    pid, master = start(binary)
    seen = bytearray()
    if not read_until(master, time.monotonic() + timeout, MENU_TITLE, seen):
        return fail("the main menu did not show within %g s" % timeout, seen, pid)
    os.write(master, b"0")
    deadline = time.monotonic() + timeout
    read_until(master, deadline, None, seen)
    status = wait_status(pid, deadline)
    if status is None:
        return fail("the game did not end within %g s of the key 0" % timeout, seen, pid)
    if not os.WIFEXITED(status) or os.WEXITSTATUS(status) != 0:
        return fail("the game ended with wait status %d, not exit status 0" % status, seen)
    print("pty run: main menu shown, key 0 ended the game with status 0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
