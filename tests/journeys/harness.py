"""The program used as a person would: QuillfarrowOptimizer.exe under Wine in the virtual X
display of $DISPLAY, driven with real pointer and key events (xdotool), its pixels read
from the X server (xwd) and the machine read back with Wine's own tools.

Each journey runs in a fresh copy of a prefix booted once per build; positions are client
coordinates of the layout at UI scale 1, offset by the window's client origin."""

import collections
import os
import re
import shutil
import struct
import subprocess
import tempfile
import time
import unittest
import zlib

BUILD = os.environ["QF_BUILD_DIR"]
SOURCE = os.environ["QF_SOURCE_DIR"]
EXE = os.path.join(BUILD, "QuillfarrowOptimizer.exe")
CHILD = os.path.join(BUILD, "qf_child.exe")
RECORDER = os.path.join(BUILD, "qf_recorder.exe")
TEMPLATE = os.path.join(BUILD, "wineprefix-journeys")
TITLE = "Quillfarrow's Optimizer"
ACCENT = "#F5A524"


def nav_item_centre(page):
    """The centre of the sidebar's item of a page, in client coordinates."""
    return 60, 112 + 41 * page + 19


def accent_bar(page):
    """A pixel of the accent bar that marks the sidebar's item of the current page."""
    return 16, 131 + 41 * page


# The journey's last actions, each with the display just before it, and the session log of
# the machine in use: what a timed-out wait reports, so that a failure can be read afterwards.
TRAIL = collections.deque(maxlen=4)
CURRENT_MACHINE = None


def note_action(what):
    new_capture_generation()
    TRAIL.append((what, Screen()))


def run(arguments, what, timeout=30.0, **keywords):
    """subprocess.run with a deadline: a tool that hangs fails the journey with what it was
    doing, instead of holding it until CTest's timeout."""
    try:
        return subprocess.run(arguments, timeout=timeout, **keywords)
    except subprocess.TimeoutExpired:
        raise AssertionError(f"{what} did not finish within {timeout:.0f} s: "
                             f"{' '.join(map(str, arguments))}") from None


# Bumped before every poll of a condition and every action: a window capture taken since
# the last bump still shows the window as it is.
CAPTURE_GENERATION = 0


def new_capture_generation():
    global CAPTURE_GENERATION
    CAPTURE_GENERATION += 1


def wait_until(condition, timeout=20.0, what="condition"):
    """Polls until `condition()` is truthy and returns its value; fails at the deadline."""
    deadline = time.monotonic() + timeout
    while True:
        new_capture_generation()
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out after {timeout:.0f} s waiting for {what}\n" +
                                 timeout_report())
        time.sleep(0.1)


def timeout_report():
    """Saves the display now and before each of the last actions, and lists them with the
    session log's last lines."""
    picture = os.path.join(BUILD, "journey-timeout.png")
    Screen().save_png(picture)
    lines = [f"the display then: {picture}", "the last actions, with the display before each:"]
    for number, (what, screen) in enumerate(TRAIL, 1):
        before = os.path.join(BUILD, f"journey-timeout-before-{number}.png")
        screen.save_png(before)
        lines.append(f"  {what}: {before}")
    if CURRENT_MACHINE is not None:
        lines.append("the session log's last lines:")
        lines += ["  " + line for line in CURRENT_MACHINE.session_log().splitlines()[-12:]]
    return "\n".join(lines)


def boot_template():
    """The booted prefix every journey copies, made once per build directory."""
    # Windows left to a window manager, as on a desktop: Wine's X window of the program is
    # then its client area, whose pixels and geometry the journeys read.
    run([os.path.join(SOURCE, "cmake", "wine-prefix.sh"), TEMPLATE, "managed"],
        "making the journeys' prefix", timeout=300, check=True, stdout=subprocess.DEVNULL)


class Screen:
    """One capture of the whole X display, or of one window's area."""

    def __init__(self, window=None):
        source = ["-id", window] if window else ["-root"]
        data = run(["xwd", *source, "-silent"], "capturing the display", timeout=10,
                   capture_output=True, check=True).stdout
        fields = struct.unpack_from(">25I", data, 0)
        self._data = data
        self._offset = fields[0] + fields[19] * 12
        self._bytes_per_line = fields[12]
        self._bytes_per_pixel = fields[11] // 8
        self._lsb_first = fields[7] == 0

    def save_png(self, path):
        width, height = struct.unpack_from(">2I", self._data, 16)
        rows = b"".join(b"\0" + bytes(c for x in range(width) for c in self.rgb(x, y))
                        for y in range(height))

        def chunk(kind, data):
            return (struct.pack(">I", len(data)) + kind + data +
                    struct.pack(">I", zlib.crc32(kind + data)))

        with open(path, "wb") as f:
            f.write(b"\x89PNG\r\n\x1a\n" +
                    chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)) +
                    chunk(b"IDAT", zlib.compress(rows)) + chunk(b"IEND", b""))

    def rgb(self, x, y):
        at = self._offset + y * self._bytes_per_line + x * self._bytes_per_pixel
        b0, b1, b2 = self._data[at], self._data[at + 1], self._data[at + 2]
        return (b2, b1, b0) if self._lsb_first else (b0, b1, b2)


def shell_values(text):
    """The NAME=VALUE lines that xdotool prints with --shell."""
    return dict(line.split("=", 1) for line in text.split() if "=" in line)


def pointer():
    """The pointer's place on the display."""
    result = run(["xdotool", "getmouselocation", "--shell"], "asking for the pointer",
                 timeout=10, capture_output=True, text=True, check=True)
    values = shell_values(result.stdout)
    return int(values["X"]), int(values["Y"])


def move_pointer(x, y):
    """Moves the pointer and waits until the server has it there. Not xdotool's --sync: it
    waits until the pointer leaves where it was, so a move to where it already is waits
    out its 15 s limit."""
    if pointer() == (x, y):
        return
    run(["xdotool", "mousemove", str(x), str(y)], "moving the pointer", timeout=10, check=True)
    wait_until(lambda: pointer() == (x, y), 10, f"the pointer at {x},{y}")


def near(rgb, hex_colour, tolerance):
    want = int(hex_colour.lstrip("#"), 16)
    expected = ((want >> 16) & 0xFF, (want >> 8) & 0xFF, want & 0xFF)
    return all(abs(a - b) <= tolerance for a, b in zip(rgb, expected))


# The system's program files of a prefix, about nine tenths of its 700 MB: a journey's copy
# links them instead of copying, and a journey that puts a file of its own in their place
# removes the link first (`replace_file`), so that the template is never written through one.
LINKED_SUFFIXES = (".dll", ".exe", ".drv", ".sys", ".ocx", ".cpl", ".acm", ".tlb", ".ax")


def copy_prefix(source, target):
    windows = os.path.join(source, "drive_c", "windows") + os.sep

    def link_or_copy(from_path, to_path):
        if from_path.startswith(windows) and from_path.lower().endswith(LINKED_SUFFIXES):
            os.link(from_path, to_path)
        else:
            shutil.copy2(from_path, to_path)

    shutil.copytree(source, target, symlinks=True, copy_function=link_or_copy)


def replace_file(source, target):
    """Puts a copy of `source` at `target` without writing into the file that was there,
    which may be a link to the template's."""
    if os.path.lexists(target):
        os.remove(target)
    shutil.copy(source, target)


class Machine:
    """A fresh Wine prefix: the machine one journey uses."""

    def __init__(self):
        self.root = tempfile.mkdtemp(prefix="qf-journey-")
        self.prefix = os.path.join(self.root, "prefix")
        copy_prefix(TEMPLATE, self.prefix)
        self.env = dict(os.environ, WINEPREFIX=self.prefix, WINEDEBUG="-all",
                        WINEDLLOVERRIDES="mscoree,mshtml=")

    def close(self):
        run(["wineserver", "-k"], "ending the prefix's Wine server", env=self.env,
            stderr=subprocess.DEVNULL)
        run(["wineserver", "-w"], "waiting for the prefix's Wine server", env=self.env,
            stderr=subprocess.DEVNULL)
        shutil.rmtree(self.root, ignore_errors=True)

    def wine(self, *arguments, timeout=60):
        return run(["wine", *arguments], "wine", timeout=timeout, env=self.env,
                   capture_output=True)

    def retry_tool(self, attempt, timeout, what):
        """Runs `attempt()` until it returns (True, output), for Wine's tools that now and
        then fail without a word; at the deadline the failure shows their last output."""
        outputs = []

        def done():
            succeeded, output = attempt()
            outputs.append(output)
            return succeeded

        try:
            wait_until(done, timeout, what)
        except AssertionError as failure:
            raise AssertionError(f"{failure}\nlast output: {outputs[-1]!r}") from None

    def reg_query(self, key, name):
        """The value's type and data as `reg query` prints them, or None when it is absent."""
        result = self.wine("reg", "query", key, "/v", name)
        if result.returncode != 0:
            return None
        text = result.stdout.decode("utf-8", "replace")
        match = re.search(r"^\s*" + re.escape(name) + r"\s+(REG_\w+)\s*(.*?)\s*$", text,
                          re.MULTILINE | re.IGNORECASE)
        return (match.group(1), match.group(2)) if match else None

    def reg_add(self, key, name, kind, data):
        result = self.wine("reg", "add", key, "/v", name, "/t", kind, "/d", data, "/f")
        assert result.returncode == 0, result.stderr

    def system32(self, *parts):
        return os.path.join(self.prefix, "drive_c", "windows", "system32", *parts)

    # The system's tools the program starts, as paths below the system directory.
    TOOLS = ("netsh.exe", "ipconfig.exe", "schtasks.exe", "powercfg.exe",
             os.path.join("WindowsPowerShell", "v1.0", "powershell.exe"))

    def install_recorder(self):
        """Puts the recording program of the tests in place of each system tool; Wine would
        run its own built-in programs without the native override."""
        for tool in self.TOOLS:
            path = self.system32(tool)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            replace_file(RECORDER, path)
        names = ",".join(os.path.basename(tool) for tool in self.TOOLS)
        self.env["WINEDLLOVERRIDES"] += f";{names}=n"

    def recorded(self):
        """(tool path, command line) of every tool run so far, in order."""
        path = os.path.join(self.prefix, "drive_c", "qf-recorded.txt")
        if not os.path.exists(path):
            return []
        with open(path, encoding="utf-8") as f:
            return [tuple(line.rstrip("\n").split("\t", 1)) for line in f if line.strip()]

    def data_folder(self):
        users = os.path.join(self.prefix, "drive_c", "users")
        for user in os.listdir(users):
            folder = os.path.join(users, user, "AppData", "Local", "Quillfarrow", "Optimizer")
            if os.path.isdir(folder):
                return folder
        return None

    def data_file(self, name):
        folder = self.data_folder()
        path = folder and os.path.join(folder, name)
        if not path or not os.path.exists(path):
            return b""
        with open(path, "rb") as f:
            return f.read()

    def session_log(self):
        return self.data_file("session.log").decode("utf-16-le", "replace")

    def wait_for_log_line(self, line, timeout=15):
        """Waits for a line of the session log; the program writes it after the change and
        the state file, so what came before it may then be read."""
        wait_until(lambda: line + "\r\n" in self.session_log(), timeout, f"the log line {line!r}")


class Program:
    """QuillfarrowOptimizer.exe running on a machine, its window found on the display."""

    def __init__(self, machine, *arguments, executable=EXE):
        self.machine = machine
        self._capture = None
        # Wine's error lines, kept for the report when the program ends or hangs too early.
        self.log_path = os.path.join(machine.root, f"program-{time.monotonic_ns()}.log")
        with open(self.log_path, "wb") as log:
            # Started from its own folder, as from a double click in that folder.
            self.process = subprocess.Popen(["wine", executable, *arguments],
                                            env=dict(machine.env, WINEDEBUG="fixme-all"),
                                            cwd=os.path.dirname(executable),
                                            stdout=subprocess.DEVNULL, stderr=log)
        try:
            self.window = wait_until(self._find_window, 60, "the program's window")
        except AssertionError as failure:
            raise AssertionError(f"{failure}\n{self.report()}") from None
        wait_until(lambda: self.client_origin() is not None, 10, "the window's place")
        # The first frames are drawn once the window is mapped.
        wait_until(lambda: self.pixel_is(200, 64, "#0C0B11", 2), 30, "the first frame")

    def report(self):
        """The process's state and the last lines Wine printed for it."""
        code = self.process.poll()
        state = "still running" if code is None else f"ended with exit code {code}"
        with open(self.log_path, "rb") as log:
            lines = log.read().decode("utf-8", "replace").splitlines()[-20:]
        return f"the program {state}; Wine printed:\n" + "\n".join(lines)

    def _find_window(self):
        if self.process.poll() is not None:
            raise AssertionError("the program ended before its window showed")
        result = run(["xdotool", "search", "--onlyvisible", "--name", TITLE],
                     "looking for the window", timeout=10, capture_output=True, text=True)
        ids = result.stdout.split()
        return ids[0] if ids else None

    def geometry(self):
        """Client origin and size: Wine's X window is the client area of the borderless
        window."""
        result = run(["xdotool", "getwindowgeometry", "--shell", self.window],
                     "asking for the window's place", timeout=10, capture_output=True, text=True)
        values = shell_values(result.stdout)
        if not {"X", "Y", "WIDTH", "HEIGHT"} <= values.keys():
            return None
        return tuple(int(values[k]) for k in ("X", "Y", "WIDTH", "HEIGHT"))

    def client_origin(self):
        geometry = self.geometry()
        return geometry and geometry[:2]

    def to_screen(self, x, y):
        left, top = self.client_origin()
        return left + x, top + y

    def capture(self):
        """The window's client area (Wine's X window), captured once per poll or action."""
        if self._capture is None or self._capture[0] != CAPTURE_GENERATION:
            self._capture = (CAPTURE_GENERATION, Screen(self.window))
        return self._capture[1]

    def pixel(self, x, y):
        return self.capture().rgb(x, y)

    def pixel_is(self, x, y, colour, tolerance):
        return near(self.pixel(x, y), colour, tolerance)

    def box_has(self, box, predicate):
        """Whether any client pixel in the box (left, top, right, bottom) satisfies it."""
        screen = self.capture()
        left, top, right, bottom = box
        return any(predicate(screen.rgb(x, y))
                   for y in range(top, bottom) for x in range(left, right))

    def move_to(self, x, y):
        move_pointer(*self.to_screen(x, y))

    def drag_by(self, dx, dy, steps=20):
        """Moves the held pointer at a person's pace: the program sees the drag over several
        frames, as it would from a hand."""
        x0, y0 = pointer()
        note_action(f"drag by {dx},{dy} from screen {x0},{y0}")
        for step in range(1, steps + 1):
            move_pointer(x0 + dx * step // steps, y0 + dy * step // steps)
            time.sleep(0.05)

    def click(self, x, y):
        note_action(f"click at {x},{y} (screen {self.to_screen(x, y)})")
        self.move_to(x, y)
        run(["xdotool", "click", "1"], "clicking", timeout=10, check=True)

    def open_page(self, page):
        """Clicks the sidebar's item of the page and waits for its accent bar."""
        self.click(*nav_item_centre(page))
        wait_until(lambda: self.pixel_is(*accent_bar(page), ACCENT, 2), 10,
                   f"the accent bar of item {page}")

    def press(self):
        note_action("press")
        run(["xdotool", "mousedown", "1"], "pressing the button", timeout=10, check=True)

    def release(self):
        note_action("release")
        run(["xdotool", "mouseup", "1"], "releasing the button", timeout=10, check=True)

    def type_text(self, text):
        note_action(f"type {text!r}")
        # No window manager: the window takes the keyboard only when focused explicitly.
        run(["xdotool", "windowfocus", "--sync", self.window], "focusing the window", timeout=20,
            check=True)
        run(["xdotool", "type", "--delay", "40", text], "typing", timeout=30, check=True)

    def is_iconic(self):
        """Whether Windows has the window minimized (without a window manager the X window
        stays mapped), asked by a program of the tests' own in the same prefix."""
        code = self.machine.wine(CHILD, "iconic", "QuillfarrowOptimizer").returncode
        assert code in (0, 1), f"no window of the program's class ({code})"
        return code == 1

    def processor_seconds(self):
        """User plus system time of the program's process so far."""
        with open(f"/proc/{self.process.pid}/stat") as f:
            fields = f.read().rsplit(")", 1)[1].split()
        ticks = os.sysconf("SC_CLK_TCK")
        return (int(fields[11]) + int(fields[12])) / ticks

    def wait_for_exit(self, timeout=30):
        return self.process.wait(timeout)

    def kill(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()


class Journey(unittest.TestCase):
    """A journey on a fresh machine; the program, when started, is ended afterwards."""

    maxDiff = None  # a failed comparison shows every difference

    @classmethod
    def setUpClass(cls):
        boot_template()

    def setUp(self):
        global CURRENT_MACHINE
        self.machine = CURRENT_MACHINE = Machine()
        self.addCleanup(self.machine.close)
        TRAIL.clear()
        self.programs = []

    def start(self, *arguments, executable=EXE):
        program = Program(self.machine, *arguments, executable=executable)
        self.programs.append(program)
        self.addCleanup(program.kill)
        return program
