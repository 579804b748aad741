"""The browser page in headless Chromium, held against dravelin-batch.

Opens build/web/dravelin.html from disk, chooses a Compare and a Base folder
through the page's folder inputs, runs every menu command and checks that the
page shows and hands over what dravelin-batch shows and writes for the same
files in the same order: the status texts (all of them, in order), the menu
items' captions and enabled states, the pane after every command, and every
report file byte for byte (a listing command's files arrive as one zip).

Usage: /usr/bin/python3 browser_test.py --page PAGE --batch DRAVELIN_BATCH
           --examples EXAMPLES_DIR [--screenshot PNG]

The order of the bank files: the page reads them in the order in which the
browser hands them over, the batch program in the order in which the
directory lists them. Both are given the very same directory, and the test
first checks that Chromium handed the files over in the order in which
os.listdir (the same readdir order that the batch program sees) lists them;
only then do the reports have to agree. A browser that sorted the files
would fail that check loudly instead of passing by luck.
"""

import argparse
import os
import shutil
import subprocess
import sys
import tempfile
import time
import zipfile

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.common.action_chains import ActionChains

REPORT_COMMANDS = ["CreatePatchNameFiles", "CreateInsFiles", "PrintAllSimilarities",
                   "PrintOnlyIdentities", "PrintUniqueOnly", "PrintIdenticalOnly"]
HELP_COMMANDS = ["AboutDravelin", "BackgroundInfo", "ListReportInfo", "ComparisonReportInfo",
                 "InstallInfo", "ExecutionInfo", "TutorialInfo", "EditInfo", "HelpGenControl",
                 "HelpCreateLists", "HelpCompareWithin", "HelpCompareToBase"]
LISTING_ZIPS = {"CreatePatchNameFiles": ("patch-name-lists.zip", ".txt"),
                "CreateInsFiles": ("instrument-file-sections.zip", ".ins")}
COMPARISON_FILES = {"PrintAllSimilarities": "compare.txt", "PrintOnlyIdentities": "identity.txt",
                    "PrintUniqueOnly": "uniqC2B.txt", "PrintIdenticalOnly": "identC2B.txt"}

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
        print("FAIL: " + message, file=sys.stderr)


def wait_until(condition, timeout):
    """Polls `condition` until it holds (True) or `timeout` seconds pass (False)."""
    end = time.time() + timeout
    while not condition():
        if time.time() > end:
            return False
        time.sleep(0.02)
    return True


def start_browser(download_dir, profile_dir):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    for flag in ["--headless", "--disable-gpu", "--disable-quic", "--no-first-run",
                 "--disable-background-networking", "--disable-component-update",
                 "--disable-sync", "--no-sandbox", "--window-size=1000,800",
                 "--user-data-dir=" + profile_dir]:
        options.add_argument(flag)
    options.add_experimental_option("prefs", {
        "download.default_directory": download_dir,
        "download.prompt_for_download": False,
        "profile.default_content_setting_values.automatic_downloads": 1,
    })
    driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
    driver.execute_cdp_cmd("Page.setDownloadBehavior",
                           {"behavior": "allow", "downloadPath": download_dir})
    return driver


class Page:
    def __init__(self, driver):
        self.d = driver

    def js(self, script, *args):
        return self.d.execute_script(script, *args)

    def wait_idle(self, timeout=60):
        if not wait_until(lambda: self.js("return !!window.dravelin && !window.dravelin.busy()"),
                          timeout):
            raise TimeoutError("the page stayed busy")

    def status(self):
        return self.js("return document.getElementById('MsgLabel').textContent")

    def statuses(self):
        return self.js("return window.statusLog.splice(0)")

    def menu(self):
        return self.js("""return [...document.querySelectorAll('#MainMenu1 .menu button')].map(
            e => [e.id, e.textContent, !e.disabled && e.getAttribute('aria-disabled') !== 'true'])""")

    def choose_folder(self, name, path):
        """Gives the folder input `name` a folder, waits for the load."""
        # An input that holds a folder takes no other: empty it first, and
        # the label with it, which the page sets again once it has the folder.
        self.js("""document.getElementById(arguments[0] + 'Folder').value = '';
            document.getElementById(arguments[0] + 'FolderName').textContent = 'none';""", name)
        self.d.find_element(By.ID, name + "Folder").send_keys(path)
        if not wait_until(lambda: self.js("return document.getElementById(arguments[0])"
                                          ".textContent", name + "FolderName") != "none", 30):
            raise TimeoutError("the page did not take the %s folder" % name)
        self.wait_idle()

    def click(self, component):
        self.js("document.getElementById(arguments[0]).click()", component)
        self.wait_idle()

    def pane(self):
        return self.js("return window.dravelin.paneText()")


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


def wait_for_download(download_dir, name, timeout=30):
    path = os.path.join(download_dir, name)
    if not wait_until(lambda: os.path.exists(path) and not os.path.exists(path + ".crdownload"),
                      timeout):
        return None
    time.sleep(0.1)  # let the browser finish renaming and closing it
    with open(path, "rb") as f:
        return f.read()


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--page", required=True)
    parser.add_argument("--batch", required=True)
    parser.add_argument("--examples", required=True)
    parser.add_argument("--screenshot")
    args = parser.parse_args()
    binary = os.path.abspath(args.batch)

    scratch = tempfile.mkdtemp(prefix="dravelin-browser-")
    work = os.path.join(scratch, "work")
    downloads = os.path.join(scratch, "downloads")
    os.makedirs(downloads)
    # The batch program's folders; the page is given these very folders.
    shutil.copytree(os.path.join(args.examples, "Compare"), os.path.join(work, "Compare"))
    shutil.copytree(os.path.join(args.examples, "Base"), os.path.join(work, "Base"))
    empty = os.path.join(scratch, "empty")
    os.makedirs(empty)

    driver = start_browser(downloads, os.path.join(scratch, "profile"))
    try:
        driver.get("file://" + os.path.abspath(args.page))
        page = Page(driver)
        page.wait_idle()
        page.js("""window.statusLog = [];
            new MutationObserver(() => window.statusLog.push(
                document.getElementById('MsgLabel').textContent))
              .observe(document.getElementById('MsgLabel'),
                       {childList: true, characterData: true, subtree: true});""")

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
        geometry = page.js("""const box = id => { const r = document.getElementById(id)
              .getBoundingClientRect(); return [r.width, r.height]; };
            return [box('DataMemo'), box('MsgLabel'), getComputedStyle(
              document.getElementById('DataMemo')).overflowY]""")
        check(geometry == [[654, 459], [653, 17], "scroll"], "pane and label: %r" % geometry)

        # No folder chosen: as the desktop program without a Compare folder.
        _, err = batch(binary, empty)
        check(page.status() == err[-1], "start status %r, batch %r" % (page.status(), err[-1]))
        check(page.menu() == batch_menu(binary, empty), "menu states without folders")

        # The Compare folder alone, then the Base folder too.
        page.choose_folder("Compare", os.path.join(work, "Compare"))
        # The idle preparation after start-up and after a load comes to an end.
        check(wait_until(lambda: page.js("return window.dravelin.prepared()"), 60),
              "the page never finished preparing")
        compare_only = os.path.join(scratch, "compare-only")
        shutil.copytree(os.path.join(work, "Compare"), os.path.join(compare_only, "Compare"))
        check(page.menu() == batch_menu(binary, compare_only), "menu states, Compare only")
        check(page.status() == 'Finished reading in all the sysex files in the "Compare" '
              'directory.', "Compare-only status: %r" % page.status())
        page.choose_folder("Base", os.path.join(work, "Base"))
        check(page.menu() == batch_menu(binary, work), "menu states, both folders")
        page.statuses()

        for name in ["Compare", "Base"]:
            handed = page.js("return [...document.getElementById(arguments[0]).files]"
                             ".map(f => f.name)", name + "Folder")
            listed = os.listdir(os.path.join(work, name))
            check(handed == listed, "%s: Chromium's order %r differs from the directory "
                  "order %r; the reports cannot be compared" % (name, handed, listed))
        if failures:
            return

        # Every command on its own, each against a batch run of that command.
        commands = REPORT_COMMANDS + HELP_COMMANDS
        expected_statuses = []
        for command in commands:
            for leftover in os.listdir(os.path.join(work, "Compare")):
                if not leftover.lower().endswith(".syx"):
                    os.remove(os.path.join(work, "Compare", leftover))
            out, err = batch(binary, work, command)
            expected_statuses += err[1:]  # err[0] is the batch program's start-up load
            page.click(command)
            check(same_pane(page.pane(), out),
                  "%s: the pane differs from the batch program's output" % command)
            written = sorted(f for f in os.listdir(os.path.join(work, "Compare"))
                             if not f.lower().endswith(".syx"))
            if command in LISTING_ZIPS:
                zip_name, extension = LISTING_ZIPS[command]
                data = wait_for_download(downloads, zip_name)
                check(data is not None, "%s: no %s download" % (command, zip_name))
                if data is not None:
                    path = os.path.join(downloads, zip_name)
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
            elif command in COMPARISON_FILES:
                name = COMPARISON_FILES[command]
                check(written == [name], "%s: batch wrote %r" % (command, written))
                data = wait_for_download(downloads, name)
                with open(os.path.join(work, "Compare", name), "rb") as f:
                    check(data == f.read(), "%s: the downloaded %s differs" % (command, name))
            if command == "PrintAllSimilarities" and args.screenshot:
                driver.save_screenshot(args.screenshot)
        shown = page.statuses()
        check(shown == expected_statuses,
              "status texts:\n page  %r\n batch %r" % (shown, expected_statuses))

        # The pane takes the keyboard: select all and copy, then type.
        pane_input = driver.find_element(By.CSS_SELECTOR, "#DataMemo textarea")
        driver.find_element(By.ID, "DataMemo").click()
        ActionChains(driver).key_down(Keys.CONTROL).send_keys("a").key_up(Keys.CONTROL).perform()
        copied = page.js("""const data = new DataTransfer();
            document.querySelector('#DataMemo textarea').dispatchEvent(
              new ClipboardEvent('copy', {clipboardData: data, bubbles: true}));
            return data.getData('text/plain');""")
        check(copied == page.pane() and copied != "", "Ctrl+A then copy gives the whole pane")
        pane_input.send_keys(Keys.CONTROL, Keys.END)
        pane_input.send_keys(Keys.ENTER, "typed")
        check(page.pane().endswith("\ntyped"), "typing into the pane")
        # Up moves by the rows a long line wraps into, not by whole lines.
        pane_input.send_keys(Keys.ENTER, "word " * 40, Keys.UP, "X")
        last = page.pane().split("\n")[-1]
        check("X" in last and not last.endswith("X"), "Up within a wrapped line: %r" % last)
        # Up keeps its column while it passes a shorter line.
        pane_input.send_keys(Keys.CONTROL, Keys.END)
        pane_input.send_keys(Keys.ENTER, "abcdefghij", Keys.ENTER, "ab", Keys.ENTER, "abcdefghij",
                             Keys.UP, Keys.UP, "Y")
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
        page.click("ControlFileOutput")
        check(["ControlFileOutput", "Turn On File Output", True] in page.menu(),
              "caption after file output off")
        before = set(os.listdir(downloads))
        page.click("PrintUniqueOnly")
        time.sleep(1)
        check(set(os.listdir(downloads)) == before, "a report without file output downloaded")
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

        # A chosen file changed since it was chosen can no longer be read by
        # the page: it reads as a file that fails to read, here as the empty
        # file it became, and the program carries on.
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
        page.click("PrintOnlyIdentities")
        out, err = batch(binary, changing, "ReadInputFilesAgain", "PrintOnlyIdentities")
        check(page.statuses() == err[1:], "a changed file: the status texts differ")
        check(same_pane(page.pane(), out), "a changed file: the pane differs")

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
            for (const f of document.getElementById('CompareFolder').files) byName[f.name] = f;
            const folder = { name: 'granted', values: async function* () {
              for (const n of listings.shift()) yield { kind: 'file', name: n, getFile: async () => byName[n] };
              yield { kind: 'directory', name: 'sub' }; } };
            window.showDirectoryPicker = async () => folder;
            document.getElementById('CompareFolder').click();""", listings)
        wait_until(lambda: page.js("return document.getElementById('CompareFolderName')"
                                   ".textContent") == "granted (%d files)" % (len(names) - 1), 10)
        page.wait_idle()
        for folder in (fewer, work):
            if folder == work:
                page.click("ReadInputFilesAgain")
            out, _ = batch(binary, folder, "PrintOnlyIdentities")
            page.click("PrintOnlyIdentities")
            check(same_pane(page.pane(), out), "a granted folder listed %s"
                  % ("again" if folder == work else "first"))

        # A granted folder, stood in for by what the folder picker would
        # answer: the report lands in it instead of arriving as a download,
        # and a failed write ends the command with code 16, as on the desktop.
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
            before = set(os.listdir(downloads))
            page.statuses()
            page.click("PrintUniqueOnly")
            shown = page.statuses()
            if failing:
                check(shown == [err[1], "Message: ' *.txt File Write Error!'"],
                      "a failed write into the folder: %r" % shown)
            else:
                check(shown == err[1:], "saving into the folder: %r, batch %r" % (shown, err[1:]))
                saved = page.js("return window.savedFiles")
                check(list(saved) == ["uniqC2B.txt"] and bytes(saved["uniqC2B.txt"]) == report,
                      "the report saved into the folder differs")
            time.sleep(0.5)
            check(set(os.listdir(downloads)) == before, "a download despite the granted folder")

    finally:
        driver.quit()
        shutil.rmtree(scratch, ignore_errors=True)


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
