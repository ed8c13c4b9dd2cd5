"""An X server of a script's own, for the Python scripts that need one (the benchmark and the
Windows test under Wine); the shell tests start theirs the same way through xvfb.sh beside it.

    with xvfb.server("1280x1024") as display:    # ":N", on a display Xvfb picked itself
        ...

Where Xvfb is missing or cannot start, server() raises xvfb.Unavailable saying why; the server
stops however the block ends."""

import contextlib
import os
import select
import shutil
import subprocess
import tempfile
import time

# As long as xvfb.sh waits for a display: far beyond what a loaded machine needs.
START_TIMEOUT_S = 10


class Unavailable(Exception):
    pass


def _display_number(pipe, timeout):
    """The line Xvfb writes on its -displayfd once it takes clients; "" where it closes the
    descriptor unwritten (it could not start), None where it says nothing in time."""
    deadline = time.monotonic() + timeout
    said = b""
    while not said.endswith(b"\n"):
        left = deadline - time.monotonic()
        if left <= 0 or not select.select([pipe], [], [], left)[0]:
            return None
        chunk = pipe.read(64)
        if not chunk:
            break
        said += chunk
    return said.decode().strip()


@contextlib.contextmanager
def server(size):
    """Xvfb with one screen of `size` ("WxH") at 24 bits per pixel, on no TCP port, and without the
    reset that would drop the server's state whenever its last client leaves."""
    if not shutil.which("Xvfb"):
        raise Unavailable("Xvfb is not installed")
    read, write = os.pipe()
    with os.fdopen(read, "rb", buffering=0) as pipe, tempfile.TemporaryFile() as errors:
        try:
            process = subprocess.Popen(
                ["Xvfb", "-displayfd", str(write), "-screen", "0", f"{size}x24", "-nolisten",
                 "tcp", "-noreset"],
                pass_fds=[write], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                stderr=errors)
        finally:
            os.close(write)
        try:
            number = _display_number(pipe, START_TIMEOUT_S)
            if not number:
                errors.seek(0)
                said = errors.read().decode(errors="replace").strip().splitlines()[-5:]
                why = ("Xvfb could not start" if number == ""
                       else f"Xvfb gave no display in {START_TIMEOUT_S} s")
                raise Unavailable("\n".join([why, *said]))
            yield ":" + number
        finally:
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
