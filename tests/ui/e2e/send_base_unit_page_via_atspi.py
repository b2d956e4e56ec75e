#!/usr/bin/env python3
"""End-to-end: a technician sends a one-point correction on a base-unit page.

Drives the real Trimbench2 window through the desktop's assistive-technology
interface (AT-SPI), against trimbench-sim (its default bench of a base unit
with a model-821 logger and a model-890 cable for the pages 820 and 890; a
base unit with a model-835 logger for 835, where channel 2 is sent; one with
a voltage-input 850 logger for 850), and checks the correction the simulated
logger then holds.

Usage: send_base_unit_page_via_atspi.py OUTPUT_FOLDER 820|890|835|850   (run
under dbus-run-session and scripts/xvfb-session.sh). Every wait is bounded; the whole run
stops after 120 s.
"""
import os
import re
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_helpers import (Failure, act, answer, control, fresh_dump, message_box,  # noqa: E402
                           open_page, press, run_main, send_and_confirm, start_bench, start_window,
                           stop, text_of, wait_for)

OUT = sys.argv[1]
PAGE = sys.argv[2] if len(sys.argv) > 2 else "820"


class Page:
    """What a run does on one page: the bench it needs, the input kind it
    chooses (850), the channel it ticks and types into, and the codes' scales."""

    def __init__(self, dialog, tab, logger, sim_args=(), kind_radio=None, channel=1,
                 readings=("25.0", "25.3"), scales=(1000, 1000)):
        self.dialog, self.tab, self.logger = dialog, tab, logger
        self.sim_args, self.kind_radio, self.channel = list(sim_args), kind_radio, channel
        self.readings, self.scales = readings, scales
        # Channel 1 has the one-channel ids on every page; channel 2 its own.
        self.tick, self.before, self.after, self.line = (
            (1021, 1016, 1018, 1076) if channel == 1 else (1017, 1022, 1023, 1075))
        entered = "(y = 1.000x +0.300)"
        self.confirmation = ("CH:1 " + entered if channel == 1
                             else "CH:1 変更なし\nCH:2 " + entered)


PAGES = {
    "820": Page(133, "LGR820B/821B", r"LGR-82\d"),
    "890": Page(139, "  LGR-890  ", r"LGR-890"),
    "835": Page(136, "LGR835B", r"LGR-835", ["--logger", "835"], channel=2,
                readings=("50.0", "50.3")),
    "850": Page(130, "LGR850B", r"LGR-850 voltage", ["--logger", "850-v"], kind_radio=1005,
                readings=("1.0", "1.3"), scales=(4096, 10000)),
}
P = PAGES[PAGE]
DIALOG, TAB, LOGGER = P.dialog, P.tab, P.logger
def held_codes(sim, log_path, channel):
    """The page's logger's codes of channel in a fresh dump of the bench."""
    pattern = re.compile(r"logger: " + LOGGER + r"\b.*?channel %d: slope code (\d+), offset code (-?\d+)"
                         % channel, re.S)
    found = fresh_dump(sim, log_path, pattern)
    return int(found[0]), int(found[1])


def current_line(page):
    return wait_for("the current-setting line",
                    lambda: "y =" in text_of(control(page, P.line)) and text_of(control(page, P.line)))


def parse_formula(line):
    m = re.search(r"y = ([-0-9.]+)x ([-+][0-9.]+)", line)
    if not m:
        raise Failure("no formula in " + repr(line))
    return float(m.group(1)), float(m.group(2))


def run(work):
    sim, device_map, sim_log = start_bench(OUT, work, r"logger: " + LOGGER + r"\b", P.sim_args)
    window = None
    try:
        window, app = start_window(OUT, work, device_map)
        page = open_page(app, TAB, DIALOG)

        if P.kind_radio is not None:
            act("a press on the input kind", lambda: press(control(page, P.kind_radio)))
            wait_for("the input kind chosen", lambda: control(page, P.kind_radio).getState().contains(
                pyatspi.STATE_CHECKED))
        other = 3 - P.channel
        untouched = held_codes(sim, sim_log, other) if P.channel == 2 else None

        # What the logger holds before: a receive shows it.
        act("a press on 設定値受信", lambda: press(control(page, 1134)))
        box, _ = wait_for("the receive report", lambda: message_box(app, "設定値を受信しました。"))
        act("an answer", lambda: answer(box, "OK"))
        slope, offset = parse_formula(current_line(page))

        before, after = P.readings
        act("a tick on the channel box", lambda: press(control(page, P.tick)))
        wait_for("the ticked channel box", lambda: control(page, P.before).getState().contains(
            pyatspi.STATE_ENABLED))
        act("typing", lambda: control(page, P.before).queryEditableText().setTextContents(before))
        act("typing", lambda: control(page, P.after).queryEditableText().setTextContents(after))
        if text_of(control(page, P.before)) != before or text_of(control(page, P.after)) != after:
            raise Failure("the readings did not reach the edit boxes")

        send_and_confirm(app, page, P.confirmation, "アジャストメントは正常に終了しました。")

        expected_offset = round(offset + 0.3, 3)
        def shows_composed():
            shown = parse_formula(current_line(page))
            return abs(shown[0] - slope) < 1e-9 and abs(shown[1] - expected_offset) < 1e-9
        try:
            wait_for("the composed correction on the current-setting line", shows_composed, 10)
        except Failure:
            raise Failure("current line shows %r, expected slope %.3f offset %+.3f"
                          % (current_line(page), slope, expected_offset))
        held = held_codes(sim, sim_log, P.channel)
        want = (round(slope * P.scales[0]), round(expected_offset * P.scales[1]))
        if held != want:
            raise Failure("the logger holds codes %r, expected %r" % (held, want))
        if untouched is not None and held_codes(sim, sim_log, other) != untouched:
            raise Failure("channel %d changed from %r" % (other, untouched))
        print("logger holds slope code %d, offset code %d as sent" % held)
    finally:
        stop([p for p in (window, sim) if p is not None])


def main():
    return run_main(PAGE, run)


if __name__ == "__main__":
    sys.exit(main())
