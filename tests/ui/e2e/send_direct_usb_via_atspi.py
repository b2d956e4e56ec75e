#!/usr/bin/env python3
"""End-to-end: a technician sends a one-point correction on a direct-USB page.

Drives the real Trimbench2 window through AT-SPI against the default bench of
trimbench-sim: on the 870 page an illuminance correction (reading 2.4 lx at
darkness), on the 875 page a CO2 correction (420 ppm shown, 400 ppm true).
Afterwards the simulated logger must hold the composed correction and the new
history entry, the page's history list must show it, and the history log
file must hold its line.

Usage: send_direct_usb_via_atspi.py OUTPUT_FOLDER 870|875   (run under
dbus-run-session and scripts/xvfb-session.sh). Every wait is bounded; the whole run stops
after 120 s.
"""
import os
import re
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_helpers import (Failure, act, control, fresh_dump, open_page, press,  # noqa: E402
                           run_main, send_and_confirm, start_bench, start_window, stop, text_of,
                           wait_for)

OUT = sys.argv[1]
PAGE = sys.argv[2] if len(sys.argv) > 2 else "870"


class Case:
    def __init__(self, dialog, tab, history_list, before, after, offset_code, confirmation,
                 current, log_line):
        self.dialog, self.tab, self.history_list = dialog, tab, history_list
        self.before, self.after, self.offset_code = before, after, offset_code
        self.confirmation, self.current, self.log_line = confirmation, current, log_line


# Both loggers start at the factory correction; the composed offset is the
# entered one. The log line follows the logger's serial number.
CASES = {
    "870": Case(129, "  LGR-870  ", 1163, "2.4", None, -2400, "CH:1  (y=  1.000x - 2.400)",
                "y = 1.000x -2.400", "CH:1, １点補正, 2.4-->0.0, C\r\n"),
    "875": Case(135, "  LGR-875  ", 1003, "420", "400", -20, "CH:1  (y=  1.000x - 20)",
                "y = 1.000x -20", "CH:1, １点補正, 420-->400, C\r\n"),
}
CASE = CASES[PAGE]
# The first group's calibration and history records in the bench's dump.
HELD = re.compile(r"baud: logger " + PAGE + r" ([0-9A-F]{8})\n.*?calibration 2: time -?\d+, "
                  r"(-?\d+) (-?\d+) -?\d+ -?\d+\n.*?history 2: ([0-9A-F]{160})", re.S)


def type_into(page, control_id, text):
    act("typing", lambda: control(page, control_id).queryEditableText().setTextContents(text))
    if text_of(control(page, control_id)) != text:
        raise Failure("the reading did not reach box %d" % control_id)


def history_rows(page):
    """The rows of the history list as a screen reader reads them."""
    table = control(page, CASE.history_list).queryTable()
    rows = []
    for r in range(table.nRows):
        rows.append([table.getAccessibleAt(r, c).name for c in range(table.nColumns)])
    return rows


def log_text(work):
    path = os.path.join(work, "Documents", "Kestrune Corp", "Trimbench 800", "log",
                        "Trimbench2.LOG")
    with open(path, "rb") as log:
        return log.read().decode("utf-8")


def run(work):
    sim, device_map, sim_log = start_bench(OUT, work, r"baud: logger " + PAGE + r" ")
    window = None
    try:
        window, app = start_window(OUT, work, device_map)
        page = open_page(app, CASE.tab, CASE.dialog)

        act("a tick on the channel box", lambda: press(control(page, 1021)))
        wait_for("the ticked channel box", lambda: control(page, 1016).getState().contains(
            pyatspi.STATE_ENABLED))
        type_into(page, 1016, CASE.before)
        if CASE.after is not None:
            type_into(page, 1018, CASE.after)
        elif text_of(control(page, 1018)) != "0.0":
            raise Failure("the zero point's after box does not hold 0.0")

        send_and_confirm(app, page, CASE.confirmation, "送信が終了しました。")

        wait_for("the current setting", lambda: CASE.current in text_of(control(page, 1076)), 10)
        rows = wait_for("the history list's row", lambda: history_rows(page), 10)
        if len(rows) != 1 or rows[0][0] != "1" or rows[0][2] != "1" or rows[0][3] != "１点で調整":
            raise Failure("unexpected history rows: %r" % rows)

        serial, slope, offset, record = fresh_dump(sim, sim_log, HELD)
        if (int(slope), int(offset)) != (1000, CASE.offset_code):
            raise Failure("the logger holds %s %s, expected 1000 %d" % (slope, offset,
                                                                        CASE.offset_code))
        if not record.startswith("0101"):
            raise Failure("the logger's history does not start with the adjustment: " + record)
        line = ", , %s, %s" % (serial, CASE.log_line)
        if line not in log_text(work):
            raise Failure("no line %r in the history log:\n%s" % (line, log_text(work)))
        print("logger %s holds 1000 %d and the history entry; history list and log agree"
              % (serial, CASE.offset_code))
    finally:
        stop([p for p in (window, sim) if p is not None])


if __name__ == "__main__":
    sys.exit(run_main(PAGE, run))
