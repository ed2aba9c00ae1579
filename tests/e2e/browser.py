#!/usr/bin/env python3
"""Drives a headless Chromium for the end-to-end sessions, one command a line.

Reads commands on standard input and answers each with one line on standard output:
  open URL          loads URL in the page                     -> ok
  eval EXPRESSION   evaluates JavaScript in the page          -> the value as JSON
  shot FILE         saves a PNG screenshot of the page         -> ok
  click X Y         a left click at page point (X, Y)         -> ok
  key NAME          presses and releases a key ("Escape")     -> ok
A failure answers "error: ..." and the driver stays ready for the next command.

Chromium is spoken to through its DevTools pipe (file descriptors 3 and 4, messages ended by a
NUL byte), so no port is opened and only the standard library is needed.
"""
import base64
import fcntl
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

# Flags for a closed network: no background fetches, no updates, no first-run pages.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--remote-debugging-pipe", "--window-size=1400,1100", "--hide-scrollbars",
]

# The DOM key code and Windows key code of the keys the sessions press.
KEYS = {"Escape": 27, "Enter": 13}


def above_four(fd):
    moved = fcntl.fcntl(fd, fcntl.F_DUPFD_CLOEXEC, 5)
    os.close(fd)
    return moved


class DevTools:
    def __init__(self):
        self.profile = tempfile.mkdtemp(prefix="mapwell-chromium-")
        to_chromium_r, self.to_chromium = os.pipe()
        self.from_chromium, from_chromium_w = os.pipe()
        # Chromium's ends move above 4 first, so that the moves to 3 and 4 cannot clash.
        to_chromium_r, from_chromium_w = (above_four(fd) for fd in (to_chromium_r, from_chromium_w))
        # Chromium reads its commands on fd 3 and writes its answers to fd 4.
        moves = "exec \"$@\" 3<&%d 4>&%d %d<&- %d>&-" % (
            to_chromium_r, from_chromium_w, to_chromium_r, from_chromium_w)
        self.process = subprocess.Popen(
            ["sh", "-c", moves, "sh", "chromium", *CHROMIUM_FLAGS,
             "--user-data-dir=" + self.profile, "about:blank"],
            stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            pass_fds=(to_chromium_r, from_chromium_w))
        os.close(to_chromium_r)
        os.close(from_chromium_w)
        self.pending = b""
        self.next_id = 0
        target = self.call("Target.createTarget", {"url": "about:blank"})["targetId"]
        self.session = self.call("Target.attachToTarget",
                                 {"targetId": target, "flatten": True})["sessionId"]

    def call(self, method, params=None, session=None):
        self.next_id += 1
        message = {"id": self.next_id, "method": method, "params": params or {}}
        if session:
            message["sessionId"] = session
        os.write(self.to_chromium, json.dumps(message).encode() + b"\0")
        while True:  # events arrive in between; only our answer matters
            answer = json.loads(self.read_message())
            if answer.get("id") == self.next_id:
                if "error" in answer:
                    raise RuntimeError(answer["error"].get("message", "DevTools error"))
                return answer.get("result", {})

    def read_message(self):
        while b"\0" not in self.pending:
            chunk = os.read(self.from_chromium, 65536)
            if not chunk:
                raise RuntimeError("chromium ended")
            self.pending += chunk
        message, self.pending = self.pending.split(b"\0", 1)
        return message

    def page(self, method, params=None):
        return self.call(method, params, self.session)

    def close(self):
        try:
            self.call("Browser.close")
        except RuntimeError:
            pass
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
        shutil.rmtree(self.profile, ignore_errors=True)


def mouse(tools, kind, x, y, buttons):
    tools.page("Input.dispatchMouseEvent", {"type": kind, "x": x, "y": y, "button": "left",
                                            "buttons": buttons, "clickCount": 1})


def run(tools, command, argument):
    if command == "open":
        tools.page("Page.navigate", {"url": argument})
        return "ok"
    if command == "eval":
        result = tools.page("Runtime.evaluate", {"expression": argument, "returnByValue": True})
        if "exceptionDetails" in result:
            raise RuntimeError(result["exceptionDetails"].get("text", "exception"))
        return json.dumps(result["result"].get("value"))
    if command == "shot":
        data = tools.page("Page.captureScreenshot", {"format": "png"})["data"]
        with open(argument, "wb") as shot:
            shot.write(base64.b64decode(data))
        return "ok"
    if command == "click":
        x, y = (float(v) for v in argument.split())
        # As a hand does it: the pointer arrives, rests, presses, releases.
        tools.page("Input.dispatchMouseEvent", {"type": "mouseMoved", "x": x, "y": y})
        time.sleep(0.2)
        mouse(tools, "mousePressed", x, y, 1)
        time.sleep(0.1)
        mouse(tools, "mouseReleased", x, y, 0)
        return "ok"
    if command == "key":
        code = KEYS[argument]
        for kind in ("rawKeyDown", "keyUp"):
            tools.page("Input.dispatchKeyEvent", {"type": kind, "key": argument, "code": argument,
                                                  "windowsVirtualKeyCode": code})
        return "ok"
    raise RuntimeError("unknown command " + command)


def main():
    tools = DevTools()
    try:
        for line in sys.stdin:
            command, _, argument = line.strip().partition(" ")
            try:
                answer = run(tools, command, argument)
            except (RuntimeError, KeyError, ValueError, OSError) as error:
                answer = "error: %s" % error
            print(answer, flush=True)
    finally:
        tools.close()


if __name__ == "__main__":
    main()
