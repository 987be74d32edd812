#!/usr/bin/env python3
"""The cockpit page in a real browser: headless Chromium, driven through
ChromeDriver's WebDriver protocol, opens the page that ulvo-monitor.exe --web
serves beside the panel lab (both under Wine). A scenario of the lab sets windows
and lamps; the test reads them from the page's DOM, clicks a command and a knob,
and speaks the JSON offset protocol from the page's own browser as a panel would.
The lab's scenario expects the aircraft to receive every command; the test passes
when it does. A screenshot of the page is written to --screenshot.

browser_panel.py --build BUILD --prefix WINEPREFIX --screenshot FILE.png
"""
import argparse
import base64
import json
import os
import socket
import subprocess
import sys
import tempfile
import time
import urllib.request

PORT = 2060  # not one of the ports browsers refuse
SCENARIO = """\
set 0x943A 12000
set 0x9430 -1500
set 0x9436 blank
set 0x9402.3 on
set 0x940B.2 2
expect command 1299 2 within 60        # the page's 1298 level up
expect command 1232 12100 within 30    # the page's altitude knob, one step up
expect command 1299 1 within 30        # the protocol client's 1297 level down
expect command 1232 within 30          # ... and its altitude knob
"""
CHROMIUM_ARGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                 "--no-first-run", "--disable-background-networking",
                 "--disable-component-update", "--disable-sync", "--window-size=1400,1500"]

# A panel's script written from the protocol's facts: declare, read once, read on
# change, write by name, and a write the group does not have.
PROTOCOL_CLIENT = """
const done = arguments[arguments.length - 1];
const replies = [];
const socket = new WebSocket(`ws://${location.host}/fsuipc/`, "fsuipc");
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


def wine_path(path):
    return "Z:" + path.replace("/", "\\")


class WebDriver:
    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"
        caps = {"capabilities": {"alwaysMatch": {"goog:chromeOptions": {
            "binary": "/usr/bin/chromium",
            "args": CHROMIUM_ARGS + [f"--user-data-dir={tempfile.mkdtemp()}"]}}}}
        self.session = self.call("POST", "/session", caps)["sessionId"]

    def call(self, method, path, body=None):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        with urllib.request.urlopen(request, timeout=60) as answer:
            return json.load(answer)["value"]

    def do(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def script(self, code, asynchronous=False):
        kind = "async" if asynchronous else "sync"
        return self.do("POST", f"/execute/{kind}", {"script": code, "args": []})

    def click(self, selector):
        found = self.do("POST", "/element", {"using": "css selector", "value": selector})
        element = next(iter(found.values()))  # the reference under the protocol's key
        self.do("POST", f"/element/{element}/click", {})

    def wait_for(self, code, what, seconds=30):
        end = time.time() + seconds
        while time.time() < end:
            value = self.script(code)
            if value:
                return value
            time.sleep(0.05)
        raise AssertionError(f"the page did not show {what}")


def end_wine_programs(marker):
    """Ends the Windows programs this test started: Wine runs each as a process
    of its own, whose command line holds the marker."""
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/cmdline", "rb") as file:
                command = file.read().replace(b"\0", b" ").decode(errors="replace")
        except OSError:
            continue
        if marker in command and ".exe" in command:
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


def run(args):
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    wine_run = [os.path.join(root, "scripts", "wine-run.sh"), args.prefix]
    bin_dir = os.path.join(args.build, "bin")
    scratch = tempfile.mkdtemp(prefix="ulvo-browser-")
    scenario = os.path.join(scratch, "scenario.txt")
    with open(scenario, "w") as file:
        file.write(SCENARIO)
    lab_out = open(os.path.join(scratch, "lab.txt"), "w+")
    lab = subprocess.Popen(wine_run + [os.path.join(bin_dir, "ulvo-panel-lab.exe"), "--plain",
                                       "run", wine_path(scenario)], stdout=lab_out,
                           stderr=subprocess.STDOUT)
    monitor = driver_process = None
    try:
        end = time.time() + 60
        while "ready:" not in open(lab_out.name).read():
            check(time.time() < end and lab.poll() is None, "the lab did not start")
            time.sleep(0.2)
        monitor = subprocess.Popen(wine_run + [os.path.join(bin_dir, "ulvo-monitor.exe"),
                                               "--web", str(PORT)],
                                   stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        check(wait_for_port(PORT, 60), "the monitor's web panel did not start")
        driver_process = subprocess.Popen(["chromedriver", f"--port={PORT + 1}"],
                                          stdout=subprocess.DEVNULL, stderr=subprocess.STDOUT)
        check(wait_for_port(PORT + 1, 30), "chromedriver did not start")
        browser = WebDriver(PORT + 1)
        browser.do("POST", "/url", {"url": f"http://localhost:{PORT}/"})
        browser.wait_for("return document.getElementById('status').dataset.state === 'live'",
                         "that it is live")
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

        browser.click('button[data-code="1298"]')
        browser.wait_for("return [...document.querySelectorAll('#events li')]"
                         ".some((li) => li.textContent.includes('wrote command 1298'))",
                         "the answer to the click")
        end = time.time() + 30
        while "command 1299" not in open(lab_out.name).read():  # performed by the plug-in
            check(time.time() < end, "the aircraft did not receive the click's command")
            time.sleep(0.05)
        browser.click('tr:has(td[data-offset="0x94F0"]) button[data-steps="1"]')
        browser.wait_for("return document.querySelector('td[data-offset=\"0x94F0\"]')"
                         ".textContent === '1'", "the knob's counter one step on")

        result = browser.script(PROTOCOL_CLIENT, asynchronous=True)
        check("error" not in result, f"the protocol client: {result}")
        check(result["protocol"] == "fsuipc", "the server did not choose the fsuipc protocol")
        replies = result["replies"]
        check(replies[0]["success"] and replies[1]["data"]["altWindow"] == 12000,
              f"declare and read: {replies[:2]}")
        check(replies[1]["data"]["lamps"][3] is True, "the lamp bit through the protocol")
        failed = [r for r in replies if r["command"] == "offsets.write" and not r["success"]]
        check(len(failed) == 1 and failed[0]["errorCode"] == "UnknownName",
              f"the write of an undeclared name: {failed}")

        png = base64.b64decode(browser.do("GET", "/screenshot"))
        with open(args.screenshot, "wb") as file:
            file.write(png)
        browser.do("DELETE", "")
        code = lab.wait(timeout=120)
        output = open(lab_out.name).read()
        check(code == 0, f"the lab's scenario failed:\n{output}")
        print("browser panel: the page showed the lab's cockpit, and the aircraft received "
              f"every command; screenshot {args.screenshot}")
    finally:
        end_wine_programs(f"ulvo-monitor.exe --web {PORT}")
        end_wine_programs(wine_path(scenario))
        for process in (driver_process, monitor, lab):
            if process is not None and process.poll() is None:
                process.terminate()
                try:
                    process.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    process.kill()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--build", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--screenshot", required=True)
    args = parser.parse_args()
    try:
        run(args)
    except AssertionError as failure:
        print(f"browser panel: FAILED: {failure}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
