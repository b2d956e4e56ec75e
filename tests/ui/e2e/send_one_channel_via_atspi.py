#!/usr/bin/env python3
"""End-to-end: a technician sends a one-point correction on a one-channel page.

Drives the real Trimbench2 window through the desktop's assistive-technology
interface (AT-SPI), against the default bench of trimbench-sim (a base unit
with a model-821 logger, a model-890 cable), and checks the correction the
simulated logger then holds.

Usage: send_one_channel_via_atspi.py OUTPUT_FOLDER 820|890   (run under
dbus-run-session and xvfb-run). Every wait is bounded; the whole run stops
after 120 s.
"""
import os
import re
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_helpers import (Failure, act, answer, control, fresh_dump, message_box,  # noqa: E402
                           open_page, press, run_main, start_bench, start_window, stop, text_of,
                           wait_for)

OUT = sys.argv[1]
PAGE = sys.argv[2] if len(sys.argv) > 2 else "820"
# Per page: dialog id, tab text, the logger's name in the bench's dump.
PAGES = {"820": (133, "LGR820B/821B", r"LGR-82\d"), "890": (139, "  LGR-890  ", r"LGR-890")}
DIALOG, TAB, LOGGER = PAGES[PAGE]


def held_codes(sim, log_path):
    """The page's logger's channel-1 codes in a fresh dump of the bench."""
    pattern = re.compile(r"logger: " + LOGGER + r"\b.*?channel 1: slope code (\d+), offset code (-?\d+)",
                         re.S)
    found = fresh_dump(sim, log_path, pattern)
    return int(found[0]), int(found[1])


def current_line(page):
    return wait_for("the current-setting line",
                    lambda: "y =" in text_of(control(page, 1076)) and text_of(control(page, 1076)))


def parse_formula(line):
    m = re.search(r"y = ([-0-9.]+)x ([-+][0-9.]+)", line)
    if not m:
        raise Failure("no formula in " + repr(line))
    return float(m.group(1)), float(m.group(2))


def run(work):
    sim, device_map, sim_log = start_bench(OUT, work, r"logger: " + LOGGER + r"\b")
    window = None
    try:
        window, app = start_window(OUT, work, device_map)
        page = open_page(app, TAB, DIALOG)

        # What the logger holds before: a receive shows it.
        act("a press on 設定値受信", lambda: press(control(page, 1134)))
        box, _ = wait_for("the receive report", lambda: message_box(app, "設定値を受信しました。"))
        act("an answer", lambda: answer(box, "OK"))
        slope, offset = parse_formula(current_line(page))

        act("a tick on the channel box", lambda: press(control(page, 1021)))
        wait_for("the ticked channel box", lambda: control(page, 1016).getState().contains(
            pyatspi.STATE_ENABLED))
        act("typing", lambda: control(page, 1016).queryEditableText().setTextContents("25.0"))
        act("typing", lambda: control(page, 1018).queryEditableText().setTextContents("25.3"))
        if text_of(control(page, 1016)) != "25.0" or text_of(control(page, 1018)) != "25.3":
            raise Failure("the readings did not reach the edit boxes")

        act("a press on 設定送信", lambda: press(control(page, 1130)))
        box, question = wait_for("the confirmation", lambda: message_box(app, "送信してよろしいですか"))
        if "CH:1 (y = 1.000x +0.300)" not in question:
            raise Failure("unexpected confirmation: " + repr(question))
        act("an answer", lambda: answer(box, "はい"))
        box, _ = wait_for("the success report",
                          lambda: message_box(app, "アジャストメントは正常に終了しました。"))
        act("an answer", lambda: answer(box, "OK"))

        expected_offset = round(offset + 0.3, 3)
        def shows_composed():
            shown = parse_formula(current_line(page))
            return abs(shown[0] - slope) < 1e-9 and abs(shown[1] - expected_offset) < 1e-9
        try:
            wait_for("the composed correction on the current-setting line", shows_composed, 10)
        except Failure:
            raise Failure("current line shows %r, expected slope %.3f offset %+.3f"
                          % (current_line(page), slope, expected_offset))
        held = held_codes(sim, sim_log)
        want = (round(slope * 1000), round(expected_offset * 1000))
        if held != want:
            raise Failure("the logger holds codes %r, expected %r" % (held, want))
        print("logger holds slope code %d, offset code %d as sent" % held)
    finally:
        stop([p for p in (window, sim) if p is not None])


def main():
    return run_main(PAGE, run)


if __name__ == "__main__":
    sys.exit(main())
