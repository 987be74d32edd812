#!/usr/bin/env python3
"""The cockpit page in a real browser: headless Chromium, driven through
ChromeDriver's WebDriver protocol, opens the page that ulvo-panel-lab.exe --web
serves (under Wine). The lab's scenario sets windows and lamps, opens a door and
reports the jetway; the test reads them from the page's DOM, clicks a command and
a knob, runs a `set` line and a door from the page, and speaks the JSON offset
protocol from a page of another origin as a panel served from elsewhere would
(in the lab it may write). Then the monitor's page
(ulvo-monitor.exe --web beside the lab) sends one more command. The lab's scenario
expects the aircraft to receive every command; the test passes when it does. A
screenshot of the lab's page is written to --screenshot.

browser_panel.py --build BUILD --prefix WINEPREFIX --screenshot FILE.png

With --measure COUNT it measures instead of testing (nothing is asserted): the
time from a `set` sent by the page to the page showing it and from a click to
the aircraft's command shown on the page, COUNT of each, and the lab's own times
and the plug-in's cycle period without and with 50 protocol clients.
"""
import argparse
import base64
import http.server
import json
import os
import shutil
import socket
import statistics
import subprocess
import sys
import tempfile
import threading
import time
import urllib.request

PORT = 2060  # the lab's; not one of the ports browsers refuse
DRIVER_PORT = 2061
MONITOR_PORT = 2062
PANEL_PORT = 2063  # where "another web site" serves its panel
SCENARIO = """\
set 0x943A 12000
set 0x9430 -1500
set 0x9436 blank
set 0x9402.3 on
set 0x940B.2 2
gsx service open
jetway power on
expect command 1299 2 within 60        # the page's 1298 level up
expect command 1232 12100 within 30    # the page's altitude knob, one step up
expect command 1299 1 within 30        # the protocol client's 1297 level down
expect command 1232 within 30          # ... and its altitude knob
expect 0x9436 250 within 30            # the page's own set line
expect event SELECT_1 within 30        # the page's button opens the main exit
expect command 1299 2 within 60        # the monitor's page: 1298 level up
"""
CHROMIUM_ARGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--window-size=1400,1500"]

# A panel's script written from the protocol's facts: declare, read once, read on
# change, write by name, and a write the group does not have. It runs in a page
# of another origin, as a panel served from elsewhere does.
PROTOCOL_CLIENT = """
const [host, done] = arguments;
const replies = [];
const socket = new WebSocket(`ws://${host}/fsuipc/`, "fsuipc");
const send = (request) => socket.send(JSON.stringify(request));
socket.onerror = () => done({error: "no connection"});
socket.onopen = () => {
  send({command: "offsets.declare", name: "mcp", offsets: [
    {name: "altWindow", address: 0x943A, type: "uint", size: 2},
    {name: "lamps", address: 0x9402, type: "bits", size: 1},
    {name: "knob", address: 0x94F0, type: "uint", size: 1},
    {name: "commandWord", address: 0x9400, type: "uint", size: 2}]});
  send({command: "offsets.read", name: "mcp"});
};
socket.onmessage = (event) => {
  const reply = JSON.parse(event.data);
  replies.push(reply);
  if (replies.length === 2) {
    // The knob one step on, and a command, as a panel sends them.
    send({command: "offsets.read", name: "mcp", interval: 50, changesOnly: true});
    send({command: "offsets.write", name: "mcp", offsets: [
      {name: "commandWord", value: 1297}, {name: "knob", value: reply.data.knob + 1}]});
    send({command: "offsets.write", name: "mcp", offsets: [{name: "speed", value: 1}]});
  }
  // Done when the subscription tells of the knob's change alone.
  if (reply.data && Object.keys(reply.data).join() === "knob") {
    socket.close();
    done({protocol: socket.protocol, replies});
  }
};
setTimeout(() => done({error: "timed out", replies}), 20000);
"""

# The measurement, in the page: each `set` from the page's own socket until the
# altitude window shows it, and each click of a level command until the page
# lists the command the aircraft received; each started at a random moment.
MEASURE_PAGE = """
const [count, done] = arguments;
const pause = (ms) => new Promise((resolve) => setTimeout(resolve, ms));
// The time at which `holds` first holds, watching `node` for changes.
const when = (node, holds) => new Promise((resolve) => {
  if (holds()) return resolve(performance.now());
  const observer = new MutationObserver(() => {
    if (holds()) { observer.disconnect(); resolve(performance.now()); }
  });
  observer.observe(node, {attributes: true, childList: true, subtree: true,
                          characterData: true});
});
(async () => {
  const window = document.querySelector('.display[data-offset="0x943A"]');
  const events = document.getElementById("events");
  const word = document.getElementById("command-state");
  const sets = [], clicks = [];
  for (let i = 0; i < count; i++) {
    // The lab runs a line once the one before is in force (three cycles later).
    await pause(20 + Math.random() * 8);
    const value = String(10000 + i);
    const start = performance.now();
    sendLine(`set 0x943A ${value}`);
    sets.push(await when(window, () => window.dataset.text === value) - start);
  }
  for (let i = 0; i < count; i++) {
    await when(word, () => word.textContent === "idle");
    await pause(Math.random() * 8);
    events.querySelectorAll("li").forEach((li) => { li.dataset.seen = "1"; });
    const button = document.querySelector(`button[data-code="${1297 + (i + 1) % 2}"]`);
    const start = performance.now();
    button.click();
    const received = () => [...events.querySelectorAll("li:not([data-seen])")]
        .some((li) => li.textContent.startsWith("command 1299"));
    clicks.push(await when(events, received) - start);
  }
  done({sets, clicks});
})();
"""

# Fifty panels of the JSON protocol, each reading a group every 10 ms; done when
# every one has had its first reply. They stay open until the page goes.
FIFTY_CLIENTS = """
const done = arguments[arguments.length - 1];
const offsets = [{name: "lamps", address: 0x9402, type: "bits", size: 8}];
for (let k = 0; k < 16; k++) {
  offsets.push({name: `w${k}`, address: 0x9400 + 2 * k, type: "uint", size: 2});
}
let ready = 0;
window.panels = [];
for (let i = 0; i < 50; i++) {
  const socket = new WebSocket(`ws://${location.host}/fsuipc/`, "fsuipc");
  let first = true;
  socket.onopen = () => {
    socket.send(JSON.stringify({command: "offsets.declare", name: "g", offsets}));
    socket.send(JSON.stringify({command: "offsets.read", name: "g", interval: 10}));
  };
  socket.onmessage = (event) => {
    if (first && JSON.parse(event.data).data) {
      first = false;
      if (++ready === 50) done(ready);
    }
  };
  window.panels.push(socket);
}
"""


class PanelSite(http.server.BaseHTTPRequestHandler):
    """Another origin: a web site that serves a panel's page of its own."""

    def do_GET(self):
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.end_headers()
        self.wfile.write(b"<!doctype html><title>a panel served from elsewhere</title>")

    def log_message(self, *args):
        pass


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


class WebDriver:
    def __init__(self, port, profile):
        self.base = f"http://127.0.0.1:{port}"
        caps = {"capabilities": {"alwaysMatch": {"goog:chromeOptions": {
            "binary": "/usr/bin/chromium", "args": CHROMIUM_ARGS + [profile]}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]
        self.do("POST", "/timeouts", {"script": 600000})

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=700) as answer:
            return json.load(answer)["value"]

    def do(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def open(self, port):
        self.do("POST", "/url", {"url": f"http://localhost:{port}/"})
        self.wait_for("return document.getElementById('status').dataset.state === 'live'",
                      "that it is live")

    def script(self, code, asynchronous=False, args=()):
        kind = "async" if asynchronous else "sync"
        return self.do("POST", f"/execute/{kind}", {"script": code, "args": list(args)})

    def element(self, selector):
        found = self.do("POST", "/element", {"using": "css selector", "value": selector})
        return next(iter(found.values()))  # the reference under the protocol's key

    def click(self, selector):
        self.do("POST", f"/element/{self.element(selector)}/click", {})

    def type(self, selector, text):
        element = self.element(selector)
        self.do("POST", f"/element/{element}/clear", {})
        self.do("POST", f"/element/{element}/value", {"text": text})

    def wait_for(self, code, what, seconds=30):
        end = time.time() + seconds
        while time.time() < end:
            value = self.script(code)
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError(f"the page did not show {what}")


class Programs:
    """The Windows programs and ChromeDriver a run starts, ended however it ends."""

    def __init__(self, args):
        root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
        self.scripts = os.path.join(root, "scripts")
        self.prefix = os.path.abspath(args.prefix)
        self.bin = os.path.join(args.build, "bin")
        self.scratch = tempfile.mkdtemp(prefix="ulvo-browser-")
        self.started = []  # (process, what its Wine process's command line holds)
        self.outputs = {}

    def wine(self, program, arguments, keyboard=False):
        """A Windows program; its output goes to a file. With `keyboard` its
        lines come from a pipe (wine-run.sh gives it none)."""
        out = open(os.path.join(self.scratch, f"out{len(self.started)}.txt"), "w")
        command = [os.path.join(self.bin, program)] + arguments
        if keyboard:
            subprocess.run([os.path.join(self.scripts, "wine-prefix.sh"), "session",
                            self.prefix], check=True)
            env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                       WINEDLLOVERRIDES="mscoree,mshtml=")
            process = subprocess.Popen(["wine"] + command, stdin=subprocess.PIPE, stdout=out,
                                       stderr=subprocess.STDOUT, env=env, text=True)
        else:
            process = subprocess.Popen([os.path.join(self.scripts, "wine-run.sh"),
                                        self.prefix] + command, stdout=out,
                                       stderr=subprocess.STDOUT)
        self.started.append((process, f"{program} {' '.join(arguments)}"))
        self.outputs[process] = out.name
        return process

    def lab(self, arguments, keyboard=False):
        """The lab, once its web panel serves."""
        process = self.wine("ulvo-panel-lab.exe", ["--plain"] + arguments, keyboard)
        end = time.time() + 60
        while "cockpit page:" not in self.output(process):
            check(time.time() < end and process.poll() is None,
                  f"the lab did not start:\n{self.output(process)}")
            time.sleep(0.1)
        return process

    def output(self, process):
        with open(self.outputs[process]) as file:
            return file.read()

    def browser(self):
        process = subprocess.Popen(["chromedriver", f"--port={DRIVER_PORT}"],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        # Chromium outlives its driver at times: its own profile finds it.
        profile = f"--user-data-dir={os.path.join(self.scratch, 'chromium')}"
        self.started.append((process, profile))
        check(wait_for_port(DRIVER_PORT, 30), "chromedriver did not start")
        return WebDriver(DRIVER_PORT, profile)

    def end(self):
        for process, marker in reversed(self.started):
            end_processes(marker)
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    process.kill()
        shutil.rmtree(self.scratch, ignore_errors=True)


def end_processes(marker):
    """Ends the processes this run started, found by what their command lines hold:
    Wine runs each Windows program as a process of its own, and Chromium starts
    several."""
    for pid in filter(lambda name: name.isdigit() and int(name) != os.getpid(),
                      os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                command = file.read().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            continue
        if marker in command:
            try:
                os.kill(int(pid), 15)
            except OSError:
                pass


def wait_for_port(port, seconds):
    end = time.time() + seconds
    while time.time() < end:
        try:
            socket.create_connection(("127.0.0.1", port), timeout=1).close()
            return True
        except OSError:
            time.sleep(0.2)
    return False


def check(condition, message):
    if not condition:
        raise AssertionError(message)


def test(programs, screenshot):
    scenario = os.path.join(programs.scratch, "scenario.txt")
    with open(scenario, "w") as file:
        file.write(SCENARIO)
    lab = programs.lab(["--web", str(PORT), "run", wine_path(scenario)])
    programs.wine("ulvo-monitor.exe", ["--web", str(MONITOR_PORT)])  # starts meanwhile
    browser = programs.browser()
    browser.open(PORT)
    text = "return document.querySelector('.display[data-offset=\"{}\"]').dataset.text"
    browser.wait_for(text.format("0x943A") + " === '12000'", "the altitude window")
    cells = browser.script("return [...document.querySelectorAll("
                           "'.display[data-offset=\"0x9430\"] .window span')]"
                           ".map((s) => s.textContent.trim()).join('|')")
    check(cells == "-|1|5|0|0", f"the cabin altitude window shows {cells}")
    check(browser.script(text.format("0x9436")) == "blank", "the speed window is not blank")
    lamp = "document.querySelector('.bit-word[data-offset=\"{}\"] .lamp[data-bit=\"{}\"]')"
    check(browser.script(f"return {lamp.format('0x9402', 3)}.classList.contains('lit')"),
          "lamp 0x9402.3 is not lit")
    check(browser.script(f"return {lamp.format('0x940B', 2)}.dataset.value") == "2",
          "switch 0x940B.2 is not at 2")
    door = "return document.querySelector('.door[data-door=\"{}\"] b').textContent === 'open'"
    browser.wait_for(door.format("service"), "the service doors open")
    browser.wait_for("return document.getElementById('jetway').textContent"
                     ".includes('power 5')", "the jetway's power")

    events = "return [...document.querySelectorAll('#events li')].some((li) => {})"
    browser.click('button[data-code="1298"]')
    browser.wait_for(events.format("li.textContent.startsWith('command 1299')"),
                     "the command the aircraft received")
    browser.click('tr:has(td[data-offset="0x94F0"]) button[data-steps="1"]')
    browser.wait_for("return document.querySelector('td[data-offset=\"0x94F0\"]')"
                     ".textContent === '1'", "the knob's counter one step on")

    site = http.server.ThreadingHTTPServer(("127.0.0.1", PANEL_PORT), PanelSite)
    threading.Thread(target=site.serve_forever, daemon=True).start()
    browser.do("POST", "/url", {"url": f"http://localhost:{PANEL_PORT}/"})
    result = browser.script(PROTOCOL_CLIENT, asynchronous=True, args=[f"localhost:{PORT}"])
    check("error" not in result, f"the protocol client: {result}")
    check(result["protocol"] == "fsuipc", "the server did not choose the fsuipc protocol")
    replies = result["replies"]
    check(replies[0]["success"] and replies[1]["data"]["altWindow"] == 12000,
          f"declare and read: {replies[:2]}")
    check(replies[1]["data"]["lamps"][3] is True, "the lamp bit through the protocol")
    failed = [r for r in replies if r["command"] == "offsets.write" and not r["success"]]
    check(len(failed) == 1 and failed[0]["errorCode"] == "UnknownName",
          f"the write of an undeclared name: {failed}")
    site.shutdown()

    browser.open(PORT)
    browser.type("#line", "set 0x9436 250")
    browser.click("#line-form button")
    browser.wait_for(text.format("0x9436") + " === '250'", "the page's own set line")
    browser.click('.door[data-door="exit"] button')
    browser.wait_for(door.format("exit"), "the main exit open")
    with open(screenshot, "wb") as file:
        file.write(base64.b64decode(browser.do("GET", "/screenshot")))
    browser.type("#line", "quit")  # the lab's prompt only: a page must not end the lab
    browser.click("#line-form button")
    browser.wait_for(events.format("li.className === 'failed' && "
                                   "li.textContent.includes('quit, help')"), "quit refused")

    check(wait_for_port(MONITOR_PORT, 60), "the monitor's web panel did not start")
    browser.open(MONITOR_PORT)
    browser.wait_for(text.format("0x943A") + " === '12000'", "the monitor's altitude window")
    browser.click('button[data-code="1298"]')
    browser.do("DELETE", "")
    code = lab.wait(timeout=120)
    check(code == 0, f"the lab's scenario failed:\n{programs.output(lab)}")
    print("browser panel: the lab's page showed its cockpit, doors and jetway, and the "
          f"aircraft received every command; screenshot {screenshot}")


def stats(samples):
    ordered = sorted(samples)
    p99 = ordered[min(len(ordered) - 1, int(0.99 * len(ordered)))]
    return f"median {statistics.median(ordered):.2f} ms, p99 {p99:.2f} ms, max {ordered[-1]:.2f} ms"


def lab_times(text):
    return "\n".join("    " + line.split("  ", 1)[-1].strip() for line in text.splitlines()
                     if " ms, p99 " in line)


def measure(programs, count):
    lab = programs.lab(["--web", str(PORT)], keyboard=True)
    lab.stdin.write("timing on\n")
    lab.stdin.flush()
    browser = programs.browser()
    browser.open(PORT)
    times = browser.script(MEASURE_PAGE, asynchronous=True, args=[count])
    lab.stdin.write("quit\n")
    lab.stdin.close()
    lab.wait(timeout=60)
    print(f"set from the page -> shown on the page: {stats(times['sets'])}")
    print(f"click -> the aircraft's command shown on the page: {stats(times['clicks'])}")
    print(f"  the lab's own times, in the same run:\n{lab_times(programs.output(lab))}")
    browser.do("POST", "/url", {"url": "about:blank"})  # no page reconnects to the next lab
    for clients in (0, 50):
        lab = programs.lab(["--web", str(PORT), "measure", str(count)])
        if clients:
            browser.open(PORT)
            browser.script(FIFTY_CLIENTS, asynchronous=True)
        lab.wait(timeout=600)
        print(f"ulvo-panel-lab --web measure {count}, {clients} protocol clients"
              f"{' beside the page' if clients else ', no page'}:\n"
              f"{lab_times(programs.output(lab))}")
    browser.do("DELETE", "")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--screenshot")
    parser.add_argument("--measure", type=int, metavar="COUNT")
    args = parser.parse_args()
    programs = Programs(args)
    try:
        if args.measure:
            measure(programs, args.measure)
        else:
            test(programs, args.screenshot)
    except AssertionError as failure:
        print(f"browser panel: FAILED: {failure}", file=sys.stderr)
        return 1
    finally:
        programs.end()
    return 0


if __name__ == "__main__":
    sys.exit(main())
