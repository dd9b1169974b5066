"""The online calculator page in headless Chromium, through trusted key and mouse events.

    page_test.py --site SITE_DIR --page PAGE_DIR --release RELEASE_SITE_PY
                 --worked WORKED_RECALCULATIONS_JSON_PROGRAM

One browser session serves the checks of the page (PageTest); each test loads the page afresh.
After every test the browser's console holds no error and its network log no request to another
origin. ReleaseTest checks the release built from the page's files (PAGE_DIR) by
release_site.py: the service worker, updates, the tarball.
"""

import argparse
import contextlib
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import tarfile
import tempfile
import unittest
from urllib.parse import urlsplit

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support import expected_conditions
from selenium.webdriver.support.ui import WebDriverWait

import browser_session

ARGS = None

RESULT_NAMES = ("Text_vat_result", "Text_vat_round", "Text_total", "Text_Price", "Label_price")
KEYBOARD_CHARACTERS = set("0123456789.")
TOO_LONG_NOTICE = "Not pasted: longer than 1000 characters"
TYPE_MISMATCH = "Type mismatch: the amount is not a number"
AMOUNT_OVERFLOW = "Overflow: the amount is too large"
DIVISION_BY_ZERO = "Division by zero: a VAT % of -100 leaves nothing to divide by"
# Input.dispatchKeyEvent modifiers.
ALT, CTRL, META, SHIFT = 1, 2, 4, 8
AXE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "node_modules", "axe-core",
                   "axe.min.js")


def site_file(pattern, site=None):
    """The released name of a file: site_file("calculator.js") -> calculator.0123abcd4567.js."""
    stem, _, extension = pattern.partition(".")
    names = [name for name in os.listdir(site or ARGS.site)
             if re.fullmatch(re.escape(stem) + r"\.[0-9a-f]{12}\." + re.escape(extension), name)]
    assert len(names) == 1, f"{pattern}: {names}"
    return names[0]


def worked_recalculations():
    output = subprocess.run([ARGS.worked], capture_output=True, check=True).stdout
    return json.loads(output)


def entry_rows(table):
    """The rows of one of the tables for text entering a field: typing, paste or notice."""
    output = subprocess.run([ARGS.entry], capture_output=True, check=True).stdout
    return json.loads(output)[table]


def box_of(field):
    return "Text_amount" if field == "amount" else "Text_vat"


class PageTestCase(unittest.TestCase):
    """A browser and a server for the whole class, the page loaded afresh for each test."""

    @classmethod
    def setUpClass(cls):
        cls._server = browser_session.static_server(ARGS.site)
        cls.origin = cls._server.__enter__()
        cls._browser = browser_session.chromium()
        cls.driver = cls._browser.__enter__()
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": cls.origin,
            "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"],
        })

    @classmethod
    def tearDownClass(cls):
        cls._browser.__exit__(None, None, None)
        cls._server.__exit__(None, None, None)

    def setUp(self):
        self.load()

    def tearDown(self):
        errors = [e for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual([], errors, "the browser's console reported errors")
        foreign = [url for url in browser_session.requested_urls(self.driver, self.origin)
                   if not url.startswith(self.origin + "/")]
        self.assertEqual([], foreign, "the page asked another origin")
        self.driver.execute_script("localStorage.clear()")

    # What a person does.

    def load(self):
        self.driver.get(self.origin + "/index.html")
        browser_session.wait_until_ready(self.driver)

    def element(self, element_id):
        return self.driver.find_element("id", element_id)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifier, *keys):
        """Presses the keys while holding the modifier."""
        ActionChains(self.driver).key_down(modifier).send_keys(*keys).key_up(modifier).perform()

    def click(self, element_id):
        self.element(element_id).click()

    def press(self, key, code, key_code, text=None, modifiers=0):
        """Presses a key as the keyboard sends it: its meaning on the layout (key), its place
        (code), its Windows key code and the text it types."""
        event = {"key": key, "code": code, "windowsVirtualKeyCode": key_code,
                 "modifiers": modifiers}
        if text is not None:
            event["text"] = text
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyDown", **event})
        self.driver.execute_cdp_cmd("Input.dispatchKeyEvent", {"type": "keyUp", **event})

    def clipboard(self):
        return self.driver.execute_async_script(
            "navigator.clipboard.readText().then(arguments[0], (e) => arguments[0](String(e)))")

    @contextlib.contextmanager
    def screen(self, width, height=740, dark=False, touch=None):
        """The page loaded afresh on a screen of that size (a phone's, with touch, when narrower
        than 500 px), in the light or dark scheme."""
        touch = width < 500 if touch is None else touch
        self.driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": 1, "mobile": touch})
        self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": touch})
        self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [
            {"name": "prefers-color-scheme", "value": "dark" if dark else "light"}]})
        try:
            self.load()
            yield
        finally:
            self.driver.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
            self.driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
            self.driver.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": []})

    @contextlib.contextmanager
    def language(self, locale, decimal=None, group=None):
        """The page loaded afresh with the browser's language (navigator.language) set to
        `locale`, which writes numbers with these separators (a Swiss apostrophe of either
        kind)."""
        def apostrophe(separators):
            return [separator.replace("\u2019", "'") for separator in separators]

        agent = self.driver.execute_script("return navigator.userAgent")
        languages = self.driver.execute_script("return navigator.languages.join(',')")
        self.driver.execute_cdp_cmd("Emulation.setUserAgentOverride",
                                    {"userAgent": agent, "acceptLanguage": locale})
        try:
            self.load()
            if decimal is not None:
                self.assertEqual(apostrophe([decimal, group]), apostrophe(self.driver.execute_script(
                    "const parts = new Intl.NumberFormat(navigator.language)"
                    ".formatToParts(1234567.5);"
                    "return ['decimal', 'group'].map((t) => parts.find((p) => p.type === t)"
                    ".value)")), f"{locale} writes numbers otherwise")
            yield
        finally:
            self.driver.execute_cdp_cmd("Emulation.setUserAgentOverride",
                                        {"userAgent": agent, "acceptLanguage": languages})

    def rows_by_language(self, rows):
        """Each row with the page loaded in its region's language, a region at a time."""
        for locale in dict.fromkeys(row["locale"] for row in rows):
            mine = [row for row in rows if row["locale"] == locale]
            with self.language(locale, mine[0]["decimal"], mine[0]["group"]):
                yield from mine

    def clear(self, element_id):
        """Clicks into a box (which selects its text) and deletes its text with the keyboard."""
        self.click(element_id)
        self.keys(Keys.END)
        self.chord(Keys.SHIFT, Keys.HOME)
        self.keys(Keys.BACKSPACE)

    def set_clipboard(self, text=None, repeat=None):
        """Puts text, or `repeat` = [character, count], on the clipboard."""
        result = self.driver.execute_async_script(
            """
            const [text, repeat, done] = arguments;
            const value = repeat ? repeat[0].repeat(repeat[1]) : text;
            navigator.clipboard.writeText(value).then(() => done('ok'), (e) => done(String(e)));
            """, text, repeat)
        self.assertEqual("ok", result)

    def paste(self, text=None, repeat=None):
        """Pastes with Shift+Insert, which no key rule sees."""
        self.set_clipboard(text, repeat)
        self.chord(Keys.SHIFT, Keys.INSERT)

    def enter(self, element_id, text):
        """Clears a box and types the text, or pastes it when the keyboard cannot bring it."""
        self.clear(element_id)
        if set(text) <= KEYBOARD_CHARACTERS:
            self.keys(text)
        elif text:
            self.paste(text)

    def select_mode(self, mode):
        self.click("Option_vat_inc" if mode == "inclusive" else "Option_vat_exc")

    # What a person sees.

    def text(self, element_id):
        return self.driver.execute_script(
            "const e = document.getElementById(arguments[0]);"
            "return e.tagName === 'INPUT' ? e.value : e.textContent;",
            element_id)

    def mark_results(self):
        """Writes a mark into the results that only a recalculation overwrites."""
        self.driver.execute_script(
            "for (const id of arguments[0]) document.getElementById(id).textContent = 'mark'",
            RESULT_NAMES)

    def results(self):
        return [self.text(name) for name in RESULT_NAMES]

    def notice(self):
        """The notice's lines, joined by " / "."""
        return self.driver.execute_script(
            "return Array.from(document.getElementById('ErrorNotice').childNodes)"
            ".map((line) => line.textContent).join(' / ')")

    def focused(self):
        return self.driver.execute_script("return document.activeElement.id")

    def rect(self, element_id):
        return self.driver.execute_script(
            "return document.getElementById(arguments[0]).getBoundingClientRect().toJSON()",
            element_id)

    def mode(self):
        return [self.element("Option_vat_inc").is_selected(),
                self.element("Option_vat_exc").is_selected()]


class PageTest(PageTestCase):
    # Start-up and layout.

    def test_starts_as_the_window_does_with_nothing_recalculated(self):
        self.assertEqual("", self.text("Text_amount"))
        self.assertEqual("0", self.text("Text_vat"))
        self.assertEqual([True, False], self.mode())
        self.assertEqual(["0.00", "", "", "", "0.00"], self.results())
        self.assertEqual("Text_amount", self.focused())
        self.assertEqual("", self.notice())
        # The results are outputs: nothing types into them.
        self.assertEqual(["OUTPUT"] * 5, self.driver.execute_script(
            "return arguments[0].map((id) => document.getElementById(id).tagName)",
            RESULT_NAMES))
        self.assertEqual(["decimal", "decimal"], self.driver.execute_script(
            "return ['Text_amount', 'Text_vat'].map((id) => document.getElementById(id).inputMode)"))
        self.assertEqual("http://tolvi.example/", self.element("Home_Page").get_property("href"))

    def test_labels_name_their_controls(self):
        names = self.driver.execute_script(
            """
            const name = (id) => Array.from(document.getElementById(id).labels)
                .map((label) => label.textContent.trim()).join('|');
            return Object.fromEntries(arguments[0].map((id) => [id, name(id)]));
            """,
            ["Text_amount", "Text_vat", "Option_vat_inc", "Option_vat_exc", "Text_vat_round",
             "Text_vat_result", "Text_Price", "Label_price", "Text_total"])
        self.assertEqual({
            "Text_amount": "Amount :", "Text_vat": "VAT % :", "Option_vat_inc": "VAT Inclusive",
            "Option_vat_exc": "VAT Exclusive", "Text_vat_round": "VAT :",
            "Text_vat_result": "Unrounded VAT", "Text_Price": "Price :",
            "Label_price": "Unrounded price", "Text_total": "Total :"}, names)
        self.assertEqual("Help", self.text("Command1"))
        # The mode buttons are one named group: a screen reader says "1 of 2".
        group = self.driver.execute_script(
            "const group = document.getElementById('Option_vat_inc').closest('[role=radiogroup]');"
            "return [document.getElementById(group.getAttribute('aria-labelledby')).textContent,"
            " document.getElementById('Option_vat_exc').name === "
            " document.getElementById('Option_vat_inc').name]")
        self.assertEqual(["The amount is", True], group)

    def test_a_desktop_shows_the_window_scaled_up(self):
        scale = self.driver.execute_script(
            "return document.getElementById('Form1').clientWidth") / 299
        self.assertGreaterEqual(scale, 1.5)

    def next_frame(self):
        """Waits until the page has drawn a frame: the labels fit their captions by then."""
        self.driver.execute_async_script(
            "requestAnimationFrame(() => requestAnimationFrame(arguments[0]))")

    def assert_nothing_cut_off_or_overlapping(self, width):
        self.next_frame()
        boxes = self.driver.execute_script(
            """
            const ids = arguments[0];
            return ids.map((id) => {
                const e = document.getElementById(id);
                const r = e.getBoundingClientRect();
                // A text box scrolls its text; any other control must show all of it.
                return { id, left: r.left, right: r.right, top: r.top, bottom: r.bottom,
                         clipped: e.tagName !== 'INPUT' && e.scrollWidth > e.clientWidth + 1 };
            });
            """,
            ["Label1", "Text_amount", "Option_vat_inc_caption", "Label2", "Text_vat",
             "Option_vat_exc_caption", "Label3", "Text_vat_round", "Text_vat_result", "Label5",
             "Text_Price", "Label_price", "Label4", "Text_total", "Command1", "ErrorNotice"])
        for box in boxes:
            with self.subTest(width=width, control=box["id"]):
                self.assertGreaterEqual(box["left"], 0)
                self.assertLessEqual(box["right"], width)
                self.assertFalse(box["clipped"], "its text is cut off")
        for i, a in enumerate(boxes):
            for b in boxes[i + 1:]:
                overlap = (a["left"] < b["right"] - 0.5 and b["left"] < a["right"] - 0.5
                           and a["top"] < b["bottom"] - 0.5 and b["top"] < a["bottom"] - 0.5)
                self.assertFalse(overlap, f"{a['id']} overlaps {b['id']} at {width} px")

    def test_a_phone_or_a_desktop_cuts_nothing_off_and_a_phone_gets_large_targets(self):
        for width in (360, 320, 1024):
            with self.subTest(width=width), self.screen(width):
                self.enter("Text_vat", "17.5")
                self.enter("Text_amount", "123456789012345678")  # long results
                self.assertEqual("1.83871813422637E+16", self.text("Text_vat_result"))
                self.enter("Text_vat", "-100")  # a notice, and the fields as they were
                self.assertEqual(DIVISION_BY_ZERO, self.notice())
                self.assert_nothing_cut_off_or_overlapping(width)
                frame = self.rect("Form1")
                for button in ("Copy_vat", "Copy_price", "Copy_total", "Copy_link", "Command1"):
                    box = self.rect(button)
                    self.assertTrue(frame["left"] <= box["left"] <= box["right"] <= frame["right"]
                                    and frame["top"] <= box["top"] <= box["bottom"]
                                    <= frame["bottom"], f"{button} stands outside the frame")
                self.assertLessEqual(self.driver.execute_script(
                    "return document.documentElement.scrollWidth"), width)
                self.enter("Text_vat", "0")
                self.enter("Text_amount", "1")  # short results take their full size again
                self.next_frame()
                self.assertEqual(["", ""], self.driver.execute_script(
                    "return ['Text_total', 'Label_price'].map((id) =>"
                    " document.getElementById(id).style.fontSize)"))
                if width < 500:
                    self.click("Command1")
                    self.assertEqual([], self.controls_too_small(44, 16))
                    self.assertLessEqual(self.rect("Help")["right"], width)
                    self.keys(Keys.ESCAPE)
                    self.open_about(by_click=True)
                    self.assertEqual([], self.controls_too_small(44, 16))
                    self.assertLessEqual(self.rect("frmAbout")["right"], width)

    # Recalculation, keystroke by keystroke.

    def test_one_keystroke_recalculates_every_field(self):
        self.enter("Text_vat", "17.5")
        self.enter("Text_amount", "11")
        self.keys("7")
        self.assertEqual("117", self.text("Text_amount"))
        self.assertEqual(
            ["17.4255319148936", "17.43", "117.00", "99.57", "99.5744680851064"], self.results())
        self.assertEqual("", self.notice())

    def test_typed_and_pasted_recalculations_match_the_worked_table(self):
        for row in worked_recalculations():
            with self.subTest(mode=row["mode"], amount=row["amount"], rate=row["rate"]):
                self.select_mode(row["mode"])
                self.enter("Text_vat", row["rate"])
                self.enter("Text_amount", row["amount"])
                self.assertEqual(row["amount"], self.text("Text_amount"))
                self.assertEqual([row["unroundedVat"], row["roundedVat"], row["total"],
                                  row["price"], row["unformattedPrice"]], self.results())
                # No error; at most how a text was read in part (1.2 of 1.2.3).
                self.assertRegex(self.notice(), r"^(Amount read as [\d.]+)?$")

    def test_switching_the_mode_rederives_every_field(self):
        self.click("Option_vat_exc")
        self.enter("Text_vat", "17.5")
        self.enter("Text_amount", "105")
        self.assertEqual(["18.375", "18.38", "123.38", "105.00", "105"], self.results())
        self.click("Option_vat_inc")
        self.assertEqual([True, False], self.mode())
        self.assertEqual(
            ["15.6382978723404", "15.64", "105.00", "89.36", "89.3617021276596"], self.results())
        # The arrow keys move to the other button and select it.
        self.keys(Keys.ARROW_DOWN)
        self.assertEqual("Option_vat_exc", self.focused())
        self.assertEqual([False, True], self.mode())
        self.assertEqual(["18.375", "18.38", "123.38", "105.00", "105"], self.results())
        self.keys(Keys.ARROW_UP)
        self.assertEqual([True, False], self.mode())
        self.assertEqual("15.64", self.text("Text_vat_round"))
        self.keys(Keys.ARROW_UP)  # from the first button round to the last
        self.assertEqual(["Option_vat_exc", [False, True]], [self.focused(), self.mode()])
        self.assertEqual("18.38", self.text("Text_vat_round"))

    def test_editing_the_rate_recalculates(self):
        self.enter("Text_amount", "117")
        self.assertEqual("0", self.text("Text_vat_result"))
        self.enter("Text_vat", "17.5")
        self.assertEqual("17.43", self.text("Text_vat_round"))
        self.keys(Keys.BACKSPACE)  # 17.
        self.assertEqual(["17", "17.00", "117.00", "100.00", "100"], self.results())

    # The key rule.

    def test_the_key_rule_swallows_every_other_character(self):
        typed = [("letter a", "a"), ("capital Z", "Z"), ("minus", "-"), ("plus", "+"),
                 ("space", " "), ("exponent e", "e"), ("euro sign", "€"),
                 ("Return", Keys.RETURN), ("keypad Enter", Keys.ENTER), ("Escape", Keys.ESCAPE)]
        # Ctrl or Cmd with a letter other than an editing shortcut's, by its letter or, on a
        # Russian layout, by its place; and Ctrl+Backspace.
        pressed = [("Ctrl+B", ("b", "KeyB", 66, CTRL)), ("Cmd+B", ("b", "KeyB", 66, META)),
                   ("Ctrl+и (B on a Russian layout)", ("и", "KeyB", 66, CTRL)),
                   ("Ctrl+Backspace", ("Backspace", "Backspace", 8, CTRL))]
        rows = [(name, lambda key=key: self.keys(key)) for name, key in typed] + \
            [(name, lambda k=k: self.press(k[0], k[1], k[2], modifiers=k[3]))
             for name, k in pressed]
        self.driver.execute_script(
            "addEventListener('keydown', (e) => { window.refused = e.defaultPrevented; })")
        for field in ("Text_amount", "Text_vat"):
            self.enter(field, "12")
            for name, press in rows:
                with self.subTest(field=field, key=name):
                    self.click(field)
                    self.keys(Keys.END)
                    self.mark_results()
                    press()
                    self.assertEqual("12", self.text(field))
                    self.assertEqual(["mark"] * 5, self.results(), "it recalculated")
                    if name.startswith(("Ctrl", "Cmd")):
                        self.assertTrue(self.driver.execute_script("return window.refused"))

    def test_the_editing_shortcuts_work_on_any_layout(self):
        # By the letter or, on a Russian layout, by the key's place. Chromium on Linux knows no
        # Cmd shortcuts: the page must only let them through.
        layouts = {"US": "acxvzy", "Russian": "фсчвян"}
        steps = [  # the letter, the modifiers, the amount after it, the clipboard after it
            ("a", CTRL, "123", ""), ("c", CTRL, "123", "123"), ("x", CTRL, "", "123"),
            ("v", CTRL, "123", "123"), ("v", CTRL, "123123", "123"), ("z", CTRL, "123", "123"),
            ("y", CTRL, "123123", "123"), ("a", META, "123123", "123")]
        self.driver.execute_script(
            "addEventListener('keydown', (e) => { window.refused = e.defaultPrevented; })")
        for layout, letters in layouts.items():
            self.enter("Text_amount", "123")
            self.set_clipboard("")
            for letter, modifiers, amount, clipboard in steps:
                with self.subTest(layout=layout, letter=letter, modifiers=modifiers):
                    self.press(letters["acxvzy".index(letter)], "Key" + letter.upper(),
                               ord(letter.upper()), modifiers=modifiers)
                    self.assertEqual([amount, f"{int(amount):,}.00" if amount else "",
                                      clipboard, False],
                                     [self.text("Text_amount"), self.text("Text_total"),
                                      self.clipboard(),
                                      self.driver.execute_script("return window.refused")])
            with self.subTest(layout=layout, keys="Ctrl+A, then typing"):
                self.press(letters[0], "KeyA", 65, modifiers=CTRL)
                self.keys("20")
                self.assertEqual("20", self.text("Text_amount"))

    def test_the_keypad_decimal_key_types_a_point_and_the_comma_follows_the_language(self):
        rows = [  # name, (key, code, key code, text), amount after 19, the key, 99
            ("comma (refused in an English amount)", (",", "Comma", 188, ","), "1999"),
            ("keypad point", (".", "NumpadDecimal", 110, "."), "19.99"),
            ("keypad comma (German layout)", (",", "NumpadDecimal", 110, ","), "19.99"),
            ("keypad on a Persian layout", ("\u066b", "NumpadDecimal", 110, "\u066b"), "19.99"),
            ("keypad Delete, Num Lock off", ("Delete", "NumpadDecimal", 46, None), "1999"),
        ]
        for name, (key, code, key_code, text), amount in rows:
            with self.subTest(key=name):
                self.enter("Text_amount", "19")
                self.press(key, code, key_code, text)
                self.keys("99")
                self.assertEqual(amount, self.text("Text_amount"))
                self.assertEqual(amount, self.text("Label_price"))
        with self.subTest(key="a soft keyboard's comma"):
            self.enter("Text_vat", "7")
            self.driver.execute_cdp_cmd("Input.insertText", {"text": ","})
            self.keys("5")
            self.assertEqual("7.5", self.text("Text_vat"))
        with self.subTest(key="Ctrl+Z after a comma"):
            self.chord(Keys.CONTROL, "z")
            self.assertEqual("7", self.text("Text_vat"))

    def test_typed_characters_follow_the_typing_rule_of_the_language(self):
        for row in self.rows_by_language(entry_rows("typing")):
            with self.subTest(**row):
                box = box_of(row["field"])
                self.clear(box)
                # Each character by its key where a US keyboard has one, else as an input
                # method commits it.
                for character in row["typed"]:
                    if " " <= character <= "~":
                        self.keys(character)
                    else:
                        self.driver.execute_cdp_cmd("Input.insertText", {"text": character})
                self.assertEqual(row["boxText"], self.text(box))

    def test_a_click_into_a_box_selects_its_text_so_that_typing_replaces_it(self):
        self.click("Text_vat")
        self.keys("20")
        self.assertEqual("20", self.text("Text_vat"))
        self.keys(Keys.ARROW_LEFT)
        self.click("Text_vat")  # already focused: the click places the caret
        self.keys("5")
        self.assertNotEqual("5", self.text("Text_vat"))

    def test_editing_keys_keep_working(self):
        self.click("Text_amount")
        self.keys(Keys.BACKSPACE)  # Backspace passes even in an empty box
        self.assertEqual("", self.text("Text_amount"))
        # Inclusive at 0 %: no VAT, and the amount as the total and the price.
        steps = [
            ("digits and a point", ["12.3"], "12.3", ["0", "0.00", "12.30", "12.30", "12.3"]),
            ("Left, Left, Backspace", [Keys.ARROW_LEFT, Keys.ARROW_LEFT, Keys.BACKSPACE], "1.3",
             ["0", "0.00", "1.30", "1.30", "1.3"]),
            ("Delete", [Keys.DELETE], "13", ["0", "0.00", "13.00", "13.00", "13"]),
            ("Home, then typing", [Keys.HOME, "4"], "413",
             ["0", "0.00", "413.00", "413.00", "413"]),
            ("Right, End, a second point", [Keys.ARROW_RIGHT, Keys.END, ".5."], "413.5.",
             ["0", "0.00", "413.5.", "413.50", "413.5"]),  # the total is not a number
            ("Shift+Left selects, Backspace deletes", [(Keys.ARROW_LEFT, Keys.ARROW_LEFT),
                                                       Keys.BACKSPACE], "413.",
             ["0", "0.00", "413.00", "413.00", "413"]),
        ]
        for name, keys, amount, results in steps:
            with self.subTest(step=name):
                for key in keys:
                    if isinstance(key, tuple):
                        self.chord(Keys.SHIFT, *key)
                    else:
                        self.keys(key)
                self.assertEqual(amount, self.text("Text_amount"))
                self.assertEqual(results, self.results())

    def compose(self, text, commit=True):
        self.driver.execute_cdp_cmd("Input.imeSetComposition", {
            "text": text, "selectionStart": len(text), "selectionEnd": len(text)})
        if commit:
            self.driver.execute_cdp_cmd("Input.insertText", {"text": text})

    def test_input_method_text_passes_the_typing_rule_character_by_character(self):
        rows = [("1a2", "12"), ("3.5", "3.5"), ("x", ""), ("１２", "12"), ("٣٫٥", "3.5"),
                ("7,8-9", "789")]
        for committed, accepted in rows:
            with self.subTest(how="composed", committed=committed):
                self.enter("Text_amount", "5")
                self.compose(committed)
                self.assertEqual("5" + accepted, self.text("Text_amount"))
                self.assertEqual("5" + accepted, self.text("Label_price"))
            with self.subTest(how="inserted at once", committed=committed):
                self.enter("Text_amount", "5")
                self.driver.execute_cdp_cmd("Input.insertText", {"text": committed})
                self.assertEqual("5" + accepted, self.text("Text_amount"))
                self.assertEqual("5" + accepted, self.text("Label_price"))
        with self.subTest(how="composed over a selection"):
            self.enter("Text_amount", "1234")
            self.chord(Keys.SHIFT, Keys.ARROW_LEFT, Keys.ARROW_LEFT)
            self.compose("9")
            self.assertEqual("129", self.text("Text_amount"))
        with self.subTest(how="still composing"):
            self.enter("Text_amount", "5")
            self.mark_results()
            self.compose("1a", commit=False)
            self.assertEqual(["mark"] * 5, self.results())
            self.assertEqual("", self.notice())
            self.driver.execute_cdp_cmd("Input.insertText", {"text": "1a"})
            self.assertEqual("51", self.text("Label_price"))

    def test_an_input_method_commit_that_would_not_fit_is_refused_whole(self):
        rows = [  # text before, characters selected at its end, committed, text after
            ("9" * 999, 0, "1a2", "9" * 999),  # 12 would make 1,001
            ("9" * 998, 0, "1a2", "9" * 998 + "12"),
            ("", 0, "1" * 1500, ""),
            ("9" * 1000, 3, "12", "9" * 997 + "12"),
            ("9" * 1000, 0, "", "9" * 1000),
        ]
        for before, selected, committed, after in rows:
            with self.subTest(before=len(before), selected=selected, committed=committed[:5]):
                self.load()
                self.click("Text_amount")
                if before:
                    self.paste(before)
                if selected:
                    self.chord(Keys.SHIFT, *[Keys.ARROW_LEFT] * selected)
                self.compose(committed)
                self.assertEqual(after, self.text("Text_amount"))
                refused = after == before and committed != ""
                self.assertEqual(TOO_LONG_NOTICE if refused else AMOUNT_OVERFLOW if after else "",
                                 self.notice())
        # A refused commit keeps the selection it would have replaced, characters 2 to 5.
        self.keys(Keys.HOME, Keys.ARROW_RIGHT, Keys.ARROW_RIGHT)
        self.chord(Keys.SHIFT, *[Keys.ARROW_RIGHT] * 3)
        self.compose("1234")
        self.assertEqual([after, [2, 5], TOO_LONG_NOTICE], [
            self.text("Text_amount"), self.driver.execute_script(
                "const box = document.activeElement; return [box.selectionStart, box.selectionEnd]"),
            self.notice()])

    # Pasting and dropping bypass the key rule.

    def test_pasting_bypasses_the_key_rule_and_recalculates(self):
        self.enter("Text_vat", "17.5")
        self.click("Text_amount")
        self.paste("1D3")
        self.assertEqual("1D3", self.text("Text_amount"))
        self.assertEqual(
            ["148.936170212766", "148.94", "1,000.00", "851.06", "851.063829787234"],
            self.results())
        self.click("Text_vat")  # selects the rate
        self.paste("20,5")  # the rate reads only up to its comma
        self.assertEqual("166.666666666667", self.text("Text_vat_result"))

    def drop(self, element_id, text):
        box = self.rect(element_id)
        data = {"items": [{"mimeType": "text/plain", "data": text}], "dragOperationsMask": 1}
        for kind in ("dragEnter", "dragOver", "drop"):
            self.driver.execute_cdp_cmd("Input.dispatchDragEvent", {
                "type": kind, "x": box["x"] + 5, "y": box["y"] + 5, "data": data})

    def test_dropping_text_bypasses_the_key_rule_and_recalculates(self):
        self.enter("Text_amount", "")
        self.drop("Text_amount", "1,000")
        self.assertEqual("1,000", self.text("Text_amount"))
        self.assertEqual(["0", "0.00", "1,000.00", "1,000.00", "1000"], self.results())
        for name, text in [("1,001 characters", "1" * 1001), ("a bidi control", "1\u202e2")]:
            with self.subTest(drop=name):
                self.enter("Text_amount", "")
                self.drop("Text_amount", text)
                self.assertEqual("", self.text("Text_amount"))
                self.assertIn("Not pasted", self.notice())

    def test_user_text_is_shown_as_text_never_as_markup(self):
        markup = "<img src=x id=injected><b>1</b>"
        self.click("Text_amount")
        self.paste(markup)
        self.assertEqual(markup, self.text("Text_total"))  # the total keeps the amount text
        self.assertEqual(TYPE_MISMATCH + " / Amount read as 0", self.notice())
        self.assertEqual(0, self.driver.execute_script(
            "return document.querySelectorAll('#injected, #Form1 b, #ErrorNotice b').length"))

    def test_a_paste_longer_than_a_field_takes_is_refused_whole(self):
        rows = [
            ("1001 characters after 2 kept", "12", False, 999, "12"),
            ("1000 characters over a selection of 2", "12", True, 1000, "1" * 1000),
            ("999 characters after 1 kept", "5", False, 999, "5" + "1" * 999),
            ("a million characters", "12", False, 1_000_000, "12"),
        ]
        for name, before, select_all, count, after in rows:
            for field in ("Text_amount", "Text_vat"):
                with self.subTest(paste=name, field=field):
                    self.load()
                    self.enter("Text_amount", "1")
                    self.enter(field, before)
                    if select_all:
                        self.chord(Keys.SHIFT, Keys.HOME)
                    self.paste(repeat=["1", count])
                    self.assertEqual(after, self.text(field))
                    refused = after == before
                    # 1000 digits are too many for a double.
                    overflow = "Overflow: the {} is too large".format(
                        "amount" if field == "Text_amount" else "VAT %")
                    self.assertEqual(TOO_LONG_NOTICE if refused else overflow, self.notice())
                    # The page answers the next key and keeps what was typed before; a full
                    # box refuses the key.
                    self.keys(Keys.END, "3")
                    self.assertEqual(after + "3" if len(after) < 1000 else after,
                                     self.text(field))
                    self.assertEqual("" if refused else overflow, self.notice())
                    # A key typed over the whole text replaces it, full box or not.
                    self.chord(Keys.CONTROL, "a")
                    self.keys("5")
                    self.assertEqual("5", self.text(field))

    def test_pasted_and_dropped_text_follows_the_paste_rule_of_the_language(self):
        for row in self.rows_by_language(entry_rows("paste")):
            with self.subTest(**row):
                box = box_of(row["field"])
                self.enter(box, row["before"])
                self.chord(Keys.CONTROL, "a")
                self.paste(row["pasted"])
                self.assertEqual(row["after"], self.text(box))
                refused = row["notice"].startswith("Not pasted")
                if refused:
                    self.assertEqual(row["notice"], self.notice())
                else:
                    self.assertNotIn("Not pasted", self.notice())
                    if row["notice"]:  # which number a text meaning two was taken for
                        self.assertIn(row["notice"], self.notice().split(" / "))
                if not refused and not row["before"] and row["pasted"] != row["after"]:
                    self.enter(box, "")
                    self.drop(box, row["pasted"])
                    self.assertEqual(row["after"], self.text(box), "dropped")
                if refused or set(row["after"]) <= set("0123456789."):  # as an input method
                    self.enter(box, row["before"])
                    self.chord(Keys.CONTROL, "a")
                    self.compose(row["pasted"])
                    self.assertEqual(row["after"], self.text(box), "committed")
                    if row["notice"]:
                        self.assertIn(row["notice"], self.notice().split(" / "), "committed")

    def test_the_notice_names_the_error_and_why_and_how_a_text_was_read(self):
        for row in entry_rows("notice"):
            with self.subTest(**row):
                self.load()
                self.select_mode(row["mode"])
                self.enter("Text_vat", row["rate"])
                self.enter("Text_amount", row["amount"])
                self.assertEqual(" / ".join(row["lines"]), self.notice())

    def test_the_notice_says_how_a_text_was_read_in_part(self):
        rows = [  # field, pasted text, the notice's lines
            ("Text_amount", "1.234,56", TYPE_MISMATCH + " / Amount read as 1.23456"),
            ("Text_amount", "€ 99.90", TYPE_MISMATCH + " / Amount read as 0"),
            ("Text_amount", "1.2.3", TYPE_MISMATCH + " / Amount read as 1.2"),
            ("Text_amount", " 1,234.5 ", ""),
            ("Text_amount", "12abc", TYPE_MISMATCH + " / Amount read as 12"),
            ("Text_vat", "20%", "VAT % read as 20"),
            ("Text_vat", "12,5", "VAT % read as 12"),
            ("Text_vat", "", ""),
            ("Text_amount", "9" * 400 + "x", AMOUNT_OVERFLOW),
        ]
        for field, text, notice in rows:
            with self.subTest(field=field, text=text[:12]):
                self.load()
                self.enter("Text_amount", "100")
                self.enter(field, text)
                self.assertEqual(text, self.text(field))  # the digits stay as they are
                self.assertEqual(notice, self.notice())
        # Both fields read in part, and the notice is announced whole.
        self.enter("Text_vat", "5%")
        self.enter("Text_amount", "1.2.3")
        self.assertEqual(TYPE_MISMATCH + " / Amount read as 1.2 / VAT % read as 5", self.notice())
        self.assertEqual("true", self.element("ErrorNotice").get_attribute("aria-atomic"))

    # Errors.

    def test_an_error_leaves_the_fields_written_before_it_and_is_named(self):
        self.click("Text_amount")
        self.keys("5", Keys.BACKSPACE)
        self.assertEqual(["0", "0.00", "", "0.00", "0"], self.results())
        self.assertEqual("", self.notice())  # an amount cleared to type a new one
        self.keys(".")
        self.assertEqual(["0", "0.00", ".", "0.00", "0"], self.results())
        self.assertEqual(TYPE_MISMATCH + " / Amount read as 0", self.notice())
        self.keys(Keys.BACKSPACE, "1")  # a complete recalculation takes the notice away
        self.assertEqual(["0", "0.00", "1.00", "1.00", "1"], self.results())
        self.assertEqual("", self.notice())

    def test_a_pasted_rate_of_minus_100_divides_by_zero_and_changes_no_field(self):
        self.enter("Text_vat", "17.5")
        self.enter("Text_amount", "117")
        before = self.results()
        self.click("Text_vat")  # selects the rate
        self.paste("-100")
        self.assertEqual("-100", self.text("Text_vat"))
        self.assertEqual(DIVISION_BY_ZERO, self.notice())
        self.assertEqual(before, self.results())
        self.enter("Text_amount", "")  # 0 / 0
        self.assertEqual("Invalid operation: an amount of 0 at a VAT % of -100 has no VAT",
                         self.notice())

    def test_a_very_long_amount_overflows_in_its_first_reading(self):
        self.click("Text_amount")
        self.paste("9" * 400)
        self.assertEqual(AMOUNT_OVERFLOW, self.notice())
        self.assertEqual(["0.00", "", "", "", "0.00"], self.results())

    def test_the_notice_and_the_results_are_announced_and_take_no_focus(self):
        self.click("Text_amount")
        self.keys("5", Keys.BACKSPACE)
        notice = self.element("ErrorNotice")
        self.assertEqual("status", notice.get_attribute("role"))
        self.assertEqual("polite", notice.get_attribute("aria-live"))
        self.assertEqual("Text_amount", self.focused())
        self.assertGreaterEqual(self.rect("ErrorNotice")["top"], self.rect("Form1")["bottom"])
        # The results are told once the typing pauses, not key by key; the outputs stay quiet.
        self.enter("Text_vat", "17.5")
        self.enter("Text_amount", "117")
        self.assertEqual("", self.text("ResultsSummary"))
        self.driver.execute_async_script("setTimeout(arguments[0], 1100)")
        self.assertEqual("VAT 17.43, price 99.57, total 117.00", self.text("ResultsSummary"))
        self.assertEqual(["off"] * 5, [self.element(name).get_attribute("aria-live")
                                       for name in RESULT_NAMES])

    # Focus, the Help menu and the About window.

    def test_tab_visits_the_controls_in_the_window_order(self):
        expected = ["Text_vat", "Option_vat_inc", "Copy_vat", "Copy_price", "Copy_total",
                    "Command1", "Copy_link"]
        visited = []
        for _ in expected:
            self.keys(Keys.TAB)
            visited.append(self.focused())
        self.assertEqual(expected, visited)
        backwards = []
        for _ in expected:
            self.chord(Keys.SHIFT, Keys.TAB)
            backwards.append(self.focused())
        self.assertEqual(list(reversed(expected[:-1])) + ["Text_amount"], backwards)

    def test_the_help_button_pops_up_its_menu_on_itself(self):
        for opener in ("click", "Enter", "Space"):
            with self.subTest(opener=opener):
                self.load()
                if opener == "click":
                    self.click("Command1")
                else:
                    self.driver.execute_script("document.getElementById('Command1').focus()")
                    self.keys(Keys.ENTER if opener == "Enter" else Keys.SPACE)
                self.assertTrue(self.element("Help").is_displayed())
                menu, button = self.rect("Help"), self.rect("Command1")
                self.assertAlmostEqual(menu["x"], button["x"], delta=1)
                self.assertAlmostEqual(menu["y"], button["y"], delta=1)
                items = self.driver.execute_script(
                    "return Array.from(document.querySelectorAll('#Help [role=menuitem]'))"
                    ".map((item) => item.textContent)")
                self.assertEqual(["About", "Home Page"], items)
                self.assertEqual("true", self.element("Command1").get_attribute("aria-expanded"))
                self.assertEqual("About", self.focused())
                self.keys(Keys.ARROW_DOWN)
                self.assertEqual("Home_Page", self.focused())
                self.keys(Keys.ARROW_DOWN)
                self.assertEqual("About", self.focused())
                self.keys(Keys.ARROW_UP)
                self.assertEqual("Home_Page", self.focused())
                self.keys(Keys.HOME)
                self.assertEqual("About", self.focused())
                self.keys(Keys.END)
                self.assertEqual("Home_Page", self.focused())
                self.keys(Keys.ESCAPE if opener != "Space" else Keys.TAB)  # dismissed: no command
                self.assertFalse(self.element("Help").is_displayed())
                self.assertFalse(self.element("frmAbout").is_displayed())
                self.assertEqual("Command1", self.focused())
                self.assertEqual("false", self.element("Command1").get_attribute("aria-expanded"))

    def test_a_click_or_the_focus_elsewhere_dismisses_the_menu(self):
        rows = [  # how, what it does, where the focus is then (None: not checked)
            ("a click on a label", lambda: self.click("Label3"), None),
            ("the focus moved by a script or a screen reader", lambda: self.driver.execute_script(
                "document.getElementById('Text_vat').focus()"), "Text_vat"),
        ]
        for how, dismiss, focused in rows:
            with self.subTest(how=how):
                self.load()
                self.click("Command1")
                dismiss()
                self.assertFalse(self.element("Help").is_displayed())
                self.assertFalse(self.element("frmAbout").is_displayed())
                if focused:
                    self.assertEqual(focused, self.focused())

    def open_about(self, by_click=False):
        if by_click:
            self.click("Command1")
            self.click("About")
        else:
            self.driver.execute_script("document.getElementById('Command1').focus()")
            self.keys(Keys.ENTER)
            self.keys(Keys.ENTER)  # About, the first item
        self.assertTrue(self.element("frmAbout").is_displayed())

    def test_about_shows_the_identity_and_closes_three_ways(self):
        for closer in ("Enter", "Escape", "OK", "close box", "Enter after a click on the text"):
            with self.subTest(closer=closer):
                self.open_about(by_click=closer == "OK")
                self.assertEqual(" About ", self.text("frmAbout_caption"))
                self.assertEqual(
                    "Tolvi VAT Calculator\nVersion 1.0.10\ntolvi.example\nsupport@tolvi.example",
                    self.text("Text_about"))
                self.assertEqual("Copyright © Tolvi Software", self.text("frmAbout_Label1"))
                self.assertEqual("cmdOK", self.focused())
                self.assertTrue(self.driver.execute_script(
                    "return document.getElementById('picIcon').naturalWidth === 48"))
                {"Enter": lambda: self.keys(Keys.ENTER),
                 "Escape": lambda: self.keys(Keys.ESCAPE),
                 "OK": lambda: self.click("cmdOK"),
                 "close box": lambda: self.click("frmAbout_close"),
                 "Enter after a click on the text": lambda: (self.click("Text_about"),
                                                             self.keys(Keys.ENTER))}[closer]()
                self.assertFalse(self.element("frmAbout").is_displayed())
                self.assertEqual("Command1", self.focused())

    def test_the_window_takes_no_input_while_about_is_open(self):
        self.open_about()
        self.keys("5", "5")
        self.assertEqual("", self.text("Text_amount"))
        self.assertEqual(["0.00", "", "", "", "0.00"], self.results())
        self.assertTrue(self.element("frmAbout").is_displayed())
        self.keys(Keys.ESCAPE)
        self.assertEqual("Command1", self.focused())

    # The page on its own.

    def test_keeps_working_with_the_network_cut(self):
        self.driver.execute_cdp_cmd("Network.enable", {})
        self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
            "offline": True, "latency": 0, "downloadThroughput": -1, "uploadThroughput": -1})
        try:
            self.enter("Text_vat", "17.5")
            self.enter("Text_amount", "117")
            self.assertEqual("17.43", self.text("Text_vat_round"))
            self.open_about()
            self.assertTrue(self.driver.execute_script(
                "const icon = document.getElementById('picIcon');"
                "return icon.complete && icon.naturalWidth === 48"))
            self.keys(Keys.ENTER)
        finally:
            # The network domain stays on: the driver's network log needs it.
            self.driver.execute_cdp_cmd("Network.emulateNetworkConditions", {
                "offline": False, "latency": 0, "downloadThroughput": -1,
                "uploadThroughput": -1})

    # Copying and links.

    def test_copy_buttons_copy_the_displayed_text_and_say_so(self):
        self.enter("Text_vat", "17.5")
        self.enter("Text_amount", "10,000")
        for button, copied in [("Copy_vat", "1,489.36"), ("Copy_price", "8,510.64"),
                               ("Copy_total", "10,000.00")]:
            with self.subTest(button=button):
                self.set_clipboard("")
                self.click(button)
                self.assertEqual(copied, self.clipboard())
                self.assertEqual("Copied", self.driver.execute_script(
                    "return document.getElementById(arguments[0]).firstChild.data", button))
        self.assertEqual("Total copied", self.text("ResultsSummary"))
        self.driver.execute_async_script("setTimeout(arguments[0], 2100)")
        self.assertEqual("Copy total", self.text("Copy_total"))

    # The list.

    def list_length(self):
        return self.driver.execute_script(
            "return document.getElementById('List_rows').rows.length")

    def test_a_list_added_by_keys_is_kept_and_totalled_as_the_cli_totals_it(self):
        blocks = [("exclusive", "6", ["1.1111"] * 3), ("inclusive", "20", ["1.99"] * 36),
                  ("exclusive", "19", [str(i) for i in range(150)]),
                  ("exclusive", "19.0", [f"{i % 9}.{i}" for i in range(150)]),
                  ("inclusive", "7", [str(i * 31 % 997) for i in range(161)])]
        self.keys(Keys.ENTER)
        self.assertEqual("Nothing added to the list: there is no amount.", self.notice())
        rows = []
        for mode, rate, amounts in blocks:
            self.select_mode(mode)
            self.enter("Text_vat", rate)
            self.click("Text_amount")
            # Enter selects the amount: the next is typed over it.
            self.keys(*[key for amount in amounts for key in (amount, Keys.ENTER)])
            rows += [f"{mode}\t{amount}\t{rate}\n" for amount in amounts]
        self.assertEqual(["972", 500], [self.text("Text_amount"), self.list_length()])
        self.assertEqual("Line 500 added: VAT 63.59, price 908.41, total 972.00. 500 lines in "
                         "the list.", self.text("ResultsSummary"))
        # Remove the third line by a click, clear and undo by keys, reload.
        self.driver.find_element("css selector", "#List_rows tr:nth-child(3) button").click()
        del rows[2]
        self.assertEqual(["Remove line 3", "Line 3 removed: 1.1111 at 6 % VAT exclusive. 499 "
                          "lines in the list."], [self.driver.execute_script(
                              "return document.activeElement.textContent"),
                              self.text("ResultsSummary")])
        self.driver.execute_script("document.getElementById('Clear_list').focus()")
        self.keys(Keys.ENTER)
        self.assertEqual(["Undo_clear", True], [self.focused(), self.driver.execute_script(
            "return document.getElementById('List_lines').hidden")])
        self.keys(Keys.SPACE)
        self.load()
        # The totals as tolvi-vat-cli --totals gives them for the same rows, to the character.
        totals = subprocess.run([ARGS.cli, "--totals"], input="".join(rows), text=True,
                                capture_output=True, check=True).stdout
        self.click("Copy_list")
        copied = self.clipboard().replace("\r\n", "\n")
        self.assertEqual(totals, copied.split("\n\n", 1)[1])
        self.assertEqual(len(rows) + 1, copied.split("\n\n")[0].count("\n") + 1)
        all_vat = [cell.text for cell in self.driver.find_elements(
            "css selector", "#List_totals tbody:last-child tr:nth-child(2) td")]
        self.assertEqual(totals.split("\n")[-2].split("\t")[4:7], all_vat[:2] + [
            all_vat[2] or "0.00"])
        # A storage that refuses the list says so; the list still works for the visit.
        self.driver.execute_script("Storage.prototype.setItem = () => {"
                                   " throw new DOMException('full', 'QuotaExceededError'); }")
        self.enter("Text_amount", "5")
        self.click("Add_to_list")
        self.assertEqual("The list is not kept: this browser's storage is full. It stays for "
                         "this visit.", self.notice())
        self.assertEqual(["Text_amount", 500], [self.focused(), self.list_length()])
        self.driver.execute_script("localStorage['tolvi-vat-list /'] = '{'")
        self.load()
        self.assertEqual("The kept list could not be read: a new list starts.", self.notice())

    def test_a_link_carries_the_inputs_to_a_new_browser(self):
        self.click("Option_vat_exc")
        self.enter("Text_vat", "17.5")
        self.click("Text_amount")
        self.paste("1,050.5")
        history = self.driver.execute_script("return history.length")
        self.click("Copy_link")
        link = self.clipboard()
        self.assertEqual(self.origin + "/index.html#mode=exclusive&amount=1%2C050.5&rate=17.5",
                         link)
        # The address follows the typing without new history entries.
        self.click("Text_amount")
        self.keys(Keys.END, "0")
        self.driver.execute_async_script("setTimeout(arguments[0], 400)")
        self.assertTrue(self.driver.current_url.endswith("amount=1%2C050.50&rate=17.5"))
        self.assertEqual(history, self.driver.execute_script("return history.length"))
        with browser_session.chromium() as other:
            other.get(link)
            browser_session.wait_until_ready(other)
            shown = other.execute_script(
                "return ['Text_amount', 'Text_vat', 'Text_total', 'Option_vat_exc'].map((id) => {"
                " const e = document.getElementById(id);"
                " return e.type === 'radio' ? e.checked : e.value ?? e.textContent; })")
            self.assertEqual(["1,050.5", "17.5", "1,234.34", True], shown)

    def test_a_link_is_taken_as_a_paste_is(self):
        markup = "<img src=x id=injected>"
        inclusive, exclusive = [True, False], [False, True]
        rows = [  # fragment, amount, rate, mode, notice
            ("amount=" + "1" * 1001 + "&rate=5", "", "5", inclusive,
             "The link's amount was not taken: longer than 1000 characters"),
            ("amount=1%E2%80%AE00.05", "", "0", inclusive,
             "The link's amount was not taken: it holds invisible or direction-changing "
             "characters"),
            ("mode=sideways&amount=" + markup + "&rate=1D1", markup, "1D1", inclusive,
             TYPE_MISMATCH + " / Amount read as 0 / "
             "The link's mode was not taken: it is neither inclusive nor exclusive"),
            ("mode=", "", "0", inclusive,
             "The link's mode was not taken: it is neither inclusive nor exclusive"),
            ("rate=20", "", "20", inclusive, ""),
            ("Mode=EXCLUSIVE&Amount=7&RATE=5", "7", "5", exclusive, ""),
            ("mode=Inclusive&mode=exclusive&amount=7", "7", "0", inclusive, ""),
            ("mode=exclusive&amount=100", "100", "0", exclusive, ""),
        ]
        for fragment, amount, rate, mode, notice in rows:
            with self.subTest(fragment=fragment[:30]):
                self.driver.get("about:blank")
                self.driver.get(self.origin + "/index.html#" + fragment)
                browser_session.wait_until_ready(self.driver)
                self.assertEqual([amount, rate, mode, notice],
                                 [self.text("Text_amount"), self.text("Text_vat"), self.mode(),
                                  self.notice()])
                if not amount:  # nothing calculated, as when the page starts
                    self.assertEqual(["0.00", "", "", "", "0.00"], self.results())
                self.assertEqual(0, self.driver.execute_script(
                    "return document.querySelectorAll('#injected').length"))
        self.assertEqual([False, True], self.mode())
        self.assertEqual("100.00", self.text("Text_total"))
        # Under German settings a link's numbers in the German form enter in the calculator's,
        # and one that reads as two numbers is said which one it was taken for.
        with self.language("de-DE"):
            self.driver.get(self.origin + "/index.html#amount=1.234%2C56&rate=17.125")
            self.assertEqual(["1234.56", "17.125", "VAT % read as 17,125"],
                             [self.text("Text_amount"), self.text("Text_vat"), self.notice()])
        self.load()
        self.driver.get(self.origin + "/index.html#mode=exclusive&amount=100")
        # A link opened in the page at hand (a bookmark, the address bar) is taken too.
        self.driver.execute_script("location.hash = 'mode=inclusive&rate=25'")
        self.assertEqual(["100", "25", "20", [True, False]], [
            self.text("Text_amount"), self.text("Text_vat"), self.text("Text_vat_result"),
            self.mode()])
        # A link without a mode keeps the one selected.
        self.click("Option_vat_exc")
        self.driver.execute_script("location.hash = 'amount=200'")
        self.assertEqual(["200", "25", "50", [False, True]], [
            self.text("Text_amount"), self.text("Text_vat"), self.text("Text_vat_result"),
            self.mode()])
        # A link's value replaces the box's text: 500 characters fit where 600 stood.
        self.click("Text_amount")
        self.paste(repeat=["1", 600])
        self.driver.execute_script("location.hash = arguments[0]", "amount=" + "2" * 500)
        self.assertEqual(["2" * 500, AMOUNT_OVERFLOW], [self.text("Text_amount"), self.notice()])

    # Screens, zoom, spacing and access.

    def controls_too_small(self, min_target, min_font):
        """The visible controls smaller than min_target CSS px either way, and the visible texts
        smaller than min_font px."""
        return self.driver.execute_script(
            """
            const [minTarget, minFont] = arguments;
            const small = [];
            const visible = (e) => e.getClientRects().length > 0
                && !e.closest('.for-screen-readers');
            const targets = document.querySelectorAll(
                'input[type=text], label.option, button, a, [role=menuitem]');
            for (const e of targets) {
                const r = e.getBoundingClientRect();
                if (visible(e) && (r.width < minTarget || r.height < minTarget)) {
                    small.push(`${e.id || e.textContent}: ${r.width} x ${r.height}`);
                }
            }
            const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
            while (walker.nextNode()) {
                const e = walker.currentNode.parentElement;
                const size = parseFloat(getComputedStyle(e).fontSize);
                if (walker.currentNode.data.trim() && visible(e) && size < minFont) {
                    small.push(`${e.id || e.tagName}: ${size} px text`);
                }
            }
            return small;
            """, min_target, min_font)

    def test_sizes_follow_the_browser_font_size_and_wider_text_spacing_clips_nothing(self):
        rows = [  # width, default font size, the amount's font size, the window's layout
            (1280, 16, 21, True), (1600, 20, 26.25, True), (1280, 32, 32, False), (360, 16, 16, False),
            (320, 20, 20, False)]  # 1,280 px at 400 % zoom: 320 CSS px
        spacing = ("line-height: 1.5; letter-spacing: 0.12em; word-spacing: 0.16em",
                   "margin-bottom: 2em")
        for width, font, amount_font, window_layout in rows:
            with self.subTest(width=width, font=font):
                self.driver.execute_cdp_cmd("Page.setFontSizes", {"fontSizes": {"standard": font}})
                try:
                    with self.screen(width, 900, touch=False):
                        self.assertEqual(f"{amount_font:g}px", self.driver.execute_script(
                            "return getComputedStyle(document.getElementById('Text_amount'))"
                            ".fontSize"))
                        self.assertEqual(window_layout, self.driver.execute_script(
                            "return getComputedStyle(document.getElementById('Form1')).display")
                            == "block")
                        self.enter("Text_vat", "17.5")
                        self.enter("Text_amount", "1.2.3")
                        self.driver.execute_script(
                            """
                            const [all, paragraphs] = arguments;
                            for (const e of document.querySelectorAll('*')) {
                                for (const rule of (e.tagName === 'P' ? all + ';' + paragraphs
                                                    : all).split(';')) {
                                    const [name, value] = rule.split(':');
                                    e.style.setProperty(name.trim(), value.trim(), 'important');
                                }
                            }
                            """, *spacing)
                        self.next_frame()
                        clipped = self.driver.execute_script(
                            """
                            const clips = (e) => getComputedStyle(e).overflow !== 'visible'
                                && (e.scrollWidth > e.clientWidth + 1
                                    || e.scrollHeight > e.clientHeight + 1);
                            return Array.from(document.querySelectorAll(
                                    'label, output, button, p, h2, #Text_about'))
                                .filter((e) => e.getClientRects().length > 0
                                    && getComputedStyle(e).clipPath === 'none'
                                    && !e.closest('.for-screen-readers') && clips(e))
                                .map((e) => e.id || e.textContent);
                            """)
                        self.assertEqual([], clipped)
                        self.assertLessEqual(self.driver.execute_script(
                            "return document.documentElement.scrollWidth"), width)
                finally:
                    self.driver.execute_cdp_cmd("Page.setFontSizes",
                                                {"fontSizes": {"standard": 16}})

    def low_contrast_borders(self):
        """The boxes whose borders have less than 3:1 contrast with the window around them,
        which axe-core does not check (WCAG 1.4.11)."""
        return self.driver.execute_script(
            """
            const luminance = (color) => {
                const [r, g, b] = color.match(/[\\d.]+/g).slice(0, 3).map((v) => {
                    const c = v / 255;
                    return c <= 0.04045 ? c / 12.92 : ((c + 0.055) / 1.055) ** 2.4;
                });
                return 0.2126 * r + 0.7152 * g + 0.0722 * b;
            };
            const face = luminance(getComputedStyle(document.getElementById('Form1')).backgroundColor);
            return Array.from(document.querySelectorAll('#Form1 input[type=text], #Form1 output.result, #Form1 .push'))
                .filter((e) => {
                    const border = luminance(getComputedStyle(e).borderTopColor);
                    return (Math.max(border, face) + 0.05) / (Math.min(border, face) + 0.05) < 3;
                }).map((e) => e.id);
            """)

    def test_axe_finds_no_wcag_violations(self):
        with open(AXE, encoding="utf-8") as source:
            axe = source.read()
        for width in (1280, 360):
            for dark in (False, True):
                for about in (False, True):
                    with self.subTest(width=width, dark=dark, about=about), \
                            self.screen(width, dark=dark):
                        self.enter("Text_amount", "117")
                        self.keys(Keys.ENTER)  # a line in the list
                        self.enter("Text_amount", "1.2.3")  # and a notice
                        if about:
                            self.open_about()
                        self.assertEqual([], self.low_contrast_borders())
                        self.driver.execute_script(axe)
                        violations = self.driver.execute_async_script(
                            """
                            const done = arguments[0];
                            axe.run(document, { runOnly: { type: 'tag', values: [
                                'wcag2a', 'wcag2aa', 'wcag21a', 'wcag21aa', 'wcag22aa'] } })
                                .then((r) => done(r.violations.map((v) => v.id + ': '
                                    + v.nodes.map((n) => n.target.join(' ')).join(', '))),
                                      (e) => done([String(e)]));
                            """)
                        self.assertEqual([], violations)

    def test_loads_only_its_own_files_under_a_strict_policy(self):
        policy = self.driver.execute_script(
            "return document.querySelector('meta[http-equiv=Content-Security-Policy]').content")
        self.assertIn("default-src 'none'", policy)
        self.assertIn("script-src 'self' 'wasm-unsafe-eval'", policy)
        self.assertNotIn("unsafe-inline", policy)
        self.assertNotRegex(policy, r"'unsafe-eval'")
        self.load()
        requested = {urlsplit(url).path
                     for url in browser_session.requested_urls(self.driver, self.origin)}
        shipped = {"/" + name for name in os.listdir(ARGS.site)}
        self.assertLessEqual(requested, shipped)
        self.assertIn("/" + site_file("tolvi_calculator.wasm"), requested)
        self.assertFalse(self.driver.execute_script(
            "return document.cookie !== '' || localStorage.length + sessionStorage.length > 0"))
        for name in os.listdir(ARGS.site):
            if name.endswith((".js", ".html")):
                with self.subTest(file=name):
                    with open(os.path.join(ARGS.site, name), encoding="utf-8") as source:
                        text = source.read()
                    self.assertIsNone(re.search(r"\beval\(|new Function\(|<script>|\son\w+=",
                                                text))
                    self.assertIsNone(re.search(r"https?://(?!tolvi\.example|localhost:)", text))


class ReleaseTest(unittest.TestCase):
    """The release that release_site.py makes of the page's files, served from a folder of its
    own on a server of its own, as a web host serves an unpacked tarball."""

    EPOCH = 1_700_000_000

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="tolvi-release-")
        self.site = os.path.join(self.folder, "site")

    def tearDown(self):
        shutil.rmtree(self.folder, ignore_errors=True)

    def release(self, page=None, epoch=EPOCH, tarball=None, umask=None, site=None):
        """Releases the page's files (or those in `page`) into self.site (or `site`)."""
        command = [sys.executable, ARGS.release, "--page", page or ARGS.page,
                   "--site", site or self.site, "--source", self.folder, "--date", "2026-12-07"]
        if tarball:
            command += ["--tarball", tarball, "--folder", "tolvi-vat-web"]
        subprocess.run(command, check=True, env={**os.environ, "SOURCE_DATE_EPOCH": str(epoch)},
                       preexec_fn=(lambda: os.umask(umask)) if umask is not None else None)

    def changed_page(self, version):
        """A copy of the page's files as a later release would have them."""
        page = os.path.join(self.folder, f"page-{version}")
        shutil.copytree(ARGS.page, page)
        index = os.path.join(page, "index.html")
        with open(index, encoding="utf-8") as f:
            html = f.read()
        with open(index, "w", encoding="utf-8") as f:
            f.write(html.replace('<p id="Version">Version 1.0.10', f'<p id="Version">Version {version}'))
        for name in ("tolvi.css", "main_window.js"):
            with open(os.path.join(page, name), "a", encoding="utf-8") as f:
                f.write(f"/* {version} */\n")
        return page

    def visitor(self):
        return browser_session.chromium(network_log=False)

    def visit(self, driver, origin):
        """Opens the page, waits for it to be ready and for its service worker to keep the
        release, and answers with the version shown and the files the page loaded."""
        driver.get(origin + "/index.html")
        browser_session.wait_until_ready(driver)
        driver.execute_async_script(
            "navigator.serviceWorker.ready.then(() => arguments[0]())")
        return driver.execute_script(
            "return [document.getElementById('Version').textContent,"
            " performance.getEntriesByType('resource').map((r) => r.name.split('/').pop())]")

    def load_new_version(self, driver):
        """Waits for the notice of a new version and loads it with the notice's button; answers
        as visit() does."""
        notice = WebDriverWait(driver, 30).until(
            lambda d: d.find_elements("id", "NewVersionNotice"))[0]
        self.assertEqual("A new version is ready\nLoad it", notice.text)
        notice.find_element("tag name", "button").click()
        WebDriverWait(driver, 10).until(expected_conditions.staleness_of(notice))
        browser_session.wait_until_ready(driver)
        return driver.execute_script(
            "return [document.getElementById('Version').textContent,"
            " performance.getEntriesByType('resource').map((r) => r.name.split('/').pop())]")

    def wait_until_kept(self, driver):
        """Waits until the release in self.site is the one the browser keeps, alone."""
        with open(os.path.join(self.site, "sw.js"), encoding="utf-8") as worker:
            kept = re.search(r'"name": "(tolvi-\w+)"', worker.read()).group(1)
        driver.execute_async_script(
            """
            const [kept, done] = arguments;
            (function poll() {
                caches.keys().then((names) => names.join() === kept ? done()
                    : setTimeout(poll, 20));
            })();
            """, kept)

    def assert_calculates(self, driver):
        driver.find_element("id", "Text_amount").click()
        ActionChains(driver).send_keys("117").perform()
        self.assertEqual("117.00", driver.find_element("id", "Text_total").text)

    def test_a_reload_without_the_server_gives_a_working_calculator(self):
        self.release()
        with self.visitor() as driver:
            with browser_session.static_server(self.site) as origin:
                self.visit(driver, origin)
            driver.refresh()  # the server is gone
            browser_session.wait_until_ready(driver)
            self.assert_calculates(driver)
            # Installable: the manifest, its icons and a worker that answers offline.
            self.assertEqual({"installabilityErrors": []},
                             driver.execute_cdp_cmd("Page.getInstallabilityErrors", {}))

    def test_a_new_release_reaches_a_returning_visitor_without_mixing_files(self):
        self.release()
        later = os.path.join(self.folder, "later")
        self.release(self.changed_page("1.0.11"), epoch=self.EPOCH + 60, site=later)
        with self.visitor() as driver, browser_session.static_server(self.site) as origin:
            self.assertEqual("Version 1.0.10", self.visit(driver, origin)[0])
            # An upload stopped before the new index.html: the new worker finds a page that is
            # not its release's and does not take over; the old release works on.
            for name in set(os.listdir(later)) - {"index.html", "index.html.gz"}:
                shutil.copy2(os.path.join(later, name), self.site)
            driver.execute_async_script(
                """
                const done = arguments[0];
                navigator.serviceWorker.ready.then((registration) => registration.update())
                    .finally(function poll() {
                        navigator.serviceWorker.getRegistration().then((r) => r.installing
                            ? setTimeout(poll, 20) : done());
                    });
                """)
            os.rename(self.site, self.site + ".away")  # every request now answers 404
            driver.execute_cdp_cmd("Network.clearBrowserCache", {})  # the worker's files only
            driver.refresh()
            browser_session.wait_until_ready(driver)
            self.assertEqual("Version 1.0.10", driver.find_element("id", "Version").text)
            self.assert_calculates(driver)
            # The whole new release: the next visit finds it, and loading it shows it, with its
            # files only.
            os.rename(later, self.site)
            self.assertEqual("Version 1.0.10", self.visit(driver, origin)[0])  # kept, at once
            version, loaded = self.load_new_version(driver)
            self.assertEqual("Version 1.0.11", version)
            self.assertLessEqual(set(loaded), set(os.listdir(self.site)), "old files")
            self.assertIn(site_file("tolvi.css", self.site), loaded)
            self.assert_calculates(driver)
            # The new release becomes the one kept for visits without a network.
            self.wait_until_kept(driver)
            os.rename(self.site, later)
            driver.refresh()
            browser_session.wait_until_ready(driver)
            self.assertEqual("Version 1.0.11", driver.find_element("id", "Version").text)

    def test_a_rebuilt_or_rolled_back_release_reaches_a_returning_visitor(self):
        # The server answers a conditional request by the file's date, as python3 -m
        # http.server does: a release dated as the one the browser holds, or earlier, gets
        # "304 Not Modified" for index.html and sw.js.
        rebuilt = self.changed_page("1.0.19")  # the same commit: same date, same sizes
        later = self.changed_page("1.0.20")
        steps = [("first visit", None, self.EPOCH, "Version 1.0.10"),
                 ("rebuilt from the same commit", rebuilt, self.EPOCH, "Version 1.0.19"),
                 ("a later release", later, self.EPOCH + 60, "Version 1.0.20"),
                 ("rolled back", rebuilt, self.EPOCH, "Version 1.0.19")]
        with self.visitor() as driver, browser_session.static_server(self.site) as origin:
            for step, page, epoch, version in steps:
                with self.subTest(step=step):
                    self.release(page, epoch=epoch)
                    shown, loaded = self.visit(driver, origin)
                    if page:  # the release kept is shown at once, the new one when loaded
                        self.assertEqual(kept_version, shown)
                        shown, loaded = self.load_new_version(driver)
                    kept_version = version
                    self.assertEqual(version, shown)
                    self.assertLessEqual(set(loaded), set(os.listdir(self.site)),
                                         "files of another release")
                    self.wait_until_kept(driver)
            # The release last seen is the one kept whole for visits without a network.
            os.rename(self.site, self.site + ".away")
            driver.refresh()
            browser_session.wait_until_ready(driver)
            self.assertEqual("Version 1.0.19", driver.find_element("id", "Version").text)
            self.assert_calculates(driver)

    def test_a_page_that_cannot_start_says_why(self):
        self.release()
        wasm = site_file("tolvi_calculator.wasm", self.site)
        os.remove(os.path.join(self.site, wasm))
        with self.visitor() as driver, browser_session.static_server(self.site) as origin:
            for address, notice in [
                    (origin + "/index.html",
                     f"The calculator could not be loaded ({wasm}: 404 File not found)."),
                    ("file://" + self.site + "/index.html",
                     "This page must be served by a web server: opened as a file, the browser "
                     "does not run its calculator. Serve its folder with: python3 -m http.server "
                     f"--directory '{self.site}/' 8000 and open http://localhost:8000/")]:
                with self.subTest(address=address):
                    driver.get(address)
                    driver.execute_async_script(
                        "const done = arguments[0]; (function poll() {"
                        " document.getElementById('ErrorNotice').textContent ? done()"
                        " : setTimeout(poll, 10); })();")
                    self.assertEqual(notice, driver.find_element("id", "ErrorNotice").text)
                    self.assertTrue(
                        driver.find_element("id", "Text_amount").get_property("readOnly"))

    def test_the_tarball_is_the_same_under_any_umask_with_hashed_names_and_gz_copies(self):
        tarballs = []
        for umask in (0o022, 0o077):
            tarball = os.path.join(self.folder, f"{umask:o}.tar.gz")
            self.release(tarball=tarball, umask=umask)
            tarballs.append(tarball)
            on_disk = {name: os.stat(os.path.join(self.site, name)) for name in os.listdir(self.site)}
            with self.subTest(umask=f"{umask:o}"):
                self.assertEqual({0o644}, {s.st_mode & 0o777 for s in on_disk.values()})
                self.assertEqual({self.EPOCH}, {int(s.st_mtime) for s in on_disk.values()})
                self.assertEqual(0o755, os.stat(self.site).st_mode & 0o777)
        with open(tarballs[0], "rb") as a, open(tarballs[1], "rb") as b:
            self.assertEqual(a.read(), b.read())
        with tarfile.open(tarballs[0]) as tar:
            members = {m.name: m for m in tar.getmembers()}
            files = {name.split("/", 1)[1]: tar.extractfile(m).read()
                     for name, m in members.items() if m.isfile()}
        self.assertEqual({(m.mode, m.mtime, m.uid) for m in members.values() if m.isfile()},
                         {(0o644, self.EPOCH, 0)})
        self.assertEqual(0o755, members["tolvi-vat-web"].mode)
        # Every file but the page and the worker is named by its content.
        plain = {name for name in files if not re.search(r"\.[0-9a-f]{12}\.\w+(\.gz)?$", name)}
        self.assertEqual({"index.html", "index.html.gz", "sw.js", "sw.js.gz"}, plain)
        for name in ("index.html", site_file("tolvi_calculator.wasm", self.site),
                     site_file("main_window.js", self.site), site_file("tolvi.css", self.site)):
            self.assertIn(name + ".gz", files)
        # The worker keeps exactly the release's files, each with its SHA-256.
        worker = files["sw.js"].decode()
        listed = json.loads(re.search(r"const kRelease = (\{.*?\n\});", worker, re.S).group(1))
        self.assertEqual({name: hashlib.sha256(content).hexdigest()
                          for name, content in files.items()
                          if name != "sw.js" and not name.endswith(".gz")}, listed["files"])


def main():
    global ARGS
    parser = argparse.ArgumentParser()
    parser.add_argument("--site", required=True)
    parser.add_argument("--page", required=True)
    parser.add_argument("--release", required=True)
    parser.add_argument("--worked", required=True)
    parser.add_argument("--entry", required=True)
    parser.add_argument("--cli", required=True)
    ARGS, rest = parser.parse_known_args()
    unittest.main(argv=[sys.argv[0]] + rest, verbosity=2)


if __name__ == "__main__":
    main()
