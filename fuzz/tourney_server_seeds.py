#!/usr/bin/env python3
"""Writes the seed inputs of fuzz_tourney_server into fuzz/corpus/tourney_server: whole games the
players' autopilots play from an empty table, the ways a table ends or breaks up, and seats whose
connection drops and whose players come back."""
import pathlib
import sys

TAKE, RELEASE, CONNECT, GREET, FRAME, RAW, AGAIN, CLOSE, WAIT, DEADLINE, DEAF, PLAY = range(12)
DISA, TOUT, BNEXT, REPORT, CHAT, HELLO, CARD, HALF, STEP, EMPTY = range(10)


def sit_all():
    ops = []
    for p in (1, 2, 3):
        ops += [TAKE, p - 1, p - 1, CONNECT, p - 1, p - 1, GREET, p - 1, p - 1]
    return ops


def play(rounds):
    ops = []
    while rounds > 0:
        n = min(rounds, 64)
        ops += [PLAY, n - 1]
        rounds -= n
    return ops


def seeds():
    whole = sit_all() + play(20000)
    yield "whole_game", whole
    yield "game_then_again", whole + sit_all() + play(200) + [DEADLINE]
    yield "leave_waiting", [TAKE, 0, 0, CONNECT, 0, 0, GREET, 0, 0, FRAME, 0, DISA, 1]
    yield "leave_waiting_again", [TAKE, 0, 0, CONNECT, 0, 0, GREET, 0, 0, FRAME, 0, DISA, 1,
                                  TAKE, 0, 0, CONNECT, 1, 0, GREET, 1, 0]
    yield "other_digit", [TAKE, 0, 0, CONNECT, 0, 0, GREET, 0, 0, FRAME, 0, DISA, 2]
    yield "garbage_waiting", [TAKE, 0, 0, CONNECT, 0, 0, GREET, 0, 0, RAW, 0, 5] + list(b"GET /")
    yield "close_in_greeting", [TAKE, 0, 0, CONNECT, 0, 0, RAW, 0, 10] + list(b"connect1##") + [CLOSE, 0]
    yield "leave_playing", sit_all() + play(12) + [FRAME, 1, DISA, 2] + sit_all() + play(5)
    yield "close_playing", sit_all() + play(30) + [CLOSE, 2] + sit_all()
    yield "time_out", sit_all() + play(3) + [DEADLINE] + sit_all() + play(2)
    yield "deaf_client", sit_all() + [DEAF, 0] + play(400)
    yield "stale_frames", sit_all() + play(20) + [AGAIN, 0, 3, AGAIN, 1, 7, AGAIN, 2, 1] + play(20)
    # Seat 2's connection drops mid-game; its player connects again in time, too late, or a
    # stranger and another account try the seat first.
    back = [CONNECT, 1, 1, GREET, 1, 1]
    yield "drop_and_back", sit_all() + play(30) + [CLOSE, 1] + play(3) + back + play(20000)
    yield "drop_back_late", sit_all() + play(30) + [CLOSE, 1] + play(5) + [DEADLINE, DEADLINE] + back + play(50)
    yield "drop_stranger_first", (sit_all() + play(12) + [CLOSE, 1, CONNECT, 5, 3, GREET, 5, 1]
                                  + [RELEASE, 1, TAKE, 3, 1, CONNECT, 6, 3, GREET, 6, 1] + back + play(400))
    yield "drop_twice", sit_all() + play(20) + [CLOSE, 1] + back + play(20) + [CLOSE, 1] + back + play(20000)
    yield "lobby_release", sit_all()[:9] + [RELEASE, 0, TAKE, 3, 0, CONNECT, 3, 3, GREET, 3, 0]


def main():
    out = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else pathlib.Path(__file__).parent / "corpus" / "tourney_server")
    out.mkdir(parents=True, exist_ok=True)
    # The first byte picks the table: 0 is table 1.
    for name, ops in seeds():
        (out / name).write_bytes(bytes([0] + ops))
    for table in (4, 7, 10):
        (out / f"whole_game_table{table}").write_bytes(bytes([table - 1] + sit_all() + play(6000)))


if __name__ == "__main__":
    main()
