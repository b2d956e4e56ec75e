#!/usr/bin/env python3
"""End-to-end: a technician sends a one-point correction on a base-unit page.

Drives the real Trimbench2 window through the desktop's assistive-technology
interface (AT-SPI), against trimbench-sim (its default bench of a base unit
with a model-821 logger and a model-890 cable for the pages 820 and 890; a
base unit with a model-835 logger for 835, where channel 2 is sent; one with
a voltage-input 850 logger for 850), and checks the correction the simulated
logger then holds.

Usage: send_base_unit_page_via_atspi.py OUTPUT_FOLDER 820|890|835|850   (run
under dbus-run-session and xvfb-run). Every wait is bounded; the whole run
stops after 120 s.
"""
import os
import re
import signal
import subprocess
import sys
import tempfile
import time

import pyatspi

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
RUN_LIMIT = time.monotonic() + 120


SKIP = 77  # CTest's skip code: the bench lacks the page's device


class Failure(Exception):
    pass


class Skipped(Exception):
    pass


def wait_for(what, probe, timeout=30.0):
    """Polls probe() until it returns something true; fails after timeout."""
    end = min(time.monotonic() + timeout, RUN_LIMIT)
    while True:
        try:
            found = probe()
        except Exception:  # a window that is being built or torn down
            found = None
        if found:
            return found
        if time.monotonic() > end:
            raise Failure("timed out waiting for " + what)
        time.sleep(0.1)


def descendants(node, depth=0):
    if node is None or depth > 16:
        return
    yield node
    for i in range(node.childCount):
        yield from descendants(node.getChildAtIndex(i), depth + 1)


def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return node.name or ""


def find_app(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def control(root, control_id):
    """The control whose accessible description is its id."""
    for node in descendants(root):
        if node.description == str(control_id):
            return node
    return None


def press(node):
    action = node.queryAction()
    for i in range(action.nActions):
        if action.getName(i) in ("press", "Press", "click", "toggle", "Toggle"):
            action.doAction(i)
            return
    action.doAction(0)


def act(what, action):
    """Runs an action on freshly looked-up accessibles, again while the
    window is still settling (an accessible that went away in between)."""
    def attempt():
        action()
        return True
    return wait_for(what, attempt, 15)


def message_box(app, fragment):
    """A window of the program other than the main one that shows fragment."""
    for i in range(app.childCount):
        window = app.getChildAtIndex(i)
        if window is None or window.name == "Trimbench":
            continue
        texts = [text_of(n) for n in descendants(window) if n.getRoleName() == "label"]
        if any(fragment in t for t in texts):
            return window, "\n".join(texts)
    return None


def answer(box, prefix):
    for node in descendants(box):
        if node.getRoleName() == "push button" and node.name.startswith(prefix):
            press(node)
            return
    raise Failure("no button " + prefix)


def held_codes(sim, log_path, channel):
    """Asks the bench for a fresh dump; the page's logger's codes of channel."""
    pattern = re.compile(r"logger: " + LOGGER + r"\b.*?channel %d: slope code (\d+), offset code (-?\d+)"
                         % channel, re.S)
    def matches():
        with open(log_path, encoding="utf-8") as log:
            return pattern.findall(log.read())
    before = len(matches())
    sim.send_signal(signal.SIGUSR1)
    found = wait_for("the bench's state dump", lambda: len(matches()) > before and matches(), 10)
    return int(found[-1][0]), int(found[-1][1])


def select_tab(app, text):
    for node in descendants(app):
        if node.getRoleName() == "page tab" and node.name == text:
            if not node.getState().contains(pyatspi.STATE_SELECTED):
                press(node)
            return True
    return False


def current_line(page):
    return wait_for("the current-setting line",
                    lambda: "y =" in text_of(control(page, P.line)) and text_of(control(page, P.line)))


def parse_formula(line):
    m = re.search(r"y = ([-0-9.]+)x ([-+][0-9.]+)", line)
    if not m:
        raise Failure("no formula in " + repr(line))
    return float(m.group(1)), float(m.group(2))


def run(work):
    device_map = os.path.join(work, "devices.map")
    sim_log = os.path.join(work, "sim.log")
    env = dict(os.environ)
    sim = subprocess.Popen([os.path.join(OUT, "trimbench-sim"), "--map", device_map, "--quiet"]
                           + P.sim_args,
                           stdin=subprocess.DEVNULL,
                           stdout=open(sim_log, "w"), stderr=subprocess.STDOUT)
    window = None
    try:
        wait_for("the device map", lambda: os.path.exists(device_map)
                 and os.path.getsize(device_map) > 0, 10)
        initial = wait_for("the bench's first dump", lambda: open(sim_log, encoding="utf-8").read(), 10)
        time.sleep(0.2)
        initial = open(sim_log, encoding="utf-8").read()
        if not re.search(r"logger: " + LOGGER + r"\b", initial):
            raise Skipped("the bench of trimbench-sim has no %s logger:\n%s"
                          % (LOGGER, initial))
        env.update(TRIMBENCH_DEVICE_MAP=device_map, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                   QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=work, HOME=work,
                   TRIMBENCH_SETTINGS_FILE=os.path.join(work, "settings.ini"))
        window = subprocess.Popen([os.path.join(OUT, "Trimbench2")], env=env)
        app = wait_for("Trimbench2 on the accessibility bus", lambda: find_app(window.pid))
        wait_for("the page's tab", lambda: select_tab(app, TAB))
        page = wait_for("the page", lambda: control(app, DIALOG))
        wait_for("the page shown", lambda: control(page, 1134).getState().contains(
            pyatspi.STATE_SHOWING))

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

        act("a press on 設定送信", lambda: press(control(page, 1130)))
        box, question = wait_for("the confirmation", lambda: message_box(app, "送信してよろしいですか"))
        if P.confirmation not in question:
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
        held = held_codes(sim, sim_log, P.channel)
        want = (round(slope * P.scales[0]), round(expected_offset * P.scales[1]))
        if held != want:
            raise Failure("the logger holds codes %r, expected %r" % (held, want))
        if untouched is not None and held_codes(sim, sim_log, other) != untouched:
            raise Failure("channel %d changed from %r" % (other, untouched))
        print("logger holds slope code %d, offset code %d as sent" % held)
    finally:
        stop([p for p in (window, sim) if p is not None])


def stop(processes):
    """Ends the processes this run started, by force if they linger."""
    for process in processes:
        process.terminate()
    for process in processes:
        try:
            process.wait(10)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def main():
    with tempfile.TemporaryDirectory(prefix="tb-e2e-%s-" % PAGE) as work:
        try:
            run(work)
        except Skipped as skipped:
            print("SKIPPED:", skipped)
            return SKIP
        except Failure as failure:
            print("FAILED:", failure)
            log = os.path.join(work, "sim.log")
            if os.path.exists(log):
                print(open(log, encoding="utf-8").read()[-3000:])
            return 1
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
