"""Drives the game's web page in a real browser: headless Chromium under Selenium (Debian's
python3-selenium and chromium-driver), the page served on 127.0.0.1 from a scratch folder that
links the web build's files. A WebSession owns the server, the browser and a downloads folder;
leaving its `with` block stops them. A failed session keeps its folder (screenshots, downloads).
Waits poll the page's state (its cycle count, its log, what it printed)."""

import functools
import http.server
import os
import tempfile
import threading

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

from harness import Scratch, Screen, poll

WAIT = 60.0  # a busy machine with two cores: generous waits, short polls
PAGE_FILES = ("index.html", "page.js", "murkvault.js", "murkvault.wasm", "murkvault.data",
              "murkvault-data.js")
CHROMIUM_FLAGS = ("--headless", "--no-sandbox", "--disable-gpu", "--disable-quic",
                  "--no-first-run", "--disable-background-networking",
                  "--disable-component-update", "--disable-sync", "--window-size=1100,1400",
                  "--autoplay-policy=document-user-activation-required")
KEYS = {"shift": Keys.SHIFT, "alt": Keys.ALT, "left": Keys.ARROW_LEFT, "right": Keys.ARROW_RIGHT,
        "up": Keys.ARROW_UP, "down": Keys.ARROW_DOWN, "escape": Keys.ESCAPE}


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".js": "text/javascript"}

    def log_message(self, *args):
        pass


class WebSession(Scratch):
    """`with WebSession(name, web_build) as web:` serves the page (without the files named in
    leave_out) and opens a browser on it."""

    def __init__(self, name, web_build, leave_out=()):
        super().__init__("murkvault-web-%s-" % name)
        self.root = os.path.join(self.scratch, "site")
        self.downloads = os.path.join(self.scratch, "downloads")
        os.makedirs(self.root)
        os.makedirs(self.downloads)
        for file in PAGE_FILES:
            path = os.path.join(os.path.abspath(web_build), file)
            assert os.path.isfile(path), "no %s: build the page first (tools/build-web.sh)" % path
            if file not in leave_out:
                os.symlink(path, os.path.join(self.root, file))
        self.server = None
        self.driver = None

    def __enter__(self):
        handler = functools.partial(QuietHandler, directory=self.root)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for flag in CHROMIUM_FLAGS + ("--user-data-dir=" + os.path.join(self.scratch, "profile"),):
            options.add_argument(flag)
        options.add_experimental_option("prefs", {"download.default_directory": self.downloads,
                                                  "download.prompt_for_download": False})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        self.driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        self.driver.set_script_timeout(WAIT)
        return self

    def __exit__(self, kind, value, trace):
        if self.driver:
            if kind:
                print("the page said: %r" % self.printed())
                for entry in self.driver.get_log("browser"):
                    print("browser: %s" % entry.get("message"))
                self.driver.save_screenshot(os.path.join(self.scratch, "failure.png"))
            self.driver.quit()
        if self.server:
            self.server.shutdown()
            self.server.server_close()
        self.keep_if(kind)

    def add_file(self, name, data):
        """Serves data (text or bytes) as name, next to the page; returns its path."""
        path = os.path.join(self.root, name)
        with open(path, "wb") as file:
            file.write(data.encode() if isinstance(data, str) else data)
        return path

    def url(self, query=""):
        return "http://127.0.0.1:%d/index.html%s" % (self.server.server_address[1], query)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def wait(self, what, probe, timeout=WAIT, pause=0.05):
        return poll(what, probe, timeout, pause)

    def open(self, query=""):
        """Loads the page and waits until main() has returned: the game is running, or it said
        why it is not."""
        self.driver.get(self.url(query))
        self.wait("the game started", lambda: self.js(
            "var overlay = document.getElementById('overlay');"
            "return !!(window.Module && Module.calledRun) || !!overlay && "
            "overlay.classList.contains('shown')"))

    def started(self):
        return self.js("return Module.calledRun && Module.ccall('ks_web_loop_started', 'number')"
                       " === 1")

    def printed(self):
        """Every line the game printed on the page (stdout and stderr)."""
        return self.js("return window.murkvaultOutput || []")

    def message(self):
        return self.driver.find_element(By.ID, "message").text

    def wait_end(self, timeout=WAIT):
        """Waits for the game to end; its summary line."""
        self.wait("the end of the game", lambda: self.js("return !!Module.ksEnded"), timeout, 0.2)
        return self.message()

    def step(self):
        return self.js("return Module.ccall('ks_web_step_count', 'number')")

    def wait_cycles(self, count):
        """Waits until count more cycles have been played."""
        target = self.step() + count
        self.wait("cycle %d" % target, lambda: self.step() >= target)

    def log(self):
        """The lines of the game's kestrel.log so far."""
        return self.js("return Module.FS.readFile('kestrel.log', {encoding: 'utf8'})").split("\n")

    def count(self, line):
        return self.log().count(line)

    def cells(self):
        """The last frame shown, as ks::CellGrid::toText gives it."""
        return self.js("return Module.ccall('ks_web_shown_cells', 'string')")

    def rows(self):
        return self.cells().split("\n")[:24]

    # Real key events, the canvas having the focus.
    def focus(self):
        self.js("document.getElementById('canvas').focus()")

    def key_down(self, key):
        self.focus()
        ActionChains(self.driver).key_down(KEYS.get(key, key)).perform()

    def key_up(self, key):
        ActionChains(self.driver).key_up(KEYS.get(key, key)).perform()

    def tap(self, key):
        self.focus()
        ActionChains(self.driver).send_keys(KEYS.get(key, key)).perform()

    def canvas_screenshot(self, label):
        """The canvas as it is shown, as a Screen; also kept in the scratch folder."""
        path = os.path.join(self.scratch, "%s.png" % label)
        self.driver.find_element(By.ID, "canvas").screenshot(path)
        return Screen(path, 0, 0, 921, 691)

    def download(self):
        """Clicks the download link; the path of the file saved, once it is whole."""
        folder = tempfile.mkdtemp(dir=self.downloads)
        self.driver.execute_cdp_cmd("Browser.setDownloadBehavior",
                                    {"behavior": "allow", "downloadPath": folder})
        self.driver.find_element(By.ID, "download").click()

        def saved():
            names = [n for n in os.listdir(folder) if not n.endswith(".crdownload")]
            return names and os.path.join(folder, names[0])
        return self.wait("the downloaded recording", saved)
