"""What the end-to-end runs share: finding the program on the accessibility
bus, its controls by their id (the accessible description), pressing,
answering message boxes, bounded waits, and ending the processes a run
started. Every wait stops at the run's limit of 120 s."""
import os
import re
import signal
import subprocess
import tempfile
import time

import pyatspi

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


def select_tab(app, text):
    for node in descendants(app):
        if node.getRoleName() == "page tab" and node.name == text:
            if not node.getState().contains(pyatspi.STATE_SELECTED):
                press(node)
            return True
    return False


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


def send_and_confirm(app, page, confirmation, success):
    """Presses 設定送信, checks that the question shows confirmation, answers
    はい and acknowledges the report that shows success."""
    act("a press on 設定送信", lambda: press(control(page, 1130)))
    box, question = wait_for("the confirmation", lambda: message_box(app, "送信してよろしいですか"))
    if confirmation not in question:
        raise Failure("unexpected confirmation: " + repr(question))
    act("an answer", lambda: answer(box, "はい"))
    box, _ = wait_for("the success report", lambda: message_box(app, success))
    act("an answer", lambda: answer(box, "OK"))


def start_bench(out, work, device_name, sim_args=()):
    """Starts trimbench-sim (its default bench, or the one sim_args ask for);
    skips the run when the bench has no device matching device_name.
    (process, map path, log path)"""
    device_map = os.path.join(work, "devices.map")
    sim_log = os.path.join(work, "sim.log")
    sim = subprocess.Popen([os.path.join(out, "trimbench-sim"), "--map", device_map, "--quiet"]
                           + list(sim_args),
                           stdin=subprocess.DEVNULL,
                           stdout=open(sim_log, "w"), stderr=subprocess.STDOUT)
    try:
        wait_for("the device map", lambda: os.path.exists(device_map)
                 and os.path.getsize(device_map) > 0, 10)
        wait_for("the bench's first dump", lambda: open(sim_log, encoding="utf-8").read(), 10)
        time.sleep(0.2)
        initial = open(sim_log, encoding="utf-8").read()
        if not re.search(device_name, initial):
            raise Skipped("the bench of trimbench-sim has no %s:\n%s"
                          % (device_name, initial))
    except BaseException:
        stop([sim])
        raise
    return sim, device_map, sim_log


def start_window(out, work, device_map):
    """Starts Trimbench2 at home in `work`, on the bench's devices; (process, accessible app)."""
    env = dict(os.environ)
    env.update(TRIMBENCH_DEVICE_MAP=device_map, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
               QT_QPA_PLATFORM="xcb", XDG_CONFIG_HOME=work, HOME=work,
               TRIMBENCH_SETTINGS_FILE=os.path.join(work, "settings.ini"))
    window = subprocess.Popen([os.path.join(out, "Trimbench2")], env=env)
    try:
        return window, wait_for("Trimbench2 on the accessibility bus", lambda: find_app(window.pid))
    except BaseException:
        stop([window])
        raise


def open_page(app, tab, dialog):
    """Selects the sheet's tab and returns the page once it is shown."""
    wait_for("the page's tab", lambda: select_tab(app, tab))
    page = wait_for("the page", lambda: control(app, dialog))
    wait_for("the page shown", lambda: control(page, 1134).getState().contains(
        pyatspi.STATE_SHOWING))
    return page


def fresh_dump(sim, log_path, pattern):
    """Asks the bench for a fresh dump; the matches of pattern in the newest one."""
    def matches():
        with open(log_path, encoding="utf-8") as log:
            return pattern.findall(log.read())
    before = len(matches())
    sim.send_signal(signal.SIGUSR1)
    return wait_for("the bench's state dump", lambda: len(matches()) > before and matches(), 10)[-1]


def run_main(name, run):
    """Runs run(work) in a fresh folder; prints and returns the outcome as CTest reads it."""
    with tempfile.TemporaryDirectory(prefix="tb-e2e-%s-" % name) as work:
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
