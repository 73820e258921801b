#!/usr/bin/python3
"""Plays one deal of Orvala by keys alone and follows it through the accessible tree.

Run by scripts/a11y-check, inside a private D-Bus session and with DISPLAY set to a private X
server; the session bus starts the accessibility bus (at-spi2-core) when it is first asked for
it, and the check starts the program with its accessible tree always on:

    a11y_check.py --program BUILD/bin/orvala --home DIR --out DIR [--seed N] [--limit S]
                  [--bid-up-to N] [--words FILE]

The program starts on an empty program folder (a new installation) with a fixed seed. The check
leaves the title with a key, looks over the main menu's buttons, tabs to "New Player", signs a new
member in and plays one whole deal against the computer: every step reads the tree (the action
buttons, the hand's cards, the table, the seats and the status bar), presses the key a person
would press, and checks the step's effect in the tree. It ends when the deal's scores are
announced. On a failure it prints what it saw, the tree, and saves a screenshot in --out; the
exit status is 0 when the deal was played and checked, 1 when a check failed, 2 when the check
itself could not run.

There is no window manager on the private display: when a window of the program opens or closes,
the check gives the X input focus to the window a person would be looking at, as a window manager
would. Every other input is a key press through the X server (xdotool).

The words it expects (button captions, card names, the announcements) are read from the word
table data/words.tsv in English, the program's default language.
"""

import argparse
import os
import re
import signal
import subprocess
import sys
import time
import traceback

try:
    import gi

    gi.require_version("Atspi", "2.0")
    from gi.repository import GLib
    import pyatspi
except (ImportError, ValueError) as error:
    print(f"a11y-check: the AT-SPI Python bindings are missing ({error}); "
          "scripts/install-deps installs them", file=sys.stderr)
    sys.exit(2)

REPO = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
WORDS = os.path.join(REPO, "data", "words.tsv")

# How long one step may take before the check calls it stuck: the computer players think and
# the cards fly at the program's own pace.
STEP_TIMEOUT = 20.0
POLL = 0.05
MEMBER_NAME = "Anna"
MEMBER_PASSWORD = "pw42"


class CheckFailed(Exception):
    pass


class SetupFailed(Exception):
    pass


def log(text):
    print(f"a11y-check: {text}", flush=True)


# ---------------------------------------------------------------------------------------------
# The word table


def load_words(path):
    """The English text of every row of the word table, by row name."""
    words = {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            if line.startswith("#") or "\t" not in line:
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) >= 2:
                words[fields[0]] = fields[1]
    return words


class Words:
    def __init__(self, table):
        self.table = table

    def __getitem__(self, row):
        if row not in self.table:
            raise SetupFailed(f"the word table has no row {row}")
        return self.table[row]

    def pattern(self, row):
        """The row as a regular expression, each %N standing for any text."""
        parts = re.split(r"(%\d)", self[row])
        return "".join("(.+)" if re.fullmatch(r"%\d", p) else re.escape(p) for p in parts)

    def card_names(self):
        ranks = [self[r] for r in ("RankNine", "RankTen", "RankJack", "RankQueen", "RankKing",
                                   "RankAce")]
        suits = [self[s] for s in ("SuitOfHearts", "SuitOfDiamonds", "SuitOfClubs",
                                   "SuitOfSpades")]
        fmt = self["CardNameFormat"]
        return {fmt.replace("%1", r).replace("%2", s) for r in ranks for s in suits}


# ---------------------------------------------------------------------------------------------
# The accessible tree


def has_state(acc, state):
    try:
        return acc.getState().contains(state)
    except GLib.Error:
        return False


def role_of(acc):
    try:
        return acc.getRole()
    except GLib.Error:
        return None


def children(acc):
    try:
        return [c for c in (acc.getChildAtIndex(i) for i in range(acc.childCount)) if c]
    except GLib.Error:
        return []


def showing(acc):
    return has_state(acc, pyatspi.STATE_SHOWING)


def walk(acc, only_showing=True):
    """Every object below `acc`, depth first; hidden widgets and their subtrees left out."""
    for c in children(acc):
        # The table's list items carry no "showing" of their own in every Qt version.
        if only_showing and not showing(c) and role_of(c) != pyatspi.ROLE_LIST_ITEM:
            continue
        yield c
        yield from walk(c, only_showing)


def describe(acc):
    flags = []
    for name, state in (("sensitive", pyatspi.STATE_SENSITIVE), ("focused", pyatspi.STATE_FOCUSED),
                        ("selected", pyatspi.STATE_SELECTED), ("showing", pyatspi.STATE_SHOWING)):
        if has_state(acc, state):
            flags.append(name)
    try:
        text = f"[{acc.getRoleName()}] {acc.name!r}"
        if acc.description:
            text += f" ({acc.description!r})"
    except GLib.Error as error:
        return f"[gone: {error.message}]"
    return text + (" " + ",".join(flags) if flags else "")


def dump(acc, depth=0, out=None):
    out = [] if out is None else out
    out.append("  " * depth + describe(acc))
    for c in children(acc):
        if showing(c) or role_of(c) == pyatspi.ROLE_LIST_ITEM or depth == 0:
            dump(c, depth + 1, out)
    return out


class Card:
    def __init__(self, acc):
        self.name = acc.name
        self.sensitive = has_state(acc, pyatspi.STATE_SENSITIVE)
        self.focused = has_state(acc, pyatspi.STATE_FOCUSED)
        self.selected = has_state(acc, pyatspi.STATE_SELECTED)

    def __repr__(self):
        marks = ("*" if self.sensitive else "") + ("<" if self.focused else "") + \
                ("+" if self.selected else "")
        return self.name + marks


class Snapshot:
    """What the tree shows at one moment: the program's windows and the table's objects."""

    def __init__(self, app, main_name):
        app.clearCache()
        windows = [w for w in children(app) if showing(w)]
        # The main window is a frame named as on the title; dialogs and message windows are
        # dialogs or alerts whatever their names (a message window may be named as the main).
        dialog_roles = (pyatspi.ROLE_DIALOG, pyatspi.ROLE_ALERT, pyatspi.ROLE_FILE_CHOOSER)
        self.main = next((w for w in windows
                          if w.name == main_name and role_of(w) not in dialog_roles), None)
        self.dialogs = [w for w in windows
                        if w is not self.main and role_of(w) not in (
                            pyatspi.ROLE_TOOL_TIP, pyatspi.ROLE_POPUP_MENU, pyatspi.ROLE_MENU)]
        self.dialog_names = [d.name for d in self.dialogs]
        self.buttons = {}  # "F7"/"F8" -> (caption, sensitive)
        self.push_buttons = []  # (name, sensitive, focused) of every showing push button
        self.hand = None  # list of Card while the table is shown
        self.table = None
        self.seats = []
        self.status = None
        if self.main is None:
            return
        for acc in walk(self.main):
            role = role_of(acc)
            if role == pyatspi.ROLE_PUSH_BUTTON:
                entry = (acc.name, has_state(acc, pyatspi.STATE_SENSITIVE),
                         has_state(acc, pyatspi.STATE_FOCUSED))
                self.push_buttons.append(entry)
                for key in ("F7", "F8"):
                    if re.search(rf"\b{key}\b", acc.description or ""):
                        self.buttons[key] = entry[:2]
            elif role == pyatspi.ROLE_LIST and acc.name == self.hand_name:
                self.hand = [Card(c) for c in children(acc)]
            elif role == pyatspi.ROLE_LIST and acc.name == self.table_name:
                self.table = [c.name for c in children(acc)]
            elif role == pyatspi.ROLE_LABEL and re.match(r"^[^,]+, -?\d+(, |$)", acc.name or ""):
                self.seats.append(acc.name)
            elif role == pyatspi.ROLE_STATUS_BAR:
                # The last part of the last announcement (a batch's parts are joined by "; ").
                self.status = acc.name.split("; ")[-1]

    hand_name = "Your hand"
    table_name = "Table"

    def button(self, key):
        return self.buttons.get(key, (None, False))

    def sensitive(self, key):
        return self.button(key)[1]

    def focused_card(self):
        return next((c for c in self.hand or [] if c.focused), None)

    def focused_button(self):
        """The place among the showing push buttons and the name of the focused one."""
        return next(((i, b[0]) for i, b in enumerate(self.push_buttons) if b[2]), None)

    def key(self):
        """Everything a step may change, to tell one moment from the next."""
        return (tuple(self.dialog_names), tuple(sorted(self.buttons.items())),
                tuple(repr(c) for c in self.hand or []), tuple(self.table or []),
                tuple(self.seats), self.status, tuple(self.push_buttons))

    def summary(self):
        parts = [f"F7={self.button('F7')}", f"F8={self.button('F8')}"]
        if self.hand is not None:
            parts.append(f"hand={self.hand}")
        if self.table is not None:
            parts.append(f"table={self.table}")
        if self.dialogs:
            parts.append(f"dialogs={self.dialog_names}")
        parts.append(f"status={self.status!r}")
        return " ".join(parts)


# ---------------------------------------------------------------------------------------------
# The program under check


class Session:
    def __init__(self, args):
        self.args = args
        self.program = None
        self.app = None
        self.main_name = None
        self.main_window = None  # X window id
        self.deadline = time.monotonic() + args.limit
        self.announced = []  # every status bar name the events told, in order
        self.menu = None  # the popup menu that shows, as its event told
        self.focused = None  # (role, name) of what took the focus last, as its event told

    # -- processes ----------------------------------------------------------------------------

    def start(self):
        # Qt exports its tree without a screen reader running; English is the default.
        env = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", LANG="C.UTF-8")
        env.pop("QT_QPA_PLATFORM", None)
        os.makedirs(self.args.home, exist_ok=True)
        self.program = subprocess.Popen(
            [self.args.program, "--home", self.args.home, "--seed", str(self.args.seed)],
            env=env, stdout=subprocess.DEVNULL, stderr=open(self.out("orvala.log"), "w"))

    def stop(self):
        """Ends the program; the buses end with the session that scripts/a11y-check ends."""
        p = self.program
        if p is None or p.poll() is not None:
            return
        p.terminate()
        try:
            p.wait(timeout=5)
        except subprocess.TimeoutExpired:
            p.kill()
            p.wait()

    def out(self, name):
        return os.path.join(self.args.out, name)

    # -- waiting ------------------------------------------------------------------------------

    def pump(self):
        context = GLib.MainContext.default()
        while context.pending():
            context.iteration(False)

    def check_alive(self):
        if self.program.poll() is not None:
            raise CheckFailed(f"the program ended with status {self.program.returncode} "
                              f"(its output: {self.out('orvala.log')})")

    def wait_for(self, what, test, timeout=STEP_TIMEOUT):
        """Polls the tree until `test(snapshot)` holds; returns that snapshot."""
        end = min(time.monotonic() + timeout, self.deadline)
        last = None
        while True:
            self.pump()
            self.check_alive()
            last = self.snapshot()
            if test(last):
                return last
            if time.monotonic() > end:
                if time.monotonic() > self.deadline:
                    raise CheckFailed(f"out of time ({self.args.limit} s) waiting for {what}; "
                                      f"last seen: {last.summary()}")
                raise CheckFailed(f"{what} did not happen within {timeout:.0f} s; "
                                  f"last seen: {last.summary()}")
            time.sleep(POLL)

    def snapshot(self):
        return Snapshot(self.app, self.main_name)

    def find_application(self, timeout=30.0):
        desktop = pyatspi.Registry.getDesktop(0)
        end = time.monotonic() + timeout
        while time.monotonic() < end:
            self.check_alive()
            for app in children(desktop):
                try:
                    if app.get_process_id() == self.program.pid:
                        return app
                except GLib.Error:
                    continue
            time.sleep(0.1)
        raise CheckFailed(f"the program did not appear in the accessibility registry within "
                          f"{timeout:.0f} s")

    # -- keys and windows ---------------------------------------------------------------------

    def xdotool(self, *args, check=True):
        result = subprocess.run(["xdotool", *args], capture_output=True, text=True, timeout=10)
        if check and result.returncode != 0:
            raise SetupFailed(f"xdotool {' '.join(args)}: {result.stderr.strip()}")
        return result.stdout.split()

    def visible_windows(self):
        return self.xdotool("search", "--onlyvisible", "--pid", str(self.program.pid),
                            check=False)

    def focus_window(self, title=None):
        """Gives the X input focus to the main window, or to the program's window `title`."""
        target = self.main_window
        if title is not None:
            named = self.xdotool("search", "--onlyvisible", "--pid", str(self.program.pid),
                                 "--name", "^" + re.escape(title) + "$", check=False)
            others = [w for w in named if w != self.main_window]
            if not others:
                others = [w for w in self.visible_windows() if w != self.main_window]
            if others:
                target = others[-1]
        focused = self.xdotool("getwindowfocus", check=False)
        if focused != [target]:
            self.xdotool("windowfocus", "--sync", target, check=False)

    def key(self, *keys, window=None):
        self.focus_window(window)
        self.xdotool("key", "--clearmodifiers", *keys)

    def type_text(self, text, window=None):
        self.focus_window(window)
        self.xdotool("type", "--delay", "40", text)

    # -- failure ------------------------------------------------------------------------------

    def report_failure(self, reason):
        log(f"FAILED: {reason}")
        if self.app is not None:
            try:
                tree = "\n".join(dump(self.app))
            except Exception as error:  # the program may be gone
                tree = f"(the tree cannot be read: {error})"
            with open(self.out("failure-tree.txt"), "w") as f:
                f.write(tree + "\n")
            print("a11y-check: the accessible tree at the failure:\n" + tree, flush=True)
        shot = self.out("failure.png")
        try:
            xwd = subprocess.run(["xwd", "-root", "-silent"], capture_output=True, timeout=20)
            subprocess.run(["convert", "xwd:-", shot], input=xwd.stdout, timeout=20, check=True)
            log(f"screenshot: {shot}")
        except (OSError, subprocess.SubprocessError) as error:
            log(f"no screenshot ({error})")
        if self.announced:
            log("announcements heard: " + " | ".join(self.announced))


# ---------------------------------------------------------------------------------------------
# The walk through the program


class Check:
    def __init__(self, session, words):
        self.s = session
        self.w = words
        self._card_names = None
        self.steps = 0
        self.played = []  # the cards the person played, in order
        self.given = []  # the cards the person gave as declarer

    @property
    def card_names(self):
        if self._card_names is None:
            self._card_names = self.w.card_names()
        return self._card_names

    def step(self, text):
        self.steps += 1
        log(f"step {self.steps}: {text}")

    # -- title and menu -----------------------------------------------------------------------

    def title_and_menu(self):
        s = self.s
        s.app = s.find_application()
        log(f"the program is in the registry as {s.app.name!r}")
        if s.app.name.lower() != "orvala":
            raise CheckFailed(f"the application is named {s.app.name!r}, not 'orvala'")
        s.main_window = s.xdotool("search", "--sync", "--onlyvisible", "--pid",
                                  str(s.program.pid))[0]
        # On the title the main window is the program's one window.
        s.wait_for("the main window in the tree",
                   lambda _: any(showing(w) for w in children(s.app)), 10)
        s.main_name = next(w.name for w in children(s.app) if showing(w))
        menu = [self.w[r] for r in ("NewPlayer", "TopTen", "Options", "History", "Mode",
                                    "Exit")]
        if any(b[0] in menu for b in s.snapshot().push_buttons):
            raise CheckFailed("the main menu's buttons show on the title screen")
        self.step("a key leaves the title")
        s.key("space")
        snap = s.wait_for("the main menu", lambda sn: all(
            any(b[0] == caption for b in sn.push_buttons) for caption in menu))
        log("menu buttons: " + ", ".join(
            repr(b[0]) + ("" if b[1] else " (insensitive)") for b in snap.push_buttons))
        unnamed = sum(1 for b in snap.push_buttons if not b[0].strip())
        if unnamed:
            raise CheckFailed(f"{unnamed} of the menu's {len(snap.push_buttons)} buttons have "
                              "no accessible name")

    def tab_to(self, caption, limit=60):
        """Tab over the menu until `caption` has the focus; every Tab must move it."""
        s = self.s
        seen = []
        for _ in range(limit):
            now = s.snapshot().focused_button()
            if now is not None and now[1] == caption:
                log(f"Tab reached {caption!r} over {[name for _, name in seen]}")
                return
            seen.append(now or (None, None))
            s.key("Tab")
            s.wait_for(f"Tab to move the focus from {now}",
                       lambda sn: sn.focused_button() not in (None, now), 3)
        raise CheckFailed(f"{limit} Tabs never reached {caption!r}; the focus went over {seen}")

    def sign_in(self):
        s = self.s
        self.step(f"Tab to {self.w['NewPlayer']!r} and Enter")
        self.tab_to(self.w["NewPlayer"])
        s.key("Return")
        snap = s.wait_for("the new member's login window",
                          lambda sn: any(self.password_fields(d) >= 2 for d in sn.dialogs))
        login = next(d for d in snap.dialogs if self.password_fields(d) >= 2)
        title = login.name
        self.step(f"type a name and the password twice in {title!r}")
        s.type_text(MEMBER_NAME, window=title)
        s.key("Tab", window=title)
        s.type_text(MEMBER_PASSWORD, window=title)
        s.key("Tab", window=title)
        s.type_text(MEMBER_PASSWORD, window=title)
        # What was typed, as a screen reader reads it back: the name, and the password's length
        # twice (a password field tells no more).
        wanted = sorted([MEMBER_NAME, "*" * len(MEMBER_PASSWORD), "*" * len(MEMBER_PASSWORD)])
        seen = []

        def typed(sn):
            seen[:] = self.field_texts(sn, title)
            return sorted(seen) == wanted

        try:
            s.wait_for("the typed name and passwords in the login window", typed, 5)
        except CheckFailed as failure:
            raise CheckFailed(f"{failure}; the fields read {seen}") from None
        s.key("Return", window=title)
        snap = s.wait_for("the table after the login",
                          lambda sn: title not in sn.dialog_names and sn.hand is not None)
        return snap

    @staticmethod
    def password_fields(dialog):
        return sum(1 for a in walk(dialog) if role_of(a) == pyatspi.ROLE_PASSWORD_TEXT)

    @staticmethod
    def field_texts(snap, title):
        texts = []
        for d in snap.dialogs:
            if d.name != title:
                continue
            for a in walk(d):
                role = role_of(a)
                if role not in (pyatspi.ROLE_TEXT, pyatspi.ROLE_PASSWORD_TEXT):
                    continue
                try:
                    t = a.queryText()
                    count = t.characterCount
                    # A password field gives its length and never its letters.
                    texts.append("*" * count if role == pyatspi.ROLE_PASSWORD_TEXT else
                                 t.getText(0, count))
                except (NotImplementedError, GLib.Error):
                    continue
        return texts

    # -- the table ----------------------------------------------------------------------------

    def check_table(self, snap):
        """What every moment at the table must show."""
        if snap.table is None:
            raise CheckFailed(f"the table has no list named {Snapshot.table_name!r}")
        if snap.status is None:
            raise CheckFailed("the table has no status bar")
        if len(snap.seats) != 3:
            raise CheckFailed(f"the table should have three seat panels, the tree has {snap.seats}")
        if not any(seat.startswith(MEMBER_NAME + ",") for seat in snap.seats):
            raise CheckFailed(f"no seat panel is named for {MEMBER_NAME}: {snap.seats}")
        for key in ("F7", "F8"):
            if key not in snap.buttons:
                raise CheckFailed(f"no push button tells the key {key} in its description")
        names = [c.name for c in snap.hand]
        for name in names + snap.table:
            if name not in self.card_names:
                raise CheckFailed(f"{name!r} is not the name of a card")
        if len(set(names)) != len(names):
            raise CheckFailed(f"the hand names a card twice: {names}")
        if set(names) & set(snap.table):
            raise CheckFailed(f"a card is both in the hand and on the table: {names} {snap.table}")
        focused = [c for c in snap.hand if c.focused]
        if len(focused) > 1:
            raise CheckFailed(f"more than one card of the hand is focused: {snap.hand}")

    def context_menu(self):
        """Shift+F10 opens the right-button menu at the table, Down goes to its first item,
        Escape closes it. A popup menu is no child of the application in the tree: a screen
        reader learns of it, and of its items, from the events."""
        s = self.s
        leave = self.w["ExitToMenu"]
        self.step("Shift+F10 opens the right-button menu")
        s.key("shift+F10")
        s.wait_for("the right-button menu to open", lambda _: s.menu is not None, 5)
        items = [a.name for a in walk(s.menu) if role_of(a) == pyatspi.ROLE_MENU_ITEM]
        log(f"the menu offers: {items}")
        if leave not in items:
            raise CheckFailed(f"the right-button menu at the table should offer {leave!r}")
        # The menu holds the keyboard now: its keys go straight to the X server.
        self.step("Down goes to the menu's first item")
        s.xdotool("key", "Down")
        s.wait_for("a menu item to take the focus",
                   lambda _: s.focused is not None and s.focused[0] == pyatspi.ROLE_MENU_ITEM and
                   s.focused[1] in items, 5)
        self.step(f"Escape closes the menu over {s.focused[1]!r}")
        s.xdotool("key", "Escape")
        s.wait_for("the menu to close and the window to have the focus again",
                   lambda _: s.menu is None and s.focused is not None and
                   s.focused[0] != pyatspi.ROLE_MENU_ITEM, 5)

    def settled(self):
        """The tree once it has stopped changing for a moment (the cards fly, the computer
        players move at their pace); a dialog or a step for the person ends the wait."""
        s = self.s
        state = {"key": None, "since": 0.0}

        def quiet(snap):
            now = time.monotonic()
            if snap.key() != state["key"]:
                state["key"], state["since"] = snap.key(), now
                return False
            return now - state["since"] >= 0.3

        return s.wait_for("the table to settle", quiet)

    def person_may_act(self, snap):
        return bool(snap.dialogs) or snap.sensitive("F7") or snap.sensitive("F8") or \
            any(c.sensitive for c in snap.hand or [])

    def play_deal(self, snap):
        s = self.s
        self.check_table(snap)
        if snap.button("F7") != (self.w["ToBegin"], True):
            raise CheckFailed(f"a fresh deal should offer {self.w['ToBegin']!r} on F7: "
                              f"{snap.summary()}")
        self.scores = scores = re.compile("^" + self.w.pattern("SpokenDealScores") + "$")
        trick = re.compile("^" + self.w.pattern("SpokenTakesTrick") + "$")
        if len(snap.hand) != 7:
            raise CheckFailed(f"a fresh deal should give the person 7 cards: {snap.hand}")
        log(f"dealt: {', '.join(c.name for c in snap.hand)}")
        self.context_menu()
        while True:
            if self.steps > 200:
                raise CheckFailed("200 steps and the deal is not over")
            snap = s.wait_for("a step for the person", lambda sn: self.person_may_act(sn) or
                              bool(scores.match(sn.status or "")))
            snap = self.settled()
            if snap.dialogs:
                self.answer_dialog(snap)
                continue
            self.check_table(snap)
            if scores.match(snap.status or ""):
                break
            if not self.person_may_act(snap):
                continue
            f7 = snap.button("F7")
            if f7 == (self.w["ToDistributeCards"], True):
                self.distribute(snap)
            elif any(c.sensitive for c in snap.hand) and not snap.sensitive("F7"):
                if f7[0] == self.w["ToDistributeCards"]:
                    self.choose(snap)
                else:
                    self.play(snap)
            elif f7[0] and f7[0].startswith(self.w["IPlayOn"]) and snap.sensitive("F7"):
                self.bid(snap)
            elif snap.sensitive("F7"):
                if f7[0] == self.w["NextRound"]:
                    raise CheckFailed("the deal is over but its scores were not announced: "
                                      f"{snap.summary()}")
                if len(snap.table) == 3 and self.played:
                    self.gather(snap)
                else:
                    self.press("F7", snap)
            else:
                raise CheckFailed(f"only {self.w['Painting']!r} or the like is left to press: "
                                  f"{snap.summary()}")
        tricks = sum(1 for a in s.announced if trick.match(a))
        self.finish(snap, tricks)

    def press(self, key, snap):
        s = self.s
        caption = snap.button(key)[0]
        self.step(f"{key} presses {caption!r}")
        before = snap.key()
        status = snap.status
        s.key(key)
        after = s.wait_for(f"{key} ({caption!r}) to change the table",
                           lambda sn: sn.key() != before, 10)
        if after.button(key) == (caption, True) and after.status == status and \
                not after.dialogs and after.hand == snap.hand:
            raise CheckFailed(f"{key} ({caption!r}) changed nothing: {after.summary()}")
        return after

    def gather(self, snap):
        """F7 on a full table gathers the trick: the table empties and its winner is told."""
        s = self.s
        heard = len(s.announced)
        trick = re.compile("^" + self.w.pattern("SpokenTakesTrick") + "$")
        self.press("F7", snap)
        s.wait_for("the trick to be gathered and its winner announced",
                   lambda sn: not sn.table and any(trick.match(a) for a in s.announced[heard:]),
                   10)

    def bid(self, snap):
        caption = snap.button("F7")[0]
        figure = re.search(r"\d+", caption)
        raise_to = int(figure.group()) if figure else 0
        if raise_to <= self.s.args.bid_up_to or not snap.sensitive("F8"):
            self.press_bid("F7", snap, str(raise_to))
        else:
            self.press_bid("F8", snap, self.w["Pass"])

    def press_bid(self, key, snap, said):
        s = self.s
        heard = len(s.announced)
        self.press(key, snap)
        # The person's own bid is announced with the person's name.
        mine = re.compile(re.escape(MEMBER_NAME) + r"\b.*" + re.escape(said))
        s.wait_for(f"the announcement of {MEMBER_NAME}'s {said!r}",
                   lambda sn: any(mine.search(a) for a in s.announced[heard:]) or
                   bool(mine.search(sn.status or "")), 10)

    def focus_card(self, snap, wanted):
        """Right (then Left, from the hand's end) until a card with `wanted(card)` has the
        focus; every press must move the focus while there is one to move to."""
        s = self.s
        direction = "Right"
        for _ in range(2 * len(snap.hand) + 2):
            card = snap.focused_card()
            if card is not None and wanted(card):
                return card
            s.key(direction)
            before = card.name if card else None
            try:
                snap = s.wait_for(f"{direction} to move the focus",
                                  lambda sn: sn.focused_card() is not None and
                                  sn.focused_card().name != before, 3)
            except CheckFailed:
                if direction == "Left" or card is None:
                    raise
                direction = "Left"  # the focus stands at the right end of the hand
                snap = s.snapshot()
        raise CheckFailed(f"the keys never focused a card to use: {snap.hand}")

    def play(self, snap):
        s = self.s
        if not self.played:
            # Play begins under a contract, which the declarer's seat panel tells.
            contract = re.compile(", " + self.w.pattern("SpokenPlays") + "(, |$)")
            declarers = [seat for seat in snap.seats if contract.search(seat)]
            if len(declarers) != 1:
                raise CheckFailed(f"at the first card one seat should tell its contract: "
                                  f"{snap.seats}")
            log(f"the contract: {declarers[0]!r}")
        mine = [seat for seat in snap.seats if seat.startswith(MEMBER_NAME + ",")]
        if not mine[0].endswith(", " + self.w["SpokenToMove"]):
            raise CheckFailed(f"a card may be played, but {MEMBER_NAME}'s panel does not tell "
                              f"the turn: {mine[0]!r}")
        card = self.focus_card(snap, lambda c: c.sensitive)
        self.step(f"Enter plays the focused {card.name}")
        count = len(snap.hand)
        heard = len(s.announced)
        trick = re.compile("^" + self.w.pattern("SpokenTakesTrick") + "$")
        s.key("Return")
        # The card lies on the table until the trick is gathered, which is announced.
        try:
            after = s.wait_for(f"{card.name} to leave the hand for the table",
                               lambda sn: sn.hand is not None and len(sn.hand) == count - 1 and
                               (card.name in (sn.table or []) or
                                any(trick.match(a) for a in s.announced[heard:])), 10)
        except CheckFailed:
            now = s.snapshot()
            left = next((c for c in now.hand or [] if c.name == card.name), None)
            if left is not None and left.sensitive and left.focused:
                raise CheckFailed(f"Enter on {card.name}, focused and playable, played nothing: "
                                  f"the key was lost; {now.summary()}") from None
            raise
        if any(c.name == card.name for c in after.hand):
            raise CheckFailed(f"{card.name} is still in the hand: {after.hand}")
        self.played.append(card.name)

    def choose(self, snap):
        s = self.s
        card = self.focus_card(snap, lambda c: c.sensitive and not c.selected)
        self.step(f"Enter chooses {card.name} to give")
        s.key("Return")
        s.wait_for(f"{card.name} to be chosen",
                   lambda sn: any(c.name == card.name and c.selected for c in sn.hand), 10)
        self.given.append(card.name)

    def distribute(self, snap):
        s = self.s
        chosen = [c.name for c in snap.hand if c.selected]
        if sorted(chosen) != sorted(self.given[-2:]):
            raise CheckFailed(f"the chosen cards {chosen} are not the two chosen by keys "
                              f"{self.given[-2:]}")
        count = len(snap.hand)
        self.press("F7", snap)
        after = s.wait_for("the two chosen cards to leave the hand",
                           lambda sn: sn.hand is not None and len(sn.hand) == count - 2, 10)
        if set(chosen) & {c.name for c in after.hand}:
            raise CheckFailed(f"a given card is still in the hand: {after.hand}")

    def answer_dialog(self, snap):
        s = self.s
        dialog = snap.dialogs[-1]
        title = dialog.name
        texts = [a.name for a in walk(dialog) if role_of(a) == pyatspi.ROLE_LABEL and a.name]
        self.step(f"Enter answers the window {title!r} {texts[:4]}")
        s.key("Return", window=title)
        s.wait_for(f"the window {title!r} to close", lambda sn: title not in sn.dialog_names, 10)

    def finish(self, snap, tricks):
        s = self.s
        log(f"scores announced: {snap.status!r}")
        names = [seat.split(",")[0] for seat in snap.seats]
        for name in names:
            if name not in snap.status:
                raise CheckFailed(f"the scores announcement leaves out {name}: {snap.status!r}")
        if s.announced[-1] != snap.status:
            raise CheckFailed(f"the scores should be the last announcement: {s.announced}")
        said = [a for a in s.announced if self.scores.match(a)]
        if len(said) != 1:
            raise CheckFailed(f"the deal's scores should be announced once, not {len(said)} "
                              f"times: {s.announced}")
        if not self.played and len(snap.hand) == 8 and tricks == 0:
            # A computer declarer may give the deal up before play: scored without tricks.
            log("the declarer gave the deal up before play")
        else:
            if snap.hand:
                raise CheckFailed(f"the scores were announced with cards in the hand: "
                                  f"{snap.hand}")
            if len(self.played) != 8:
                raise CheckFailed(f"the person played {len(self.played)} cards in the deal, "
                                  f"not 8: {self.played}")
            if tricks != 8:
                raise CheckFailed(f"{tricks} trick winners were announced, not 8: "
                                  f"{s.announced}")
            log(f"played by keys: {', '.join(self.played)}" +
                (f"; given: {', '.join(self.given)}" if self.given else ""))
        log(f"{self.steps} steps; announced: " + " | ".join(s.announced))


def listen_to_events(session):
    """The announcements, the popup menus and the focus, as a screen reader hears of them."""

    def name_changed(event):
        try:
            if role_of(event.source) == pyatspi.ROLE_STATUS_BAR:
                # The event carries the name it announced; the object may have a newer one by
                # the time the event is read.
                name = event.any_data if isinstance(event.any_data, str) else event.source.name
                # What one batch of events says comes as one announcement, its parts joined by
                # "; ": each part is checked on its own.
                session.announced.extend(part for part in name.split("; ") if part)
        except GLib.Error:
            pass

    def showing_changed(event):
        role = role_of(event.source)
        if role == pyatspi.ROLE_POPUP_MENU and event.detail1:
            session.menu = event.source
        elif role in (pyatspi.ROLE_POPUP_MENU, None) and not event.detail1:
            # A closed menu may be gone from the tree by the time its event is read.
            session.menu = None

    def focused(event):
        try:
            if event.detail1:
                session.focused = (role_of(event.source), event.source.name)
        except GLib.Error:
            pass

    pyatspi.Registry.registerEventListener(name_changed, "object:property-change:accessible-name")
    pyatspi.Registry.registerEventListener(showing_changed, "object:state-changed:showing")
    pyatspi.Registry.registerEventListener(focused, "object:state-changed:focused")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--home", required=True)
    parser.add_argument("--out", required=True)
    parser.add_argument("--seed", type=int, default=3)
    parser.add_argument("--words", default=WORDS, help="the word table (data/words.tsv)")
    parser.add_argument("--limit", type=float, default=300.0, help="seconds for the whole check")
    parser.add_argument("--bid-up-to", type=int, default=110,
                        help="the person raises while the next bid is at most this")
    args = parser.parse_args()
    os.makedirs(args.out, exist_ok=True)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit(3))

    session = Session(args)
    try:
        words = Words(load_words(args.words))
        session.start()
        listen_to_events(session)
        check = Check(session, words)
        check.title_and_menu()
        snap = check.sign_in()
        check.play_deal(snap)
        took = args.limit - (session.deadline - time.monotonic())
        log(f"passed in {took:.0f} s: one deal played by keys alone and followed through the "
            "accessible tree")
        return 0
    except CheckFailed as failure:
        session.report_failure(str(failure))
        return 1
    except SetupFailed as failure:
        session.report_failure(str(failure))
        return 2
    except Exception:  # a fault of the check itself: said where the rest is said
        traceback.print_exc(file=sys.stdout)
        session.report_failure("the check stopped on an error of its own")
        return 2
    finally:
        session.stop()


if __name__ == "__main__":
    sys.exit(main())
