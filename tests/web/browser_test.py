"""The browser page in Chromium, Firefox ESR or WebKitGTK, held against
dravelin-batch.

Opens build/web/dravelin.html from disk (file://) or over a local http server
(127.0.0.1 only), chooses a Compare and a Base folder, runs every menu command
and checks that the page shows and hands over what dravelin-batch shows and
writes for the same files in the same order: the status texts (all of them,
in order), the menu items' captions and enabled states, the pane after every
command, and every report file byte for byte (a listing command's files
arrive as one zip). Also: the pane's first hint, a reload that forgets the
folders, files dropped on the page, drops that carry no file (text, a link,
a folder's file: address) and leave the folders as they were, and the
layout at 390x844 and 800x600: nothing scaled, the pane's text at 12 pixels
(its computed size and its glyphs' height in a screenshot at 390x844) and
its rows wrapped at the columns that fit.

The pane's key script (typing, moves by word, a selection, undo, the find
bar) gives the caret offsets and selections that the window's pane gives
for the same keys (tests/gui), read through what the page tells assistive
technologies. The keyboard reaches every control in order, Tab leaves the
pane, and axe-core (--axe, its axe.min.js) with the WCAG 2.2 rules (target
size included) finds no serious or critical fault at 390x844, 800x600 and
1280x800, at the start and after a report. Text that comes without key presses (an
on-screen keyboard's text, Backspace and Enter, an input method's
composition) reaches the pane once.

Automation cannot give every engine a folder: Firefox refuses a folder for a
folder input and WebKit's driver turns it into one empty file. Those engines
are given the folder's files through the page's "or files" input instead, as
a user of a browser without a folder chooser chooses them; Chromium is given
the folder itself through the folder input. The report files the page hands
over as downloads are caught in the page (the link it clicks and the Blob
behind it) and read from there, alike in every engine. The granted-folder
cases stand in for the folder picker and run where the browser has one.

Usage: /usr/bin/python3 browser_test.py --page PAGE --batch DRAVELIN_BATCH
           --examples EXAMPLES_DIR --axe AXE_MIN_JS
           [--engine chromium|firefox|webkit] [--http] [--screenshot PNG]

The order of the bank files: the page and the batch program both read a
folder's files in name order, whatever order the browser or the file system
hands them over in. The test hands the Compare files over once more in the
reverse of that order and checks that the report still agrees.
"""

import argparse
import base64
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time
import struct
import zipfile
import zlib

import browsers
from browsers import CONTROL, END, ENTER, UP, wait_until

# More of WebDriver's key values.
SHIFT = "\ue008"
TAB = "\ue004"
ESCAPE = "\ue00c"
HOME = "\ue011"
RIGHT = "\ue014"
F2 = "\ue032"
F3 = "\ue033"
DOWN = "\ue015"

REPORT_COMMANDS = ["CreatePatchNameFiles", "CreateInsFiles", "CreatePatchCatalogue",
                   "PrintAllSimilarities", "PrintOnlyIdentities", "PrintSoundGroups",
                   "PrintBanksWorthKeeping", "PrintNearTwins", "PrintUniqueOnly",
                   "PrintIdenticalOnly", "BuildNewSoundBanks"]
HELP_COMMANDS = ["AboutDravelin", "BackgroundInfo", "ListReportInfo", "ComparisonReportInfo",
                 "InstallInfo", "ExecutionInfo", "TutorialInfo", "EditInfo", "HelpGenControl",
                 "HelpCreateLists", "HelpCompareWithin", "HelpCompareToBase", "HelpCollection",
                 "HelpSequencerFiles", "HelpNewSoundBanks", "HelpNearTwins"]
LISTING_ZIPS = {"CreatePatchNameFiles": ("patch-name-lists.zip", ".txt"),
                "CreateInsFiles": ("instrument-file-sections.zip", ".ins")}
# The command that writes into a folder beside Compare, and its archive,
# whose members keep that folder in their names.
NEW_BANKS = ("BuildNewSoundBanks", "New Banks", "new-banks.zip")
# The commands that write one file, which downloads as it stands.
SINGLE_FILES = {"PrintAllSimilarities": "compare.txt", "PrintOnlyIdentities": "identity.txt",
                "PrintUniqueOnly": "uniqC2B.txt", "PrintIdenticalOnly": "identC2B.txt",
                "CreatePatchCatalogue": "catalogue.csv", "PrintSoundGroups": "groups.txt",
                "PrintBanksWorthKeeping": "keep.txt", "PrintNearTwins": "twins.txt"}

failures = []

# The start of the notice line of a browser without a folder chooser.
NO_FOLDER_CHOOSER = "This browser cannot choose a folder"


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, file=sys.stderr)


# Catches the page's downloads: the Blob behind each object URL, and the
# name of each link the page clicks to download one.
CATCH_DOWNLOADS = """
    window.caughtDownloads = [];
    const blobs = new Map();
    const createObjectURL = URL.createObjectURL;
    URL.createObjectURL = (blob) => { const url = createObjectURL(blob); blobs.set(url, blob);
                                      return url; };
    const click = HTMLAnchorElement.prototype.click;
    HTMLAnchorElement.prototype.click = function () {
      if (!this.download || !blobs.has(this.href)) return click.call(this);
      const blob = blobs.get(this.href);
      blobs.delete(this.href);
      // Kept for the test to read, or only measured (window.keepDownloads false).
      window.caughtDownloads.push({ name: this.download, size: blob.size,
                                    blob: window.keepDownloads === false ? null : blob });
    };"""


class Page:
    def __init__(self, browser):
        self.b = browser

    def js(self, script, *args):
        return self.b.js(script, *args)

    def open(self, url):
        self.b.open(url)
        self.wait_idle()
        self.instrument()

    def reload(self):
        """Reloads the page as its user would, and waits for it."""
        self.js("window.beforeReload = true; setTimeout(() => location.reload(), 0)")

        def reloaded():
            try:
                return self.js("return !window.beforeReload && !!window.dravelin &&"
                               " !window.dravelin.busy()")
            except Exception:  # the page is being replaced
                return False
        if not wait_until(reloaded, 60):
            raise TimeoutError("the page did not reload")
        self.instrument()

    def instrument(self):
        self.js(CATCH_DOWNLOADS)
        self.js("""window.statusLog = [];
            new MutationObserver(() => window.statusLog.push(
                document.getElementById('MsgLabel').textContent))
              .observe(document.getElementById('MsgLabel'),
                       {childList: true, characterData: true, subtree: true});""")

    def wait_idle(self, timeout=60):
        if not wait_until(lambda: self.js("return !!window.dravelin && !window.dravelin.busy()"),
                          timeout):
            raise TimeoutError("the page stayed busy")

    def status(self):
        return self.js("return document.getElementById('MsgLabel').textContent")

    def statuses(self):
        return self.js("return window.statusLog.splice(0)")

    def notice(self):
        """The notice below the folder buttons, but for the line that says the
        browser has no folder chooser (which stays)."""
        text = self.js("return document.getElementById('FolderNotice').textContent")
        return "\n".join(line for line in text.split("\n")
                         if not line.startswith(NO_FOLDER_CHOOSER))

    def menu(self):
        return self.js("""return [...document.querySelectorAll('#MainMenu1 .menu button')].map(
            e => [e.id, e.textContent, !e.disabled && e.getAttribute('aria-disabled') !== 'true'])""")

    def choose_files(self, name, paths):
        """Gives the page the files `paths` as the folder `name`, in that
        order, through its file input; waits for the load."""
        self._choose(name, name + "Files", paths)

    def choose_folder(self, name, path):
        """Gives the page the folder `name` (its files where the engine takes
        no folder), waits for the load; returns the id of the input used."""
        if self.b.takes_folders:
            element = name + "Folder"
            self._choose(name, element, [path])
        else:
            element = name + "Files"
            self._choose(name, element, [os.path.join(path, f) for f in os.listdir(path)])
        return element

    def _choose(self, name, element, paths):
        # An input that holds a folder takes no other: empty it first, and
        # the label with it, which the page sets again once it has the folder.
        self.js("""for (const kind of ['Folder', 'Files'])
              document.getElementById(arguments[0] + kind).value = '';
            document.getElementById(arguments[0] + 'FolderName').textContent = 'none';""", name)
        self.b.set_files(element, paths)
        if not wait_until(lambda: self.js("return document.getElementById(arguments[0])"
                                          ".textContent", name + "FolderName") != "none", 30):
            raise TimeoutError("the page did not take the %s folder" % name)
        self.wait_idle()

    def click(self, component):
        self.js("document.getElementById(arguments[0]).click()", component)
        self.wait_idle()

    def pane(self):
        return self.js("return window.dravelin.paneText()")

    def downloads(self):
        """The names of the downloads caught so far."""
        return self.js("return window.caughtDownloads.map(d => d.name)")

    def download(self, name, timeout=30):
        """The bytes of the download `name`, taken from the caught ones (None
        when none arrives)."""
        if not wait_until(lambda: name in self.downloads(), timeout):
            return None
        data = self.b.js_async("""const done = arguments[1];
            const at = window.caughtDownloads.findIndex(d => d.name === arguments[0]);
            const blob = window.caughtDownloads.splice(at, 1)[0].blob;
            blob.arrayBuffer().then((buffer) => {
              const bytes = new Uint8Array(buffer);
              let text = '';
              for (let i = 0; i < bytes.length; i += 0x8000)
                text += String.fromCharCode.apply(null, bytes.subarray(i, i + 0x8000));
              done(btoa(text));
            });""", name)
        return base64.b64decode(data)


def batch(binary, work, *args):
    run = subprocess.run([binary, *args], cwd=work, capture_output=True, timeout=300)
    return run.stdout, run.stderr.decode("utf-8").splitlines()


def batch_menu(binary, work):
    out, _ = batch(binary, work, "--list")
    rows = [line.split("\t") for line in out.decode("utf-8").splitlines()]
    return [[r[1], r[2], r[3] == "enabled"] for r in rows]


def same_pane(pane_text, batch_out):
    """The pane's lines joined with "\n" against the batch program's pane
    lines, each ended by "\n"."""
    return (pane_text + "\n" if pane_text else "") == batch_out.decode("utf-8", "replace")


# Every control the page offers, by selector; at the sizes below each must lie
# within the viewport, and the window must stay readable.
CONTROLS = ("#MainMenu1 .menu-title, #CompareFolder, #CompareFiles, #BaseFolder, #BaseFiles, "
            "#SaveFolder")
LAYOUT = """const controls = [...document.querySelectorAll(arguments[0])];
    const form = document.getElementById('Form1');
    const outside = controls.filter((e) => { const r = e.getBoundingClientRect();
      return r.width === 0 || r.left < 0 || r.top < 0 || r.right > innerWidth + 0.5 ||
             r.bottom > innerHeight + 0.5; }).map((e) => e.id || e.textContent);
    return { outside, wide: document.documentElement.scrollWidth > innerWidth,
             scale: form.getBoundingClientRect().width / form.offsetWidth };"""

# The pane's text as it shows: its font size, whether any row reaches past
# the pane's right edge, the longest row's characters, and the first row
# with text (its box in the viewport, for the screenshot).
PANE_TEXT = """const rows = document.querySelector('#DataMemo .pane-rows');
    const pane = document.getElementById('DataMemo').getBoundingClientRect();
    const shown = [...rows.querySelectorAll('.pane-row')]
        .filter((r) => r.textContent.trim() !== '');
    const right = (r) => { const range = document.createRange();
                           range.selectNodeContents(r);
                           return range.getBoundingClientRect().right; };
    const first = shown.find((r) => /[A-Za-z]{4}/.test(r.textContent));
    const box = first ? first.getBoundingClientRect() : null;
    return { font: parseFloat(getComputedStyle(rows).fontSize),
             cut: shown.filter((r) => right(r) > pane.right + 0.5).length,
             longest: Math.max(0, ...shown.map((r) => r.textContent.length)),
             row: box && [box.left, box.top, Math.min(box.right, pane.right), box.bottom],
             ratio: devicePixelRatio };"""


def read_png(path):
    """The pixels of an 8-bit RGB or RGBA PNG: (width, height, rows of
    (r, g, b) tuples)."""
    with open(path, "rb") as f:
        data = f.read()
    at, chunks = 8, {}
    width = height = kind = 0
    idat = b""
    while at < len(data):
        length, name = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + length]
        if name == b"IHDR":
            width, height, depth, kind = struct.unpack(">IIBB", body[:10])
            assert depth == 8 and kind in (2, 6), "unexpected PNG format"
        elif name == b"IDAT":
            idat += body
        at += 12 + length
    raw = zlib.decompress(idat)
    step = 3 if kind == 2 else 4
    stride = width * step
    rows, previous = [], bytearray(stride)
    for y in range(height):
        line = raw[y * (stride + 1):(y + 1) * (stride + 1)]
        kind_of_filter, line = line[0], bytearray(line[1:])
        for x in range(stride):
            left = line[x - step] if x >= step else 0
            up = previous[x]
            corner = previous[x - step] if x >= step else 0
            if kind_of_filter == 1:
                line[x] = (line[x] + left) & 255
            elif kind_of_filter == 2:
                line[x] = (line[x] + up) & 255
            elif kind_of_filter == 3:
                line[x] = (line[x] + (left + up) // 2) & 255
            elif kind_of_filter == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                predictor = left if pa <= pb and pa <= pc else up if pb <= pc else corner
                line[x] = (line[x] + predictor) & 255
        rows.append([tuple(line[x:x + 3]) for x in range(0, stride, step)])
        previous = line
    return width, height, rows


def glyph_height(path, box, ratio):
    """The height in CSS pixels of the dark glyphs within `box` (left, top,
    right, bottom in CSS pixels) of the screenshot `path`."""
    width, height, rows = read_png(path)
    left, top, right, bottom = [int(round(v * ratio)) for v in box]
    dark = [y for y in range(max(0, top), min(height, bottom))
            if any(sum(rows[y][x]) < 300 for x in range(max(0, left), min(width, right)))]
    return (max(dark) - min(dark) + 1) / ratio if dark else 0


def check_layout(page, browser, scratch):
    """At a phone's 390x844 and at 800x600 every control is in sight, nothing
    is scaled, the pane's text keeps 12 pixels (also in a screenshot at
    390x844) and wraps at the pane's width, and no menu (Help included)
    widens the page."""
    for width, height in [(390, 844), (800, 600)]:
        reached = browser.set_viewport(width, height)
        if reached != [width, height]:
            # WebKitGTK's window has a least width of its own.
            print("%dx%d: the viewport came to %dx%d" % (width, height, *reached))
            check(reached[0] <= width + 64 and reached[1] <= height,
                  "%dx%d: the viewport came to %r" % (width, height, reached))
        # Two frames, so that the page has fitted itself to the new size.
        browser.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
        page.wait_idle()
        seen = page.js(LAYOUT, CONTROLS)
        check(seen["outside"] == [], "%dx%d: controls out of sight: %r"
              % (width, height, seen["outside"]))
        check(not seen["wide"], "%dx%d: the page is wider than the viewport" % (width, height))
        check(abs(seen["scale"] - 1) < 0.01, "%dx%d: the window scaled to %.2f"
              % (width, height, seen["scale"]))
        text = page.js(PANE_TEXT)
        check(text["font"] >= 12, "%dx%d: the pane's text is %.1f px" % (width, height,
                                                                        text["font"]))
        check(text["cut"] == 0, "%dx%d: %d rows reach past the pane" % (width, height,
                                                                        text["cut"]))
        if width < 670:
            check(0 < text["longest"] < 80, "%dx%d: rows of %d characters do not wrap at "
                  "the pane's width" % (width, height, text["longest"]))
        if (width, height) == (390, 844) and text["row"]:
            shot = os.path.join(scratch, "phone.png")
            browser.screenshot(shot)
            glyphs = glyph_height(shot, text["row"], text["ratio"])
            check(glyphs >= 8, "390x844: the pane's glyphs are %.1f px high in the "
                  "screenshot" % glyphs)
        for menu in ["Help", "General Control"]:
            page.js("""[...document.querySelectorAll('#MainMenu1 .menu-title')]
                .find((e) => e.textContent === arguments[0]).click()""", menu)
            items = page.js(LAYOUT, "#MainMenu1 .dropdown.open .menu button")
            check(items["outside"] == [] and not items["wide"],
                  "%dx%d: the %s menu reaches out of the page: %r"
                  % (width, height, menu, items["outside"]))
            page.js("document.dispatchEvent(new MouseEvent('mousedown'))")
    browser.set_viewport(1000, 800)


# The sizes at which axe-core checks the page.
AXE_SIZES = [(390, 844), (800, 600), (1280, 800)]


def check_axe(page, browser, axe_source, when):
    """Runs axe-core's WCAG 2.2 rules (A and AA, target size included) in the
    page at each of AXE_SIZES, with the find bar open once: no serious or
    critical violation."""
    if not page.js("return !!window.axe"):
        page.js("""const script = document.createElement('script');
            script.textContent = arguments[0];
            document.head.append(script);""", axe_source)
    for width, height in AXE_SIZES:
        browser.set_viewport(width, height)
        browser.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
        for bar in (False, True):
            page.js("document.getElementById('FindBar').hidden = !arguments[0]", bar)
            found = page.b.js_async("""const done = arguments[0];
                axe.run(document, {resultTypes: ['violations'], runOnly: {type: 'tag',
                    values: ['wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa']}})
                  .then((result) => done(result.violations.filter((v) =>
                      v.impact === 'serious' || v.impact === 'critical')
                    .map((v) => [v.id, v.impact, v.nodes.map((n) => n.target.join(' '))])),
                  (error) => done([['axe failed', String(error), []]]));""")
            check(found == [], "axe-core %s at %dx%d%s: %r" % (
                when, width, height, " with the find bar open" if bar else "", found))
        page.js("document.getElementById('FindBar').hidden = true")
    browser.set_viewport(1000, 800)


# A drop that carries no file: `kind` text/plain or text/uri-list data.
DROP_DATA = """const data = new DataTransfer();
    data.setData(arguments[0], arguments[1]);
    document.getElementById(arguments[2]).dispatchEvent(
      new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));"""

FOLDERS_HELD = """return ['Compare', 'Base'].map((n) =>
    document.getElementById(n + 'FolderName').textContent)"""


def check_drops_without_files(page, work):
    """Dragged text, a link, and a folder handed over only as its file:
    address: the chosen folders stay, and the notice says why."""
    held = page.js(FOLDERS_HELD)
    menu = page.menu()
    cases = [("text/plain", "some dragged text", "CompareBox", "Nothing was dropped but text"),
             ("text/uri-list", "https://example.invalid/banks/", "BaseBox",
              "Nothing was dropped but a link"),
             ("text/uri-list", "file://" + os.path.join(work, "Compare") + "/", "CompareBox",
              "only the names of what was dropped (Compare)")]
    for kind, value, target, said in cases:
        page.js(DROP_DATA, kind, value, target)
        wait_until(lambda: page.notice() != "", 5)
        page.wait_idle()
        check(said in page.notice(), "a drop of %s %r: the notice says %r"
              % (kind, value, page.notice()))
        check(page.js(FOLDERS_HELD) == held and page.menu() == menu,
              "a drop of %s %r changed the folders: %r" % (kind, value, page.js(FOLDERS_HELD)))
        page.js("""const notice = document.getElementById('FolderNotice');
            notice.textContent = notice.textContent.split('\\n')
              .filter((line) => line.startsWith(arguments[0])).join('\\n');""",
                NO_FOLDER_CHOOSER)


# The pane's state as an assistive technology reads it.
PANE_STATE = """return Promise.all([window.dravelin.paneCaret(), window.dravelin.paneSelection()])
    .then(([caret, selection]) => [caret, selection,
                                   document.getElementById('MatchCount').textContent])"""

# Whether the find bar is closed, and whether the pane has the focus.
BAR_AND_FOCUS = """return [document.getElementById('FindBar').hidden,
    document.activeElement === document.querySelector('#DataMemo [role=textbox]')]"""


def check_key_script(page, browser):
    """The window test's key script, after "Print All Similarities" on the
    example Compare folder alone: the same caret offsets and selections."""
    text = page.pane()
    check(page.js("return window.dravelin.paneCharacterCount()") == len(text) == 3314,
          "the pane's character count: %r" % len(text))
    check(page.js(PANE_STATE)[:2] == [3314, [3314, 3314]], "the caret after the report: %r"
          % page.js(PANE_STATE))
    page.js("document.querySelector('#DataMemo [role=textbox]').focus()")
    steps = [
        ("Ctrl+Home", [("down", CONTROL), HOME, ("up", CONTROL)], [0, [0, 0], ""]),
        ("type 'Hi '", ["Hi "], [3, [3, 3], ""]),
        ("Ctrl+Right", [("down", CONTROL), RIGHT, ("up", CONTROL)], [7, [7, 7], ""]),
        ("Ctrl+Shift+Right", [("down", CONTROL), ("down", SHIFT), RIGHT, ("up", SHIFT),
                              ("up", CONTROL)], [17, [7, 17], ""]),
        ("Ctrl+Z", [("down", CONTROL), "z", ("up", CONTROL)], [0, [0, 0], ""]),
        ("Ctrl+F 'warm pad'", [("down", CONTROL), "f", ("up", CONTROL), "warm pad"],
         [237, [229, 237], "1 of 4"]),
        ("Enter", [ENTER], [284, [276, 284], "2 of 4"]),
        ("Shift+Enter", [("down", SHIFT), ENTER, ("up", SHIFT)], [237, [229, 237], "1 of 4"]),
        ("F3", [F3], [284, [276, 284], "2 of 4"]),
        ("Shift+F3", [("down", SHIFT), F3, ("up", SHIFT)], [237, [229, 237], "1 of 4"]),
    ]
    for name, keys, expected in steps:
        browser.keys(*keys)
        page.wait_idle()  # the pane's model has answered the keys
        state = page.js(PANE_STATE)
        check(state == expected, "key script, %s: caret, selection and count %r, the window "
              "gives %r" % (name, state, expected))
        if name == "type 'Hi '":
            first = page.js("return window.dravelin.paneLine(0)")
            check(first.startswith("Hi The following"), "typed into line 0: %r" % first)
        if name == "Ctrl+Z":
            check(page.pane() == text, "undo gives the report back")
    selected = page.js("return window.dravelin.paneSelection()")
    check(page.pane()[selected[0]:selected[1]] == "Warm Pad", "the match selected")
    browser.keys(ESCAPE)
    closed = page.js(BAR_AND_FOCUS)
    check(closed == [True, True], "Esc closes the find bar and gives the pane the focus: %r"
          % closed)
    # With the bar closed, F3 finds the query again and leaves bar and focus
    # as they are.
    browser.keys(F3)
    page.wait_idle()
    found = page.js(PANE_STATE)[:2] + page.js(BAR_AND_FOCUS)
    check(found == [284, [276, 284], True, True], "F3 with the find bar closed: %r" % found)


def check_screen_reader_view(page, browser):
    """The pane, its first line in sight, as assistive technology finds it:
    a multi-line text box named Report whose text is the rows in sight, and
    the status line a live region. In Chromium, read from its accessibility
    tree."""
    box = page.js("""const box = document.querySelector('#DataMemo [role=textbox]');
        return [box.getAttribute('aria-label'), box.getAttribute('aria-multiline'),
                box.textContent, document.getElementById('MsgLabel').getAttribute('role')]""")
    check(box[:2] == ["Report", "true"] and box[3] == "status",
          "the pane's role and name, the status line's role: %r" % box)
    first = page.js("return window.dravelin.paneLine(0)")
    check(first in box[2], "the rows in sight as the text box's text: %r" % box[2][:100])
    said = "return document.querySelector('#DataMemo [aria-live]').textContent"
    check(wait_until(lambda: page.js(said) == first, 5),
          "the caret's line read out: %r" % page.js(said))
    if browser.__class__.__name__ != "SeleniumBrowser" or \
            not hasattr(browser.d, "execute_cdp_cmd"):
        return
    tree = browser.d.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]
    by_id = {n["nodeId"]: n for n in tree}

    def value(node, key):
        return (node.get(key) or {}).get("value")

    def text_below(node):
        parts = []
        for child in node.get("childIds", []):
            if child in by_id:
                sub = by_id[child]
                if value(sub, "role") == "StaticText":
                    parts.append(value(sub, "name") or "")
                parts.append(text_below(sub))
        return "".join(parts)

    boxes = [n for n in tree if value(n, "role") == "textbox" and value(n, "name") == "Report"]
    check(len(boxes) == 1 and first in text_below(boxes[0]),
          "Chromium's accessibility tree: the text box Report holds %r"
          % (text_below(boxes[0])[:100] if boxes else None))
    roles = {value(n, "role") for n in tree}
    check({"main", "heading", "status"} <= roles, "landmark, heading and status: %r" % roles)


def check_tab_order(page, browser):
    """From the first menu onwards Tab reaches the menus, the pane and every
    folder control in order; in the pane Tab types nothing."""
    page.js("document.querySelector('#MainMenu1 .menu-title').focus()")
    text = page.pane()
    order = []
    for _ in range(16):
        order.append(page.js("""const e = document.activeElement;
            return e.getAttribute('role') === 'textbox' ? 'pane' : e.id || e.tagName"""))
        browser.keys(TAB)
    wanted = ["GeneralControl", "pane", "CompareFolder", "CompareFiles", "BaseFolder",
              "BaseFiles"]
    # (A browser that cannot write into folders disables the button.)
    if page.js("return !document.getElementById('SaveFolder').disabled"):
        wanted.append("SaveFolder")
    positions = [order.index(w) if w in order else -1 for w in wanted]
    check(-1 not in positions and positions == sorted(positions) and "DataMemo" not in order,
          "the order Tab reaches the controls in: %r" % order)
    check(page.pane() == text, "Tab typed into the pane")
    page.js("document.querySelector('#DataMemo [role=textbox]').focus()")
    browser.keys(("down", SHIFT), TAB, ("up", SHIFT))
    left = page.js("return document.activeElement.getAttribute('role') !== 'textbox'")
    check(left and page.pane() == text, "Shift+Tab leaves the pane without typing")


# What the page's automation interface says of the pane's first lines and
# its caret, two frames on (the pane paints, and reads back, in between) and
# once the pane's model has answered.
INPUT_STATE = """const done = arguments[0];
    const settled = () => {
      if (window.dravelin.busy()) { setTimeout(settled, 5); return; }
      Promise.all([window.dravelin.paneLine(0), window.dravelin.paneLine(1),
                   window.dravelin.paneCaret()]).then(done);
    };
    setTimeout(() => requestAnimationFrame(() => requestAnimationFrame(settled)), 0);"""

# Text that no key press brings, as browsers hand it to an editable element.
# `insert` is what the browser itself inserts at its caret (an edit read back
# from the rows, or routed through "beforeinput" where the engine offers that).
INPUT_EVENTS = """const box = document.querySelector('#DataMemo [role=textbox]');
    const [kind, text] = arguments;
    const insert = () => document.execCommand('insertText', false, text);
    const before = (inputType) => box.dispatchEvent(new InputEvent('beforeinput',
        {inputType, bubbles: true, cancelable: true}));
    const compose = (event) => box.dispatchEvent(new CompositionEvent(event,
        {data: text, bubbles: true}));
    if (kind === 'insert') insert();
    else if (kind === 'before') before(text);
    else { compose('compositionstart'); if (kind === 'compose') insert(); compose('compositionend'); }"""


def check_text_input(page, browser):
    """Text typed without key presses (an on-screen keyboard, dictation, an
    input method) reaches the model once, at its caret; so do a phone
    keyboard's Backspace and Enter. In Chromium also through its input
    method interface (a real composition)."""
    page.js("document.querySelector('#DataMemo [role=textbox]').focus()")
    browser.keys(("down", CONTROL), HOME, ("up", CONTROL))
    first = page.b.js_async(INPUT_STATE)[0]
    steps = [
        ("inserted text", ("insert", "ab"), ["ab" + first, None, 2]),
        ("a phone's Backspace", ("before", "deleteContentBackward"), ["a" + first, None, 1]),
        ("a phone's Enter", ("before", "insertParagraph"), ["a", first, 2]),
        ("a composition", ("compose", "\u00fc"), ["a", "\u00fc" + first, 3]),
        ("a composition the rows do not show", ("composeOnly", "\u00df"),
         ["a", "\u00fc\u00df" + first, 4]),
    ]
    cdp = hasattr(getattr(browser, "d", None), "execute_cdp_cmd")
    if cdp:
        steps += [
            ("Chromium's text input", [("Input.insertText", {"text": "\u00e9"})],
             ["a", "\u00fc\u00df\u00e9" + first, 5]),
            ("Chromium's composition", [
                ("Input.imeSetComposition", {"text": "n", "selectionStart": 1, "selectionEnd": 1}),
                ("Input.imeSetComposition", {"text": "ni", "selectionStart": 2, "selectionEnd": 2}),
                ("Input.insertText", {"text": "\u4f60"})],
             ["a", "\u00fc\u00df\u00e9\u4f60" + first, 6]),
        ]
    for name, action, expected in steps:
        if isinstance(action, tuple):
            page.js(INPUT_EVENTS, *action)
        else:
            for command, params in action:
                browser.d.execute_cdp_cmd(command, params)
        state = page.b.js_async(INPUT_STATE)
        if expected[1] is None:
            state[1] = None
        check(state == expected, "text input, %s: lines and caret %r, wanted %r"
              % (name, state, expected))


# The copy of a selection too long to travel with the pane's views: what
# the page writes to the asynchronous clipboard (reading the clipboard back
# needs the user's leave, so the test takes the text the page hands over).
LONG_COPY = """const done = arguments[0];
    const clip = navigator.clipboard;
    if (!clip) { done('no asynchronous clipboard'); return; }
    clip.write = (items) => Promise.all(items.map((item) => item.getType('text/plain')))
        .then((blobs) => Promise.all(blobs.map((blob) => blob.text())))
        .then((texts) => done(texts.join('')));
    clip.writeText = (text) => { done(text); return Promise.resolve(); };
    document.querySelector('#DataMemo [role=textbox]').dispatchEvent(
        new ClipboardEvent('copy', {clipboardData: new DataTransfer(), bubbles: true}));"""

# The keyboard banks dialog as the page shows it: its rows, the choice of
# each list, whether it is open, the refusal and where the focus is.
BANKS_DIALOG = """const dialog = document.getElementById('KeyboardBanks');
    return { open: dialog.open,
             rows: [...dialog.querySelectorAll('#KeyboardBankRows select')].map(
               (s) => [s.labels[0].textContent, s.selectedIndex, s.options.length]),
             refusal: document.getElementById('KeyboardBanksRefusal').textContent,
             focus: document.activeElement.id };"""


def check_keyboard_banks(page, browser, args, binary, scratch, work):
    """Before a sequencer file the page asks for the keyboard banks in a
    modal dialog: the core's banks and choices, Esc runs nothing, Tab stays
    inside, a refused choice keeps it open with the core's reason, and Enter
    runs the command with the choice: the same files, pane and status texts
    as the batch program given that choice with --slot."""
    compare = os.path.join(work, "Compare")
    for leftover in os.listdir(compare):
        if not leftover.lower().endswith(".syx"):
            os.remove(os.path.join(compare, leftover))
    banks = sorted(os.listdir(compare), key=lambda n: (n.upper(), n))
    page.statuses()
    status = page.status()

    def open_dialog():
        page.js("document.getElementById('CreateMidnamFile').click()")
        if not wait_until(lambda: page.js(BANKS_DIALOG)["open"], 10):
            raise TimeoutError("no keyboard banks dialog")
        page.wait_idle()
        return page.js(BANKS_DIALOG)

    shown = open_dialog()
    check([r[0] for r in shown["rows"]] == banks, "the dialog's banks: %r" % shown["rows"])
    check([r[1] for r in shown["rows"]] == list(range(len(banks))) and
          all(r[2] == 17 for r in shown["rows"]), "the offered choices: %r" % shown["rows"])
    check(shown["focus"] == "KeyboardBank0", "the focus in the dialog: %r" % shown["focus"])
    check_axe(page, browser, args.axe_source, "with the keyboard banks dialog")
    # A phone's screen holds the whole dialog.
    reached = browser.set_viewport(390, 844)
    browser.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
    seen = page.js(LAYOUT, "#KeyboardBanks, #KeyboardBanks select, #KeyboardBanks button")
    check(seen["outside"] == [], "%r: the dialog reaches out of sight: %r"
          % (reached, seen["outside"]))
    browser.set_viewport(1000, 800)
    # Tab goes round within the dialog.
    for _ in range(len(banks) + 2):
        browser.keys(TAB)
    focus = page.js(BANKS_DIALOG)["focus"]
    check(focus == "KeyboardBank0", "Tab left the dialog for %r" % focus)
    browser.keys(ESCAPE)
    page.wait_idle()
    check(not page.js(BANKS_DIALOG)["open"], "Esc leaves the dialog open")
    time.sleep(0.5)
    check(page.downloads() == [] and page.statuses() == [] and page.status() == status,
          "Esc ran the command")

    # The first bank on the second's keyboard bank: refused, and said why.
    open_dialog()
    page.js("""const list = document.getElementById('KeyboardBank0');
        list.selectedIndex = 1; list.dispatchEvent(new Event('change', {bubbles: true}));""")
    browser.keys(ENTER)
    page.wait_idle()
    shown = page.js(BANKS_DIALOG)
    check(shown["open"] and shown["refusal"] == "'%s' and '%s' are both on Preset 1: a keyboard "
          "bank holds one Compare bank only." % (banks[0], banks[1]),
          "a refused choice: %r" % shown)
    check(page.downloads() == [], "a refused choice wrote files")

    # The second bank on User instead, then Enter: the command runs.
    page.js("""const list = document.getElementById('KeyboardBank1');
        list.focus(); list.selectedIndex = 0;
        list.dispatchEvent(new Event('change', {bubbles: true}));""")
    browser.keys(ENTER)
    page.wait_idle()
    check(not page.js(BANKS_DIALOG)["open"], "the dialog stays open after a good choice")
    out, err = batch(binary, work, "--slot", "%s=Preset 1" % banks[0], "--slot",
                     "%s=User" % banks[1], "CreateMidnamFile")
    check(same_pane(page.pane(), out), "the MIDNAM file in the pane differs from the batch run")
    check(page.statuses() == err[1:], "the MIDNAM file's status texts: %r" % err[1:])
    for name in ("QS+ Banks.midnam", "QS+ Banks.slots"):
        with open(os.path.join(compare, name), "rb") as f:
            check(page.download(name) == f.read(), "the downloaded %s differs" % name)
    for leftover in os.listdir(compare):
        if not leftover.lower().endswith(".syx"):
            os.remove(os.path.join(compare, leftover))


def details_line(page, row):
    """The text of row `row` in sight in the details pane (the rows are
    wide enough there for a line of labels), once the details' view has been
    painted: the rows stand empty until it arrives."""
    text = ("const rows = document.querySelectorAll('#DetailsMemo .pane-row');"
            "return rows.length > arguments[0] ? rows[arguments[0]].textContent : null")
    wait_until(lambda: page.js(text, row), 10)
    return page.js(text, row)


def check_patch_details(page, browser, axe_source):
    """"Show Patch Details" from the report's line at the caret: F2 opens the
    details beside the report with the focus in them, read-only and named for
    screen readers; Esc closes them and the focus is back in the report,
    which is as it was."""
    page.click("PrintNearTwins")
    page.download("twins.txt")
    report = page.pane()
    lines = report.split("\n")
    pair = next((i for i, line in enumerate(lines)
                 if line.startswith('  "') and '" / "' in line), None)
    check(pair is not None, "near twins: no pair line in %r" % lines[:40])
    if pair is None:
        return
    # The caret onto that line, from the keyboard.
    page.js("document.querySelector('#DataMemo .pane-rows').focus()")
    browser.keys(("down", CONTROL), HOME, ("up", CONTROL))
    # Down by rows until the caret is on the pair's line (a long line may
    # wrap into several rows).
    start = sum(len(line) + 1 for line in lines[:pair])
    for _ in range(3 * pair + 10):
        if page.js("return window.dravelin.paneCaret()") >= start:
            break
        browser.keys(DOWN)
        page.wait_idle()
    page.statuses()
    browser.keys(F2)
    page.wait_idle()
    wait_until(lambda: page.js("return document.getElementById('PatchDetails').open"), 10)
    state = page.js("""const d = document.getElementById('PatchDetails');
        const box = d.querySelector('.pane-rows');
        return [d.open, document.activeElement === box, box.getAttribute('aria-label'),
                box.getAttribute('aria-readonly'),
                document.getElementById('PatchDetailsTitle').textContent]""")
    check(state == [True, True, "Patch Details", "true", "Patch Details"],
          "details: open, focused, named, read-only, titled: %r" % state)
    first = details_line(page, 0)
    check(first == lines[pair].strip(), "details' first line %r, the pair's %r"
          % (first, lines[pair]))
    statuses = page.statuses()
    check(statuses[-1:] == ["Finished. %s and %s are shown side by side beside the report."
                            % tuple(lines[pair].strip().split(" / ", 1))],
          "details statuses: %r" % statuses)
    # Typing changes nothing; Tab reaches Close; Esc closes.
    browser.keys("x", ENTER)
    page.wait_idle()
    check(details_line(page, 0) == first, "the details were edited")
    # At every size the details pass axe (the pane re-wraps as the window changes).
    check_axe(page, browser, axe_source, "with the patch details")
    page.wait_idle()
    browser.keys(TAB)
    check(page.js("return document.activeElement.id") == "PatchDetailsClose",
          "Tab from the details: %r" % page.js("return document.activeElement.id"))
    browser.keys(ESCAPE)
    page.wait_idle()
    after = page.js("""return [document.getElementById('PatchDetails').open,
        document.activeElement === document.querySelector('#DataMemo .pane-rows')]""")
    check(after == [False, True], "after Esc: open, report focused: %r" % after)
    check(page.pane() == report, "the details changed the report")
    # A line without a patch: a status text, nothing opens.
    browser.keys(("down", CONTROL), HOME, ("up", CONTROL))
    page.wait_idle()
    page.statuses()
    browser.keys(F2)
    page.wait_idle()
    check(not page.js("return document.getElementById('PatchDetails').open"),
          "details opened for a line without a patch")
    check(page.status().startswith("The line at the cursor names no patch"),
          "status for a line without a patch: %r" % page.status())


def check_long_copy(page, browser, examples, scratch):
    """Ctrl+A and copy over a report of more than a million characters (64
    copies of one example bank, every patch like its copies) hands the
    whole pane to the clipboard."""
    folder = os.path.join(scratch, "long", "Compare")
    os.makedirs(folder)
    for i in range(64):
        shutil.copy(os.path.join(examples, "Compare", "Found Online.syx"),
                    os.path.join(folder, "copy%02d.syx" % i))
    page.choose_folder("Compare", folder)
    page.click("PrintAllSimilarities")
    page.download("compare.txt")
    count = page.js("return window.dravelin.paneCharacterCount()")
    page.js("document.querySelector('#DataMemo [role=textbox]').focus()")
    browser.keys(("down", CONTROL), "a", ("up", CONTROL))
    page.wait_idle()
    copied = page.b.js_async(LONG_COPY)
    check(count > 1 << 20 and copied == page.pane(),
          "a selection of %d characters copied as %r characters"
          % (count, len(copied) if isinstance(copied, str) else copied))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--batch", required=True)
    parser.add_argument("--examples", required=True)
    parser.add_argument("--engine", choices=browsers.ENGINES, default="chromium")
    parser.add_argument("--http", action="store_true",
                        help="open the page over http from 127.0.0.1, not from disk")
    parser.add_argument("--screenshot")
    parser.add_argument("--axe", required=True, help="axe-core's axe.min.js")
    args = parser.parse_args()
    with open(args.axe, encoding="utf-8") as f:
        args.axe_source = f.read()
    binary = os.path.abspath(args.batch)
    print("browser test: %s, page %s" % (args.engine, "over http" if args.http else "from disk"))

    scratch = tempfile.mkdtemp(prefix="dravelin-browser-")
    work = os.path.join(scratch, "work")
    # The batch program's folders; the page is given these very folders.
    shutil.copytree(os.path.join(args.examples, "Compare"), os.path.join(work, "Compare"))
    shutil.copytree(os.path.join(args.examples, "Base"), os.path.join(work, "Base"))
    empty = os.path.join(scratch, "empty")
    os.makedirs(empty)

    server = None
    if args.http:
        base, server = browsers.serve(os.path.dirname(os.path.abspath(args.page)))
        url = base + os.path.basename(args.page)
    else:
        url = "file://" + os.path.abspath(args.page)
    browser = browsers.start(args.engine, os.path.join(scratch, "profile"))
    try:
        page = Page(browser)
        page.open(url)
        run(page, browser, args, binary, scratch, work, empty)
    finally:
        browser.quit()
        if server:
            server.shutdown()
        shutil.rmtree(scratch, ignore_errors=True)


def run(page, browser, args, binary, scratch, work, empty):
    # The window as designed.
    caption = page.js("return document.querySelector('title').textContent")
    check(caption == "Dravelin   ---   Patch Data Reporting Tool for Alesis QuadraSynth+ "
          "Sysex Files", "document title: %r" % caption)
    check(page.js("return document.getElementById('Caption').textContent") == caption,
          "the caption bar shows the title")
    drop_downs = page.js("return [...document.querySelectorAll('#MainMenu1 .menu-title')]"
                         ".map(e => e.textContent)")
    check(drop_downs == ["General Control", "Create Name Lists",
                         "Compare Within 'Compare' Directory", "Compare To 'Base' Directory",
                         "Help"], "drop-down menus: %r" % drop_downs)
    # WebKitGTK's chooser offers no folder, and the page says so; the others
    # choose folders.
    shown = page.js("return document.getElementById('FolderNotice').textContent")
    check((NO_FOLDER_CHOOSER in shown) == (args.engine == "webkit"),
          "the notice about the folder chooser: %r" % shown)
    # The designed size where the viewport has room for it.
    browser.set_viewport(1000, 900)
    browser.js_async("requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")
    geometry = page.js("""const box = id => { const r = document.getElementById(id)
          .getBoundingClientRect(); return [r.width, r.height]; };
        return [box('DataMemo'), box('MsgLabel'), getComputedStyle(
          document.getElementById('DataMemo')).overflowY]""")
    check(geometry == [[654, 459], [653, 17], "scroll"], "pane and label: %r" % geometry)
    privacy = " ".join(page.js("return document.getElementById('Privacy').textContent").split())
    check("sends nothing anywhere" in privacy, "the line beside the folder buttons: %r" % privacy)

    # No folder chosen: as the desktop program without a Compare folder, and
    # the pane says what to do.
    _, err = batch(binary, empty)
    check(page.status() == err[-1], "start status %r, batch %r" % (page.status(), err[-1]))
    check(page.menu() == batch_menu(binary, empty), "menu states without folders")
    check(page.pane().startswith("Choose your Compare folder"), "the first pane: %r"
          % page.pane()[:80])
    check_axe(page, browser, args.axe_source, "at the start")
    check_layout(page, browser, scratch)

    check_long_copy(page, browser, args.examples, scratch)

    # A reload forgets the folder, and so do the folder inputs.
    page.choose_folder("Compare", os.path.join(work, "Compare"))
    page.reload()
    held = page.js("""return ['Folder', 'Files'].map((k) =>
        document.getElementById('Compare' + k).files.length).concat(
        document.getElementById('CompareFolderName').textContent)""")
    check(held == [0, 0, "none"], "after a reload the inputs hold %r" % held)

    # The Compare folder alone, then the Base folder too.
    inputs = {"Compare": page.choose_folder("Compare", os.path.join(work, "Compare"))}
    compare_only = os.path.join(scratch, "compare-only")
    shutil.copytree(os.path.join(work, "Compare"), os.path.join(compare_only, "Compare"))
    check(page.menu() == batch_menu(binary, compare_only), "menu states, Compare only")
    check(page.status() == 'Finished reading in all the sysex files in the "Compare" '
          'directory.', "Compare-only status: %r" % page.status())
    page.click("PrintAllSimilarities")
    page.download("compare.txt")
    check_axe(page, browser, args.axe_source, "after a report")
    check_layout(page, browser, scratch)
    check_drops_without_files(page, work)
    check_key_script(page, browser)
    browser.keys(("down", CONTROL), HOME, ("up", CONTROL))
    check_screen_reader_view(page, browser)
    check_tab_order(page, browser)
    check_text_input(page, browser)
    # One file chosen: its label counts it as one.
    one = sorted(os.listdir(os.path.join(work, "Base")))[0]
    page.choose_files("Base", [os.path.join(work, "Base", one)])
    label = page.js("return document.getElementById('BaseFolderName').textContent")
    check(label == one + " (1 file)", "one file chosen: the label says %r" % label)
    inputs["Base"] = page.choose_folder("Base", os.path.join(work, "Base"))
    check(page.menu() == batch_menu(binary, work), "menu states, both folders")
    check(page.notice() == "", "a notice after reading: %r" % page.notice())
    page.statuses()

    # Every command on its own, each against a batch run of that command.
    commands = REPORT_COMMANDS + HELP_COMMANDS
    expected_statuses = []
    for command in commands:
        for leftover in os.listdir(os.path.join(work, "Compare")):
            if not leftover.lower().endswith(".syx"):
                os.remove(os.path.join(work, "Compare", leftover))
        shutil.rmtree(os.path.join(work, NEW_BANKS[1]), ignore_errors=True)
        out, err = batch(binary, work, command)
        expected_statuses += err[1:]  # err[0] is the batch program's start-up load
        page.click(command)
        check(same_pane(page.pane(), out),
              "%s: the pane differs from the batch program's output" % command)
        written = sorted(f for f in os.listdir(os.path.join(work, "Compare"))
                         if not f.lower().endswith(".syx"))
        if command == NEW_BANKS[0]:
            check(written == [], "%s: batch wrote %r into Compare" % (command, written))
            folder = os.path.join(work, NEW_BANKS[1])
            banks = sorted(NEW_BANKS[1] + "/" + f for f in os.listdir(folder))
            check(len(banks) >= 2, "%s: batch wrote %r" % (command, banks))
            data = page.download(NEW_BANKS[2])
            check(data is not None, "%s: no %s download" % (command, NEW_BANKS[2]))
            if data is not None:
                path = os.path.join(scratch, NEW_BANKS[2])
                with open(path, "wb") as f:
                    f.write(data)
                with zipfile.ZipFile(path) as archive:
                    check(archive.testzip() is None, "%s: bad CRC in the zip" % command)
                    check(sorted(archive.namelist()) == banks,
                          "%s: zip holds %r, batch wrote %r" % (command, archive.namelist(), banks))
                    for member in archive.namelist():
                        with open(os.path.join(work, member), "rb") as f:
                            check(archive.read(member) == f.read(),
                                  "%s: %s differs" % (command, member))
        elif command in LISTING_ZIPS:
            zip_name, extension = LISTING_ZIPS[command]
            data = page.download(zip_name)
            check(data is not None, "%s: no %s download" % (command, zip_name))
            if data is not None:
                path = os.path.join(scratch, zip_name)
                with open(path, "wb") as f:
                    f.write(data)
                with zipfile.ZipFile(path) as archive:
                    check(archive.testzip() is None, "%s: bad CRC in the zip" % command)
                    check(sorted(archive.namelist()) == written,
                          "%s: zip holds %r, batch wrote %r"
                          % (command, archive.namelist(), written))
                    for member in archive.namelist():
                        with open(os.path.join(work, "Compare", member), "rb") as f:
                            check(archive.read(member) == f.read(),
                                  "%s: %s differs" % (command, member))
                check(all(f.endswith(extension) for f in written), "%s: files" % command)
        elif command in SINGLE_FILES:
            name = SINGLE_FILES[command]
            check(written == [name], "%s: batch wrote %r" % (command, written))
            data = page.download(name)
            with open(os.path.join(work, "Compare", name), "rb") as f:
                check(data == f.read(), "%s: the downloaded %s differs" % (command, name))
        if command == "PrintAllSimilarities" and args.screenshot:
            browser.screenshot(args.screenshot)
    shown = page.statuses()
    check(shown == expected_statuses,
          "status texts:\n page  %r\n batch %r" % (shown, expected_statuses))
    check_keyboard_banks(page, browser, args, binary, scratch, work)
    check_patch_details(page, browser, args.axe_source)

    # The order in which the browser hands the files over never shows: the
    # Compare files handed over in reverse name order give the report the
    # batch program writes.
    compare_dir = os.path.join(work, "Compare")
    for leftover in os.listdir(compare_dir):
        if not leftover.lower().endswith(".syx"):
            os.remove(os.path.join(compare_dir, leftover))
    backwards = sorted(os.listdir(compare_dir), key=lambda n: n.upper(), reverse=True)
    page.choose_files("Compare", [os.path.join(compare_dir, f) for f in backwards])
    handed = page.js("return [...document.getElementById('CompareFiles').files]"
                     ".map(f => f.name)")
    check(handed == backwards, "the files were handed over as %r, not %r" % (handed, backwards))
    out, _ = batch(binary, work, "PrintAllSimilarities")
    page.click("PrintAllSimilarities")
    check(same_pane(page.pane(), out), "files handed over backwards: the pane differs")
    with open(os.path.join(compare_dir, "compare.txt"), "rb") as f:
        check(page.download("compare.txt") == f.read(),
              "files handed over backwards: compare.txt differs")
    inputs["Compare"] = page.choose_folder("Compare", compare_dir)
    page.statuses()

    # The pane takes the keyboard: select all and copy, then type.
    page.js("document.querySelector('#DataMemo [role=textbox]').focus()")
    browser.keys(("down", CONTROL), "a", ("up", CONTROL))
    page.wait_idle()  # the selection's text has come with the pane's view
    # (Firefox gives the event a copy of the DataTransfer: read the event's.)
    copied = page.js("""const copy = new ClipboardEvent('copy',
          {clipboardData: new DataTransfer(), bubbles: true});
        document.querySelector('#DataMemo [role=textbox]').dispatchEvent(copy);
        return copy.clipboardData.getData('text/plain');""")
    check(copied == page.pane() and copied != "", "Ctrl+A then copy gives the whole pane")
    browser.keys(("down", CONTROL), END, ("up", CONTROL), ENTER, "typed")
    check(page.pane().endswith("\ntyped"), "typing into the pane")
    # Up moves by the rows a long line wraps into, not by whole lines.
    browser.keys(ENTER, "word " * 40, UP, "X")
    last = page.pane().split("\n")[-1]
    check("X" in last and not last.endswith("X"), "Up within a wrapped line: %r" % last)
    # Up keeps its column while it passes a shorter line.
    browser.keys(("down", CONTROL), END, ("up", CONTROL), ENTER, "abcdefghij", ENTER, "ab",
                 ENTER, "abcdefghij", UP, UP, "Y")
    check(page.pane().split("\n")[-3:] == ["abcdefghijY", "ab", "abcdefghij"],
          "Up keeps the column: %r" % page.pane().split("\n")[-3:])

    # The switches: captions change, a report without screen display
    # leaves the pane empty, and without file output nothing arrives.
    page.click("ControlScreenDisplay")
    check(page.status() == "Screen display is now turned OFF.", "screen display off")
    check(["ControlScreenDisplay", "Turn On Screen Display", True] in page.menu(),
          "caption after screen display off")
    page.click("PrintOnlyIdentities")
    check(page.pane() == "", "a report without screen display leaves the pane empty")
    page.download("identity.txt")
    page.click("ControlFileOutput")
    check(["ControlFileOutput", "Turn On File Output", True] in page.menu(),
          "caption after file output off")
    page.click("PrintUniqueOnly")
    time.sleep(1)
    check(page.downloads() == [], "a report without file output downloaded")
    page.click("ControlScreenDisplay")
    page.click("ControlFileOutput")
    page.click("ReadInputFilesAgain")
    shown = page.statuses()
    out, err = batch(binary, work, "ControlScreenDisplay", "PrintOnlyIdentities",
                     "ControlFileOutput", "PrintUniqueOnly", "ControlScreenDisplay",
                     "ControlFileOutput", "ReadInputFilesAgain")
    check(shown == err[1:], "status texts of the switches and the reload:\n page  %r\n"
          " batch %r" % (shown, err[1:]))
    check(page.menu() == batch_menu(binary, work), "menu states after the reload")
    check(same_pane(page.pane(), out), "the pane after the switches and the reload")

    # A folder dropped on the window becomes the Compare folder, and reading
    # the files again lists it again (where automation can drop a folder).
    if browser.drops_paths:
        dropped = os.path.join(scratch, "dropped")
        shutil.copytree(os.path.join(work, "Compare"), os.path.join(dropped, "Compare"))
        browser.drop_path(os.path.join(dropped, "Compare"), 300, 300)
        held = "Compare (%d files)" % len(os.listdir(os.path.join(dropped, "Compare")))
        check(wait_until(lambda: page.js("return document.getElementById('CompareFolderName')"
                                         ".textContent") == held, 10),
              "a dropped folder: the label says %r, not %r" % (page.js(
                  "return document.getElementById('CompareFolderName').textContent"), held))
        page.wait_idle()
        check(page.notice() == "", "a dropped folder: %r" % page.notice())
        os.remove(os.path.join(dropped, "Compare", sorted(os.listdir(
            os.path.join(dropped, "Compare")))[0]))
        page.click("ReadInputFilesAgain")
        label = page.js("return document.getElementById('CompareFolderName').textContent")
        held = len(os.listdir(os.path.join(dropped, "Compare")))
        check(label == "Compare (%d files)" % held,
              "a folder of %d files listed again: the label says %r" % (held, label))
        page.click("PrintOnlyIdentities")
        page.download("identity.txt")
        shutil.copytree(os.path.join(work, "Base"), os.path.join(dropped, "Base"))
        out, _ = batch(binary, dropped, "PrintOnlyIdentities")
        check(same_pane(page.pane(), out), "a dropped folder listed again: the pane differs")
        page.choose_folder("Compare", os.path.join(work, "Compare"))

    # Files dropped on the Base box become the Base folder.
    page.js("""const data = new DataTransfer();
        for (const f of document.getElementById(arguments[0]).files) data.items.add(f);
        document.getElementById('BaseBox').dispatchEvent(
          new DragEvent('drop', {dataTransfer: data, bubbles: true, cancelable: true}));""",
            inputs["Compare"])
    page.wait_idle()
    same = os.path.join(scratch, "same")
    shutil.copytree(os.path.join(work, "Compare"), os.path.join(same, "Compare"))
    shutil.copytree(os.path.join(work, "Compare"), os.path.join(same, "Base"))
    page.click("PrintIdenticalOnly")
    page.download("identC2B.txt")
    out, _ = batch(binary, same, "PrintIdenticalOnly")
    check(same_pane(page.pane(), out), "files dropped on the Base box: the pane differs")
    page.choose_folder("Base", os.path.join(work, "Base"))

    # A chosen file changed since it was chosen: where the browser can no
    # longer read it (Chromium), the page names it below the buttons and the
    # core finds it unreadable, here as the empty file it became; elsewhere
    # it reads as it is now. Either way the program carries on.
    changing = os.path.join(scratch, "changing")
    shutil.copytree(os.path.join(args.examples, "Compare"), os.path.join(changing, "Compare"))
    shutil.copytree(os.path.join(args.examples, "Base"), os.path.join(changing, "Base"))
    names = [n for n in os.listdir(os.path.join(changing, "Compare"))
             if n.lower().endswith(".syx")]
    shutil.copy(os.path.join(changing, "Compare", names[0]),
                os.path.join(changing, "Compare", "changed.syx"))
    page.choose_folder("Compare", os.path.join(changing, "Compare"))
    page.choose_folder("Base", os.path.join(changing, "Base"))
    with open(os.path.join(changing, "Compare", "changed.syx"), "wb"):
        pass
    page.statuses()
    page.click("ReadInputFilesAgain")
    if args.engine == "chromium":
        check("changed.syx" in page.notice(), "an unreadable file goes unnamed: %r"
              % page.notice())
    page.click("PrintOnlyIdentities")
    page.download("identity.txt")
    out, err = batch(binary, changing, "ReadInputFilesAgain", "PrintOnlyIdentities")
    check(page.statuses() == err[1:], "a changed file: the status texts differ")
    check(same_pane(page.pane(), out), "a changed file: the pane differs")
    page.choose_folder("Compare", os.path.join(work, "Compare"))
    check(page.notice() == "", "the notice stays after a new choice: %r" % page.notice())

    if not page.js("return 'showDirectoryPicker' in window"):
        return
    # A folder chosen where the browser grants folders (the picker stood
    # in for by a folder that lists the Compare files it is told to):
    # reading the files again lists it again and sees a file added since.
    names = [n for n in os.listdir(os.path.join(work, "Compare"))
             if n.lower().endswith(".syx")]
    fewer = os.path.join(scratch, "fewer")
    os.makedirs(os.path.join(fewer, "Compare"))
    for name in names[:-1]:
        shutil.copy(os.path.join(work, "Compare", name), os.path.join(fewer, "Compare"))
    listings = [os.listdir(os.path.join(fewer, "Compare")), names]
    page.js("""const listings = arguments[0];
        const byName = {};
        for (const f of document.getElementById(arguments[1]).files) byName[f.name] = f;
        const folder = { name: 'granted', values: async function* () {
          for (const n of listings.shift()) yield { kind: 'file', name: n, getFile: async () => byName[n] };
          yield { kind: 'directory', name: 'sub' }; } };
        window.showDirectoryPicker = async () => folder;
        document.getElementById('CompareFolder').click();""", listings, inputs["Compare"])
    wait_until(lambda: page.js("return document.getElementById('CompareFolderName')"
                               ".textContent") == "granted (%d files)" % (len(names) - 1), 10)
    page.wait_idle()
    for folder in (fewer, work):
        if folder == work:
            page.click("ReadInputFilesAgain")
        out, _ = batch(binary, folder, "PrintOnlyIdentities")
        page.click("PrintOnlyIdentities")
        page.download("identity.txt")
        check(same_pane(page.pane(), out), "a granted folder listed %s"
              % ("again" if folder == work else "first"))

    # A granted folder, stood in for by what the folder picker would
    # answer: the report lands in it instead of arriving as a download,
    # and a failed write ends the command with code 16, as on the desktop
    # (after the report's own status texts: the page writes the files once
    # the command has ended).
    _, err = batch(binary, work, "PrintUniqueOnly")
    with open(os.path.join(work, "Compare", "uniqC2B.txt"), "rb") as f:
        report = f.read()
    for failing in (False, True):
        page.js("""const failing = arguments[0];
            window.savedFiles = {};
            window.showDirectoryPicker = async () => ({
              name: failing ? 'failing' : 'granted',
              getFileHandle: async (name) => ({ createWritable: async () => ({
                write: async (blob) => {
                  if (failing) throw new Error('the disk is full');
                  window.savedFiles[name] = [...new Uint8Array(await blob.arrayBuffer())];
                },
                close: async () => {} }) }) });
            document.getElementById('SaveFolder').click();""", failing)
        granted = "failing" if failing else "granted"
        wait_until(lambda: page.js("return document.getElementById('SaveFolderName')"
                                   ".textContent") == granted, 10)
        page.statuses()
        page.click("PrintUniqueOnly")
        shown = page.statuses()
        if failing:
            check(shown == err[1:] + ["Message: ' *.txt File Write Error!'"],
                  "a failed write into the folder: %r" % shown)
        else:
            check(shown == err[1:], "saving into the folder: %r, batch %r" % (shown, err[1:]))
            saved = page.js("return window.savedFiles")
            check(list(saved) == ["uniqC2B.txt"] and bytes(saved["uniqC2B.txt"]) == report,
                  "the report saved into the folder differs")
        time.sleep(0.5)
        check(page.downloads() == [], "a download despite the granted folder")


if __name__ == "__main__":
    try:
        main()
    except Exception as error:  # a browser or page failure is a test failure
        failures.append(repr(error))
        print("FAIL: %r" % (error,), file=sys.stderr)
    if failures:
        print("browser test: %d failure(s)" % len(failures), file=sys.stderr)
        sys.exit(1)
    print("browser test: passed")
