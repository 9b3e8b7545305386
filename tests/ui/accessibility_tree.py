#!/usr/bin/env python3
"""The editor as a screen reader sees it, through AT-SPI.

Starts the editor (the program given as the first argument), finds it on the
accessibility bus, and checks that every object that offers an action has a
name, that the check list entries expose their check state and toggle it, and
that the press action of each mock-up part opens the dialog a click opens.
Run it on a display with a session bus, as CTest does:
    dbus-run-session -- xvfb-run -a python3 accessibility_tree.py vuka-manager
"""
import os
import subprocess
import sys
import tempfile
import time

import pyatspi

# The mock-up parts by their accessible names, and the titles of their dialogs.
PARTS = [
    ("Фон", "Выбор цветов для градиентного заполнения"),
    ("Название программы", "Вид надписи на заднем фоне"),
    ("Заголовок диалога", "Вид надписи на диалогах"),
    ("Текст приветствия", "Позиция диалога"),
]
TIMEOUT = 15.0

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def wait_for(find, what):
    deadline = time.monotonic() + TIMEOUT
    while time.monotonic() < deadline:
        found = find()
        if found is not None:
            return found
        time.sleep(0.1)
    raise SystemExit(f"FAIL: timed out waiting for {what}")


def application(pid):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def walk(node, path=()):
    """Every object below node (node included), with the roles leading to it."""
    here = path + (node.getRoleName(),)
    yield node, here
    for child in node:
        if child is not None:
            yield from walk(child, here)


def actions(node):
    try:
        action = node.queryAction()
    except NotImplementedError:
        return {}
    return {action.getName(i): i for i in range(action.nActions)}


def window_titled(app, title):
    for window in app:
        if window is not None and window.name == title:
            states = window.getState()
            if states.contains(pyatspi.STATE_SHOWING):
                return window
    return None


def named(root, role, name):
    for node, _ in walk(root):
        if node.getRole() == role and node.name == name:
            return node
    return None


def check_names(window):
    """Checks that every object of the window that offers an action is named;
    returns how many offer one."""
    actionable = 0
    for node, path in walk(window):
        if actions(node):
            actionable += 1
            check(node.name.strip() != "", "unnamed " + "/".join(path))
    return actionable


def close_dialog(dialog):
    """Closes a dialog with its Cancel button, or its only button."""
    buttons = [n for n, _ in walk(dialog) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    cancel = [b for b in buttons if b.name in ("Отмена", "Cancel")] or buttons[-1:]
    press = actions(cancel[0])
    cancel[0].queryAction().doAction(press.get("Press", 0))


def main():
    if len(sys.argv) != 2:
        raise SystemExit("usage: accessibility_tree.py PROGRAM")
    env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    # The registry first: the editor joins the accessibility bus as it starts.
    pyatspi.Registry.getDesktop(0)
    with tempfile.TemporaryDirectory() as home:
        env["XDG_CONFIG_HOME"] = home
        editor = subprocess.Popen([sys.argv[1]], env=env)
        try:
            run(editor.pid)
        finally:
            editor.terminate()
            editor.wait(timeout=10)
    for failure in failures:
        print("FAIL:", failure)
    print("accessibility tree:", "FAILED" if failures else "passed")
    return 1 if failures else 0


def run(pid):
    app = wait_for(lambda: application(pid), "the editor on the accessibility bus")
    main_window = wait_for(lambda: next((w for w in app if w is not None), None), "its window")
    wait_for(lambda: named(main_window, pyatspi.ROLE_PUSH_BUTTON, PARTS[0][0]), "the mock-up")

    check(check_names(main_window) > 10, "too few actionable objects in the main window")

    # The entries of the language list are checkable and their tick toggles.
    langs = named(main_window, pyatspi.ROLE_LIST, "Список доступных языков")
    if check(langs is not None and langs.childCount > 0, "no language list with entries"):
        entry = langs[0]
        toggle = actions(entry).get("Toggle")
        if check(toggle is not None, "a language entry has no toggle action"):
            for _ in range(2):
                checked = entry.getState().contains(pyatspi.STATE_CHECKED)
                entry.queryAction().doAction(toggle)
                check(entry.getState().contains(pyatspi.STATE_CHECKED) != checked,
                      "toggling a language entry did not change its check state")

    # Each mock-up part's press action opens its dialog.
    for name, title in PARTS:
        part = named(main_window, pyatspi.ROLE_PUSH_BUTTON, name)
        if not check(part is not None, f"no mock-up part named {name}"):
            continue
        check(part.description != "", f"{name} has no description")
        part.queryAction().doAction(actions(part)["Press"])
        dialog = wait_for(lambda: window_titled(app, title), f"the dialog «{title}»")
        check(check_names(dialog) > 1, f"too few actionable objects in «{title}»")
        close_dialog(dialog)
        wait_for(lambda: None if window_titled(app, title) else True, f"«{title}» to close")


if __name__ == "__main__":
    sys.exit(main())
