"""`make run` on a machine without a display: the start script serves the
editor over VNC on 127.0.0.1 alone, with a password of the run's own, and
leaves nothing running when it ends, by Ctrl+C or by the editor closing.

The VNC client here speaks just enough of the protocol: the handshake with
the password, one full-screen picture, and keys.
Usage: run_without_display.py RUN_SCRIPT BUILD_DIR LSAN_SUPPRESSIONS"""

import fcntl
import os
import re
import signal
import socket
import struct
import subprocess
import sys
import tempfile
import threading
import time

from vnc_auth import vnc_response

script, build_dir, suppressions = sys.argv[1:4]
failures = []


def check(condition, what):
    if not condition:
        failures.append(what)
        print("FAIL:", what, flush=True)
    return condition


def recv_exact(sock, size):
    data = b""
    while len(data) < size:
        chunk = sock.recv(size - len(data))
        if not chunk:
            raise ConnectionError("the server closed the connection")
        data += chunk
    return data


def handshake(port, password):
    """The server's (width, height, name) after a successful login, or None
    when the password is refused; the socket stays open for more."""
    sock = socket.create_connection(("127.0.0.1", port), timeout=20)
    version = recv_exact(sock, 12)
    if not version.startswith(b"RFB 003."):
        raise ConnectionError(f"not a VNC server: {version!r}")
    sock.sendall(b"RFB 003.008\n")
    types = recv_exact(sock, recv_exact(sock, 1)[0])
    if types != b"\x02":  # VNC authentication, and nothing weaker
        raise ConnectionError(f"security types offered: {list(types)}")
    sock.sendall(b"\x02")
    sock.sendall(vnc_response(password, recv_exact(sock, 16)))
    if struct.unpack(">I", recv_exact(sock, 4))[0] != 0:
        sock.close()
        return None
    sock.sendall(b"\x01")  # shared: other viewers stay connected
    width, height = struct.unpack(">HH", recv_exact(sock, 4))
    pixel_format = recv_exact(sock, 16)
    name = recv_exact(sock, struct.unpack(">I", recv_exact(sock, 4))[0]).decode()
    return sock, width, height, pixel_format[0] // 8, name


def screen_lit(sock, width, height, depth):
    """The share of sampled pixels that are not black, from one full picture."""
    sock.sendall(struct.pack(">BBHi", 2, 0, 1, 0))  # raw pixels only
    sock.sendall(struct.pack(">BBHHHH", 3, 0, 0, 0, width, height))
    kind, _, rects = struct.unpack(">BBH", recv_exact(sock, 4))
    if kind != 0:
        raise ConnectionError(f"unexpected server message {kind}")
    lit = total = 0
    for _ in range(rects):
        _, _, w, h, encoding = struct.unpack(">HHHHi", recv_exact(sock, 12))
        pixels = recv_exact(sock, w * h * depth)
        for i in range(0, len(pixels), depth * 101):
            total += 1
            lit += any(pixels[i:i + 3])
    return lit / max(total, 1)


def press(sock, *keysyms):
    """Presses the keys in order, then releases them in reverse."""
    for key in keysyms:
        sock.sendall(struct.pack(">BBxxI", 4, 1, key))
    for key in reversed(keysyms):
        sock.sendall(struct.pack(">BBxxI", 4, 0, key))


def click(sock, x, y):
    for buttons in (0, 1, 0):
        sock.sendall(struct.pack(">BBHH", 5, buttons, x, y))


def close_editor(sock, process):
    """File, Exit by keys, tried again while the editor stays: without a
    window manager the editor takes the keys once a click has activated it."""
    for _ in range(10):
        press(sock, 0xFF1B)  # Escape, in case a menu is open
        click(sock, 640, 790)  # the status bar
        time.sleep(1)
        press(sock, 0xFFE9, ord("f"))  # Alt+F
        time.sleep(1)
        press(sock, ord("x"))
        try:
            process.wait(timeout=5)
            return
        except subprocess.TimeoutExpired:
            pass


def leftovers(sid, folder):
    """The processes alive in session `sid` or naming `folder` on their
    command line (the VNC server runs in a session of its own), as "pid name"."""
    alive = []
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/stat") as stat, open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                text, command = stat.read(), cmdline.read().decode(errors="replace")
        except OSError:
            continue
        name, fields = text[text.index("(") + 1:text.rindex(")")], text[text.rindex(")") + 2:].split()
        if fields[0] != "Z" and (int(fields[3]) == sid or folder in command):
            alive.append(f"{pid} {name}")
    return alive


def listeners(port):
    """The addresses listening on TCP `port`, IPv4 and IPv6, as hex from /proc."""
    found = []
    for table in ("/proc/net/tcp", "/proc/net/tcp6"):
        with open(table) as lines:
            for line in list(lines)[1:]:
                local, state = line.split()[1], line.split()[3]
                address, hex_port = local.split(":")
                if state == "0A" and int(hex_port, 16) == port:
                    found.append(address)
    return found


def outside_addresses():
    """The machine's IPv4 addresses other than loopback."""
    addresses = []
    probe = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    for _, interface in socket.if_nameindex():
        request = struct.pack("256s", interface.encode()[:15])
        try:
            reply = fcntl.ioctl(probe.fileno(), 0x8915, request)  # SIOCGIFADDR
        except OSError:
            continue
        address = socket.inet_ntoa(reply[20:24])
        if not address.startswith("127."):
            addresses.append(address)
    probe.close()
    return addresses


class Run:
    """One run of the start script in a session of its own, without a display."""

    def __init__(self, scratch, track):
        env = {k: v for k, v in os.environ.items()
               if k not in ("DISPLAY", "WAYLAND_DISPLAY", "XAUTHORITY", "TRASSO_VNC_PORT")}
        env.update(TMPDIR=os.path.join(scratch, "tmp"), HOME=os.path.join(scratch, "home"),
                   XDG_CONFIG_HOME=os.path.join(scratch, "config"),
                   XDG_STATE_HOME=os.path.join(scratch, "state"),
                   XDG_RUNTIME_DIR=os.path.join(scratch, "runtime"),
                   LSAN_OPTIONS=f"suppressions={suppressions}:print_suppressions=0")
        for folder in ("tmp", "home", "config", "state", "runtime"):
            os.makedirs(os.path.join(scratch, folder), mode=0o700, exist_ok=True)
        self.tmp = env["TMPDIR"]
        self.process = subprocess.Popen(["bash", script, build_dir, track], env=env,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT,
                                        text=True, start_new_session=True)
        self.output = ""
        for line in self.process.stdout:
            self.output += line
            if line.startswith("Ctrl+C"):
                break
        address = re.search(r"Address: +127\.0\.0\.1:(\d+)", self.output)
        password = re.search(r"Password: +(\S+)", self.output)
        if not (address and password):
            self.kill()
            raise RuntimeError("the script did not say how to connect:\n" + self.output)
        self.port, self.password = int(address.group(1)), password.group(1)
        # What the editor writes is kept, so that a full pipe never stops it.
        self.rest = []
        self.reader = threading.Thread(target=lambda: self.rest.extend(self.process.stdout),
                                       daemon=True)
        self.reader.start()

    def kill(self):
        """Ends whatever is left of a run that failed; the script's status."""
        left = leftovers(self.process.pid, self.tmp)
        for entry in left:
            try:
                os.kill(int(entry.split()[0]), signal.SIGKILL)
            except ProcessLookupError:
                pass
        status = self.process.wait()
        if left:
            time.sleep(1)
        return status

    def end(self, how):
        """Waits for the script to end; checks that it took everything down."""
        try:
            status = self.process.wait(timeout=60)
        except subprocess.TimeoutExpired:
            status = self.kill()
        self.reader.join(timeout=10)
        left = leftovers(self.process.pid, self.tmp)
        check(not left, f"{how}: processes left running: {left}")
        check(not os.listdir(self.tmp), f"{how}: temporary files left: {os.listdir(self.tmp)}")
        check(not listeners(self.port), f"{how}: port {self.port} still open")
        return status, "".join(self.rest)


def wait_until(condition, seconds):
    deadline = time.monotonic() + seconds
    while not condition():
        if time.monotonic() > deadline:
            return False
        time.sleep(0.5)
    return True


def check_served_safely(run):
    check(run.output.count("\n") <= 6, "the script prints a few lines:\n" + run.output)
    check(f"ssh -L {run.port}:127.0.0.1:{run.port} " in run.output
          and f"localhost:{run.port}" in run.output, "the SSH tunnel is explained:\n" + run.output)
    check(listeners(run.port) == ["0100007F"],
          f"only 127.0.0.1 listens on port {run.port}: {listeners(run.port)}")
    for address in outside_addresses():
        try:
            socket.create_connection((address, run.port), timeout=5).close()
            check(False, f"a connection through {address} was accepted")
        except OSError:
            pass
    wrong = run.password[:-1] + ("a" if run.password[-1] != "a" else "b")
    check(handshake(run.port, wrong) is None, "a wrong password is refused")


def check_editor_shown(run):
    """Logs in and waits for the editor to fill the screen; the open session."""
    session = handshake(run.port, run.password)
    if not check(session is not None, "the run's password is accepted"):
        return None
    sock, width, height, depth, name = session
    check((width, height, name) == (1280, 800, "Trasso"), f"the desktop: {width}x{height} {name}")
    check(wait_until(lambda: screen_lit(sock, width, height, depth) > 0.9, 120),
          "the editor's window fills the screen")
    return sock


def ended_by_ctrl_c(run):
    check_served_safely(run)
    sock = check_editor_shown(run)
    os.killpg(run.process.pid, signal.SIGINT)
    status, _ = run.end("Ctrl+C")
    check(status == 130, f"Ctrl+C ends the script as interrupted, not with status {status}")
    if sock:
        sock.close()


def ended_by_closing_the_editor(run):
    sock = check_editor_shown(run)
    if sock:
        close_editor(sock, run.process)
    status, rest = run.end("closing the editor")
    check(status == 0, f"the editor closed normally, status {status}:\n{rest}")


def main():
    with tempfile.TemporaryDirectory() as scratch:
        track = os.path.join(scratch, "loop.tr")
        subprocess.run([os.path.join(build_dir, "bin", "trasso-cli"), "example", track], check=True)
        for name, scenario in (("first", ended_by_ctrl_c), ("second", ended_by_closing_the_editor)):
            run = Run(os.path.join(scratch, name), track)
            try:
                scenario(run)
            finally:
                # A run cut short by a failure takes its processes with it.
                run.kill()
    if failures:
        sys.exit(1)
    print("make run without a display checked")


main()
