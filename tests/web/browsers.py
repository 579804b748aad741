"""The three browser engines behind one small interface, for the browser test
and the page's benchmark.

  chromium  Debian's chromium through chromedriver (selenium), headless.
  firefox   Debian's firefox-esr over WebDriver BiDi, spoken here directly
            (a websocket and a few commands), headless.
  webkit    WebKitGTK's MiniBrowser through WebKitWebDriver (selenium),
            under a virtual X display (Xvfb) of its own.

Each engine's Browser opens a URL, runs a script (Selenium's convention: the
arguments in `arguments`, the result returned; values travel as JSON), gives
files to a file input, presses keys, sizes the viewport and takes a
screenshot. Every process listens on 127.0.0.1 only.

Also here: `serve`, a local http server (127.0.0.1, a free port) for a folder.
"""

import base64
import functools
import http.server
import json
import os
import socket
import subprocess
import threading
import time

ENGINES = ["chromium", "firefox", "webkit"]

# WebDriver's key values, shared by both protocols.
CONTROL = "\ue009"
ENTER = "\ue007"
END = "\ue010"
UP = "\ue013"


def wait_until(condition, timeout):
    """Polls `condition` until it holds (True) or `timeout` seconds pass (False)."""
    end = time.time() + timeout
    while not condition():
        if time.time() > end:
            return False
        time.sleep(0.02)
    return True


def free_port():
    with socket.socket() as s:
        s.bind(("127.0.0.1", 0))
        return s.getsockname()[1]


def serve(folder):
    """Serves `folder` over http on 127.0.0.1; returns (base URL, server)."""
    class Quiet(http.server.SimpleHTTPRequestHandler):
        def log_message(self, *args):
            pass

    server = http.server.ThreadingHTTPServer(
        ("127.0.0.1", 0), functools.partial(Quiet, directory=folder))
    threading.Thread(target=server.serve_forever, daemon=True).start()
    return "http://127.0.0.1:%d/" % server.server_address[1], server


class Browser:
    """What the test needs of an engine."""

    # Whether the engine takes a folder through a folder input from
    # automation; the others are given the folder's files instead.
    takes_folders = False

    def open(self, url):
        raise NotImplementedError

    def js(self, script, *args):
        raise NotImplementedError

    def js_async(self, script, *args):
        """`script` ends by calling its last argument with the result."""
        raise NotImplementedError

    def set_files(self, element_id, paths):
        raise NotImplementedError

    # Whether drop_path works: automation can drop a file or folder from the
    # disk onto the page only in Chromium (through its DevTools protocol).
    drops_paths = False

    def drop_path(self, path, x, y):
        """Drops the file or folder `path` onto the page at (x, y)."""
        raise NotImplementedError

    def keys(self, *actions):
        """Presses keys into the focused element: each action is text to type
        or ("down", key) / ("up", key)."""
        raise NotImplementedError

    def window_size(self, width, height):
        raise NotImplementedError

    def settled_viewport(self):
        """The viewport's size once a resize has come through."""
        seen = None
        for _ in range(50):
            time.sleep(0.1)
            inner = self.js("return [window.innerWidth, window.innerHeight]")
            if inner == seen:
                break
            seen = inner
        return seen

    def set_viewport(self, width, height):
        """Sizes the window so that the page's viewport is width x height, as
        near as the window may come; returns the viewport's size."""
        self.window_size(width, height)
        inner = self.settled_viewport()
        if inner != [width, height]:  # the window's frame takes the rest
            self.window_size(2 * width - inner[0], 2 * height - inner[1])
            inner = self.settled_viewport()
        return inner

    def screenshot(self, path):
        raise NotImplementedError

    def quit(self):
        raise NotImplementedError

    def root_pid(self):
        """The process under which every process of the browser runs."""
        raise NotImplementedError


class SeleniumBrowser(Browser):
    def __init__(self, driver, cleanup=None):
        self.d = driver
        self.d.set_script_timeout(300)
        self._cleanup = cleanup

    def open(self, url):
        self.d.get(url)

    def js(self, script, *args):
        return self.d.execute_script(script, *args)

    def js_async(self, script, *args):
        return self.d.execute_async_script(script, *args)

    def set_files(self, element_id, paths):
        from selenium.webdriver.common.by import By
        self.d.find_element(By.ID, element_id).send_keys("\n".join(paths))

    def drop_path(self, path, x, y):
        data = {"items": [], "files": [path], "dragOperationsMask": 1}
        for kind in ["dragEnter", "dragOver", "drop"]:
            self.d.execute_cdp_cmd("Input.dispatchDragEvent",
                                   {"type": kind, "x": x, "y": y, "data": data})

    def keys(self, *actions):
        from selenium.webdriver.common.action_chains import ActionChains
        chain = ActionChains(self.d)
        for action in actions:
            if isinstance(action, str):
                chain.send_keys(action)
            elif action[0] == "down":
                chain.key_down(action[1])
            else:
                chain.key_up(action[1])
        chain.perform()

    def window_size(self, width, height):
        self.d.set_window_size(width, height)

    def screenshot(self, path):
        self.d.save_screenshot(path)

    def root_pid(self):
        return self.d.service.process.pid

    def quit(self):
        try:
            self.d.quit()
        finally:
            if self._cleanup:
                self._cleanup()


def start_chromium(profile_dir):
    from selenium import webdriver
    from selenium.webdriver.chrome.service import Service
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--no-sandbox", "--window-size=1000,800",
                 "--user-data-dir=" + profile_dir]:
        options.add_argument(flag)
    browser = SeleniumBrowser(webdriver.Chrome(service=Service("/usr/bin/chromedriver"),
                                               options=options))
    browser.takes_folders = True
    browser.drops_paths = True
    return browser


def display_free(number):
    """Whether X display `number` can be taken: no server runs there. The
    lock and socket a killed server left behind are removed, so that the
    socket found afterwards is the new server's."""
    lock = "/tmp/.X%d-lock" % number
    socket = "/tmp/.X11-unix/X%d" % number
    try:
        with open(lock) as f:
            pid = int(f.read().strip())
    except FileNotFoundError:
        return not os.path.exists(socket)
    except (OSError, ValueError):
        return False
    if os.path.exists("/proc/%d" % pid):
        return False
    for path in (lock, socket):
        try:
            os.remove(path)
        except FileNotFoundError:
            pass
    return True


def stop_server(process):
    """Ends an X server so that it removes its lock and socket."""
    process.terminate()
    try:
        process.wait(10)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()


def start_webkit(profile_dir):
    from selenium import webdriver
    # A virtual display of its own, on a free display number.
    display = None
    for number in range(90, 190):
        if display_free(number):
            display = number
            break
    if display is None:
        raise RuntimeError("no free X display number between 90 and 189")
    xvfb = subprocess.Popen(["Xvfb", ":%d" % display, "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], stdout=subprocess.DEVNULL,
                            stderr=subprocess.DEVNULL)
    wait_until(lambda: os.path.exists("/tmp/.X11-unix/X%d" % display), 10)
    options = webdriver.WebKitGTKOptions()
    options.binary_location = "/usr/lib/x86_64-linux-gnu/webkit2gtk-4.1/MiniBrowser"
    options.add_argument("--automation")
    # The driver (and the browser under it) takes its display and profile
    # from the environment it starts in.
    saved = dict(os.environ)
    os.environ.update(DISPLAY=":%d" % display, XDG_DATA_HOME=profile_dir,
                      XDG_CACHE_HOME=profile_dir, XDG_CONFIG_HOME=profile_dir)
    try:
        driver = webdriver.WebKitGTK(executable_path="/usr/bin/WebKitWebDriver",
                                     options=options)
    except Exception:
        stop_server(xvfb)
        raise
    finally:
        os.environ.clear()
        os.environ.update(saved)

    return SeleniumBrowser(driver, lambda: stop_server(xvfb))


class FirefoxBidi(Browser):
    """Firefox ESR over WebDriver BiDi, without a driver program."""

    def __init__(self, profile_dir):
        import websocket
        os.makedirs(profile_dir, exist_ok=True)
        with open(os.path.join(profile_dir, "user.js"), "w") as f:
            for pref, value in [("browser.shell.checkDefaultBrowser", "false"),
                                ("app.update.disabledForTesting", "true"),
                                ("datareporting.policy.dataSubmissionEnabled", "false"),
                                ("toolkit.telemetry.reportingpolicy.firstRun", "false"),
                                ("browser.startup.homepage_override.mstone", '"ignore"'),
                                ("network.proxy.type", "0")]:
                f.write('user_pref("%s", %s);\n' % (pref, value))
        port = free_port()
        self.process = subprocess.Popen(
            ["/usr/bin/firefox-esr", "--headless", "--no-remote", "--profile", profile_dir,
             "--remote-debugging-port=%d" % port, "--remote-allow-hosts=127.0.0.1",
             "--width=1000", "--height=800"],
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.ws = None
        end = time.time() + 60
        while self.ws is None:
            try:
                self.ws = websocket.create_connection("ws://127.0.0.1:%d/session" % port,
                                                      timeout=600, suppress_origin=True)
            except OSError:
                if time.time() > end or self.process.poll() is not None:
                    self.process.kill()
                    raise RuntimeError("firefox-esr did not open its WebDriver BiDi port")
                time.sleep(0.2)
        self.next_id = 0
        self.command("session.new", {"capabilities": {}})
        tree = self.command("browsingContext.getTree", {})
        self.context = tree["contexts"][0]["context"]

    def command(self, method, params):
        self.next_id += 1
        self.ws.send(json.dumps({"id": self.next_id, "method": method, "params": params}))
        while True:
            message = json.loads(self.ws.recv())
            if message.get("id") != self.next_id:
                continue  # an event
            if message.get("type") == "error":
                raise RuntimeError("%s: %s: %s" % (method, message.get("error"),
                                                   message.get("message")))
            return message["result"]

    def _call(self, declaration, args):
        result = self.command("script.callFunction", {
            "functionDeclaration": declaration,
            "arguments": [{"type": "string", "value": json.dumps(list(args))}],
            "target": {"context": self.context}, "awaitPromise": True})
        if result.get("type") == "exception":
            raise RuntimeError("script: " + json.dumps(result["exceptionDetails"])[:2000])
        value = result["result"].get("value")
        return None if value is None else json.loads(value)

    def open(self, url):
        self.command("browsingContext.navigate",
                     {"context": self.context, "url": url, "wait": "complete"})

    def js(self, script, *args):
        return self._call("async (args) => { const result = await (function () {\n" + script +
                          "\n}).apply(null, JSON.parse(args));"
                          " return JSON.stringify(result === undefined ? null : result); }", args)

    def js_async(self, script, *args):
        return self._call("(args) => new Promise((resolve) => (function () {\n" + script +
                          "\n}).apply(null, [...JSON.parse(args), resolve]))"
                          ".then((r) => JSON.stringify(r === undefined ? null : r))", args)

    def set_files(self, element_id, paths):
        found = self.command("script.evaluate", {
            "expression": "document.getElementById(%s)" % json.dumps(element_id),
            "target": {"context": self.context}, "awaitPromise": False})
        self.command("input.setFiles", {"context": self.context,
                                        "element": {"sharedId": found["result"]["sharedId"]},
                                        "files": list(paths)})

    def keys(self, *actions):
        steps = []
        for action in actions:
            if isinstance(action, str):
                for char in action:
                    steps += [{"type": "keyDown", "value": char}, {"type": "keyUp", "value": char}]
            else:
                steps.append({"type": "keyDown" if action[0] == "down" else "keyUp",
                              "value": action[1]})
        self.command("input.performActions", {"context": self.context, "actions": [
            {"type": "key", "id": "keyboard", "actions": steps}]})
        self.command("input.releaseActions", {"context": self.context})

    def window_size(self, width, height):
        self.command("browsingContext.setViewport", {
            "context": self.context, "viewport": {"width": width, "height": height}})

    def set_viewport(self, width, height):
        self.window_size(width, height)
        return self.settled_viewport()

    def screenshot(self, path):
        shot = self.command("browsingContext.captureScreenshot", {"context": self.context})
        with open(path, "wb") as f:
            f.write(base64.b64decode(shot["data"]))

    def root_pid(self):
        return self.process.pid

    def quit(self):
        try:
            self.command("session.end", {})
        except Exception:  # the browser may be gone already
            pass
        self.process.kill()
        self.process.wait()


def start(engine, profile_dir):
    """The engine's browser, its viewport 1000 x 800 (room for the window and
    the folder buttons below it)."""
    if engine == "chromium":
        browser = start_chromium(profile_dir)
    elif engine == "firefox":
        browser = FirefoxBidi(profile_dir)
    elif engine == "webkit":
        browser = start_webkit(profile_dir)
    else:
        raise ValueError("unknown engine " + engine)
    browser.set_viewport(1000, 800)
    return browser

