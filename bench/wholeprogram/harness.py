"""The tool and the simulated detector run from outside, as a user would start them.

Shared by the whole-program benchmarks in bench/ and by scripts/soak: a scratch folder with
a private port directory, the simulator on a pseudo-terminal, the tool headless (or on a
private Xvfb when keys must reach it), and what /proc says about the tool's process.
"""

import os
import re
import shutil
import signal
import subprocess
import tempfile
import time

TICKS = os.sysconf("SC_CLK_TCK")


class Build:
    """The two programs of one build folder (cmake -B FOLDER)."""

    def __init__(self, folder):
        self.folder = os.path.abspath(folder)
        self.tool = os.path.join(self.folder, "src/app/mirelund")
        self.sim = os.path.join(self.folder, "tools/detector-sim/detector-sim")
        if not os.access(self.tool, os.X_OK):
            raise SystemExit(f"no tool in {folder}: build the mirelund target there first")

    def __str__(self):
        return self.folder


class Scratch:
    """A temporary root with ports/ (the simulator publishes there) and work/ (the tool's
    working directory). log=True leaves the empty Mirelund.log that switches the traffic
    log on."""

    def __init__(self, log=False):
        self.root = tempfile.mkdtemp(prefix="mirelund-bench-")
        self.ports = os.path.join(self.root, "ports")
        self.work = os.path.join(self.root, "work")
        os.mkdir(self.ports)
        os.mkdir(self.work)
        # Qt wants a private runtime folder and warns on every start without one.
        self.runtime = os.path.join(self.root, "runtime")
        os.mkdir(self.runtime, 0o700)
        self.log = os.path.join(self.work, "Mirelund.log")
        if log:
            open(self.log, "w").close()
        self.processes = []

    def path(self, name):
        return os.path.join(self.root, name)

    def environment(self, display=None):
        env = dict(os.environ)
        env["MIRELUND_PORTS"] = self.ports
        env.setdefault("XDG_RUNTIME_DIR", self.runtime)
        if display:
            env["DISPLAY"] = display
            env["QT_QPA_PLATFORM"] = "xcb"
        else:
            env["QT_QPA_PLATFORM"] = "offscreen"
        return env

    def start_sim(self, build, args=()):
        """Starts detector-sim; returns (process, COM number) once it has published."""
        process = subprocess.Popen([build.sim, *args], env=self.environment(),
                                   stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
        self.processes.append(process)
        first = process.stdout.readline()
        match = re.match(r"COM(\d+) ", first)
        if not match:
            raise RuntimeError(f"detector-sim did not start: {first!r} "
                               f"{process.stderr.read()!r}")
        return process, int(match.group(1))

    def start_tool(self, build, display=None, args=()):
        process = subprocess.Popen([build.tool, *args], cwd=self.work,
                                   env=self.environment(display), stdout=subprocess.DEVNULL,
                                   stderr=open(self.path("tool.err"), "w"))
        self.processes.append(process)
        return process

    def identified(self, com):
        """The tool has identified the detector on comN: it stores the port in its INI."""
        try:
            with open(os.path.join(self.work, "Mirelund.ini"), "rb") as ini:
                return f"ComPort={com}".encode() in ini.read()
        except FileNotFoundError:
            return False

    def wait_identified(self, com, seconds=30):
        if not wait_for(lambda: self.identified(com), seconds):
            raise RuntimeError(f"the tool did not identify COM{com} within {seconds} s")

    def close(self):
        for process in reversed(self.processes):
            stop(process)
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()


def wait_for(condition, seconds, step=0.05):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(step)
    return True


def stop(process, seconds=5):
    """SIGTERM, then SIGKILL if it will not go; returns the exit status (None: killed)."""
    if process.poll() is not None:
        return process.returncode
    process.send_signal(signal.SIGTERM)
    try:
        return process.wait(seconds)
    except subprocess.TimeoutExpired:
        process.kill()
        process.wait()
        return None


def cpu_seconds(pid):
    """utime + stime of the process, in seconds."""
    with open(f"/proc/{pid}/stat") as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) / TICKS


def context_switches(pid):
    """Voluntary + involuntary context switches of every thread of the process."""
    total = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/status") as status:
                for line in status:
                    if line.startswith(("voluntary_ctxt_switches",
                                        "nonvoluntary_ctxt_switches")):
                        total += int(line.split()[1])
        except FileNotFoundError:
            pass  # a thread that ended meanwhile
    return total


def memory_kib(pid):
    """(RSS, PSS) in KiB from smaps_rollup."""
    values = {}
    with open(f"/proc/{pid}/smaps_rollup") as rollup:
        for line in rollup:
            parts = line.split()
            if parts and parts[0] in ("Rss:", "Pss:"):
                values[parts[0]] = int(parts[1])
    return values["Rss:"], values["Pss:"]


class CpuMeter:
    """CPU (% of one core) and wake-ups (context switches per second) between start and
    read, from /proc."""

    def __init__(self, pid):
        self.pid = pid
        self.start()

    def start(self):
        self.time = time.monotonic()
        self.cpu = cpu_seconds(self.pid)
        self.switches = context_switches(self.pid)

    def read(self):
        elapsed = time.monotonic() - self.time
        cpu = cpu_seconds(self.pid) - self.cpu
        switches = context_switches(self.pid) - self.switches
        return 100.0 * cpu / elapsed, switches / elapsed


class Display:
    """A private Xvfb and xdotool, for runs where keys must reach the window."""

    def __init__(self):
        for program in ("Xvfb", "xdotool"):
            if not shutil.which(program):
                raise SystemExit(f"needs {program} (scripts/install-deps installs it)")
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24", "-nolisten",
             "tcp"], pass_fds=(write,), stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as number:
            self.name = ":" + number.readline().strip()

    def key(self, *keys, window_name="Microwave intrusion"):
        """Gives the tool's window the keyboard, then presses the keys, as the installer
        would."""
        env = dict(os.environ, DISPLAY=self.name)
        command = ["xdotool", "search", "--sync", "--onlyvisible", "--name", window_name,
                   "windowfocus", "--sync", "%1", "sleep", "0.3"]
        for key in keys:
            command += ["key", key, "sleep", "0.2"]
        subprocess.run(command, env=env, check=True, timeout=30,
                       stdout=subprocess.DEVNULL)

    def close(self):
        stop(self.process)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
