#!/usr/bin/env python3
"""End-to-end: a morning's work at the simulated bench, then the journal.

Drives the real Trimbench2 window through AT-SPI against the default bench of
trimbench-sim. On the 820/821 page: a receive, a send, a send the limits
refuse and an initialise; on the 870 page a send. Then the journal window
("調整記録…") must list the five operations newest first with their
as-found and as-left corrections, a certificate of the 870 send (written
through the window's file dialog, read back with pdftotext) must name the
logger and its figures, and the window's verify must find the chain intact.

Usage: journal_morning_via_atspi.py OUTPUT_FOLDER   (run under
dbus-run-session and scripts/xvfb-session.sh). Every wait is bounded; the whole run stops
after 120 s.
"""
import json
import os
import re
import subprocess
import sys

import pyatspi

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from atspi_helpers import (Failure, act, answer, control, descendants, message_box,  # noqa: E402
                           open_page, press, run_main, send_and_confirm, start_bench,
                           start_window, stop, text_of, wait_for)

OUT = sys.argv[1]

# Control ids: the pages' shared ones, then the journal window's.
TICK, BEFORE, AFTER, LINE = 1021, 1016, 1018, 1076
INITIALISE, RECEIVE = 1014, 1134
TABLE, CERTIFICATE, VERIFY = 3107, 3110, 3112


def acknowledge(app, fragment):
    box, text = wait_for("a box saying " + repr(fragment), lambda: message_box(app, fragment))
    act("an answer", lambda: answer(box, "OK"))
    return text


def type_into(page, control_id, text):
    act("typing", lambda: control(page, control_id).queryEditableText().setTextContents(text))
    if text_of(control(page, control_id)) != text:
        raise Failure("the text did not reach box %d" % control_id)


def base_unit_morning(app):
    page = open_page(app, "LGR820B/821B", 133)
    act("a press on 設定値受信", lambda: press(control(page, RECEIVE)))
    acknowledge(app, "設定値を受信しました。")
    act("a tick on the channel box", lambda: press(control(page, TICK)))
    wait_for("the ticked channel box",
             lambda: control(page, BEFORE).getState().contains(pyatspi.STATE_ENABLED))
    type_into(page, BEFORE, "25.0")
    type_into(page, AFTER, "25.3")
    send_and_confirm(app, page, "(y = 1.000x +0.300)", "アジャストメントは正常に終了しました。")
    type_into(page, AFTER, "60.0")
    act("a press on 設定送信", lambda: press(control(page, 1130)))
    acknowledge(app, "オフセットの加算値")
    act("a press on 初期化", lambda: press(control(page, INITIALISE)))
    box, _ = wait_for("the question", lambda: message_box(app, "初期化します"))
    act("an answer", lambda: answer(box, "はい"))
    acknowledge(app, "アジャストメントは正常に終了しました。")
    wait_for("the factory correction on the current-setting line",
             lambda: "y = 1.000x +0.000" in text_of(control(page, LINE)), 10)


def direct_usb_morning(app):
    page = open_page(app, "  LGR-870  ", 129)
    act("a tick on the channel box", lambda: press(control(page, TICK)))
    wait_for("the ticked channel box",
             lambda: control(page, BEFORE).getState().contains(pyatspi.STATE_ENABLED))
    type_into(page, BEFORE, "2.4")
    send_and_confirm(app, page, "CH:1  (y=  1.000x - 2.400)", "送信が終了しました。")


def table_rows(table):
    cells = table.queryTable()
    names = [cells.getColumnHeader(c).name if cells.getColumnHeader(c) else str(c)
             for c in range(cells.nColumns)]
    return [dict(zip(names, (cells.getAccessibleAt(r, c).name for c in range(cells.nColumns))))
            for r in range(cells.nRows)]


def save_through_file_dialog(app, path):
    """Types path into the save dialog's file name box and saves."""
    def dialog():
        for i in range(app.childCount):
            window = app.getChildAtIndex(i)
            if window is not None and window.name not in ("Trimbench", "調整記録"):
                return window
        return None
    chooser = wait_for("the file dialog", dialog)
    edits = [n for n in descendants(chooser) if n.getRoleName() == "text"
             and n.getState().contains(pyatspi.STATE_EDITABLE)]
    if not edits:
        raise Failure("no file name box in the file dialog")
    act("typing the file name", lambda: edits[-1].queryEditableText().setTextContents(path))
    for node in descendants(chooser):
        # Qt's own text, in Japanese with its access key ("保存(S)").
        if node.getRoleName() == "push button" and node.name.replace("&", "").startswith(("Save", "保存")):
            act("a press on save", lambda: press(node))
            return
    raise Failure("no save button in the file dialog")


def journal_path(work):
    return os.path.join(work, "Documents", "Kestrune Corp", "Trimbench 800",
                        "Trimbench2-journal.sqlite3")


def verify(work):
    """`trimbench journal verify`'s verdict on the journal: (exit status, rows, output)."""
    tool = subprocess.run([os.path.join(OUT, "trimbench"), "journal", "verify", "--sqlite",
                           journal_path(work), "--json"], capture_output=True, text=True)
    try:
        rows = json.loads(tool.stdout).get("rows")
    except ValueError:
        rows = None
    return tool.returncode, rows, (tool.stdout + tool.stderr).strip()


def journal(app, work):
    # The page records once its last box is closed: wait for the fifth row.
    wait_for("the fifth record", lambda: verify(work)[:2] == (0, 5), 10)
    menu = wait_for("the journal's menu entry",
                    lambda: next((n for n in descendants(app) if n.name == "調整記録…"), None))
    act("a press on 調整記録…", lambda: press(menu))
    table = wait_for("the journal window", lambda: control(app, TABLE) and
                      control(app, TABLE).queryTable().nRows >= 5 and control(app, TABLE))
    rows = table_rows(table)
    print("journal rows:")
    for row in rows:
        print("  ", row)
    if len(rows) != 5:
        raise Failure("expected 5 rows, found %d" % len(rows))
    operations = [list(row.values()) for row in rows]
    # Newest first: 870 send, initialise, refused send, send, receive; each row
    # names the logger's own model.
    expected = [("| 870 |", "設定送信", "成功", "y = 1.000x +0.000", "y = 1.000x -2.400"),
                ("| 820 |", "初期化", "成功", "y = 1.000x +0.300", "y = 1.000x +0.000"),
                ("| 820 |", "設定送信", "失敗", "y = 1.000x +0.300", "y = 1.000x +0.300"),
                ("| 820 |", "設定送信", "成功", "y = 1.000x +0.000", "y = 1.000x +0.300"),
                ("| 820 |", "設定値受信", "成功", "y = 1.000x +0.000", "y = 1.000x +0.000")]
    for got, want in zip(operations, expected):
        joined = " | ".join(got)
        for part in want:
            if part not in joined:
                raise Failure("row %r lacks %r" % (joined, part))

    # A certificate of the 870 send.
    def select_newest():
        if not control(app, TABLE).queryTable().addRowSelection(0):
            raise Failure("the table refused the selection")
    act("a selection of the newest row", select_newest)
    act("a press on 校正証明書", lambda: press(control(app, CERTIFICATE)))
    pdf = os.path.join(work, "certificate-870.pdf")
    save_through_file_dialog(app, pdf)
    wait_for("the certificate file", lambda: os.path.exists(pdf) and os.path.getsize(pdf) > 0, 15)
    text = subprocess.run(["pdftotext", "-layout", pdf, "-"], capture_output=True,
                          text=True, check=True).stdout
    for part in ("校正証明書", "870", "y = 1.000x +0.000", "y = 1.000x -2.400", "確認済", "KSL-CAL-07",
                 "— 証明書 以上 —"):
        if part not in text:
            raise Failure("the certificate lacks %r:\n%s" % (part, text))
    serial = re.search(r"([0-9A-F]{8})", text)
    print("certificate of logger %s:\n%s" % (serial.group(1) if serial else "?", text))

    act("a press on verify", lambda: press(control(app, VERIFY)))
    acknowledge(app, "調整記録の連鎖は正常です。(5 件)")


# What a lab states on its certificates.
LAB_SETTINGS = """[Journal]
Lab=Kestrune Service Lab
LabAddress=1-2-3 Minato Tokyo
Customer=Aoba Foods
Method=KSL-CAL-07
Approver=Sato Hanako
ApproverRole=Quality manager
Uncertainty=*=0.2
"""


def run(work):
    with open(os.path.join(work, "settings.ini"), "w", encoding="utf-8") as settings:
        settings.write(LAB_SETTINGS)
    sim, device_map, _ = start_bench(OUT, work, r"baud: logger 870 ")
    window = None
    try:
        window, app = start_window(OUT, work, device_map)
        base_unit_morning(app)
        direct_usb_morning(app)
        journal(app, work)
    finally:
        stop([p for p in (window, sim) if p is not None])
    status, _, verdict = verify(work)
    print("trimbench journal verify after closing:", verdict)
    if status != 0:
        raise Failure("verify after closing: " + verdict)


if __name__ == "__main__":
    sys.exit(run_main("journal", run))
