#!/usr/bin/env python3
"""Holds `trk5120-cli read` and `write` against the radio simulator on a pseudo-terminal.

usage: check_cli_link.py PATH-OF-trk5120-cli PATH-OF-trk5120-radio-sim

A read must deliver the simulator's memory exactly (--image) and the pair the independent
model decodes from it; a write must leave the model's image in the simulator's memory up to
0x3F3F and nothing changed above. Failed runs exit 1 with their messages and leave every
file as it was, a pair from an earlier run included, also when only the save or the image fails.
A simulator started without a memory image (or with a missing one) must be a radio fresh
from the factory: a read delivers the image `trk5120-cli encode` makes of the band's
initial-setting template beside the programs, or erased memory (0xFF) with --erased.
"""

import os
import resource
import signal
import stat
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import check_cli as cc  # noqa: E402
import radio_formats as rf  # noqa: E402

WRITE_END = 0x3F40
MISSING = "missing"
NO_IMAGE = "no image"
ERASED = bytes([0xFF]) * rf.IMAGE_SIZE


class Simulator:
    """memory: the image file's bytes at the start; MISSING: no such file; NO_IMAGE: no --image."""

    def __init__(self, sim, work, memory, options=()):
        self.image = os.path.join(work, "radio.img")
        self.link = os.path.join(work, "radio")
        if os.path.exists(self.image):
            os.remove(self.image)
        if memory not in (MISSING, NO_IMAGE):
            with open(self.image, "wb") as f:
                f.write(memory)
        image_option = [] if memory is NO_IMAGE else ["--image", self.image]
        self.process = subprocess.Popen(
            [sim, *image_option, "--link", self.link, "--exit-on-stdin-eof", *options],
            stdin=subprocess.PIPE, stdout=subprocess.DEVNULL)
        deadline = time.monotonic() + 10
        while not os.path.lexists(self.link):
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise RuntimeError("the simulator did not start")
            time.sleep(0.02)

    def stop(self):
        """Ends the simulator; returns its memory as it saved it (None when it saved none)."""
        self.process.stdin.close()
        self.process.wait(timeout=10)
        return cc.read(self.image) if os.path.exists(self.image) else None


def cli_run(cli, *args, file_size_limit=None):
    def full_disk():
        # As on a disk that is full after file_size_limit bytes of a file: ignored, the
        # signal leaves the write failing with EFBIG.
        signal.signal(signal.SIGXFSZ, signal.SIG_IGN)
        resource.setrlimit(resource.RLIMIT_FSIZE, (file_size_limit, file_size_limit))
    return subprocess.run([cli, *args], capture_output=True, timeout=120, text=True,
                          preexec_fn=full_disk if file_size_limit else None)


def expect(case, condition, what):
    if not condition:
        cc.failures.append("%s: %s" % (case, what))


def full_device(work):
    """A device that refuses every write. As root the check makes its own, so a tool that wrongly
    replaced its output file could never replace the system's /dev/full."""
    own = os.path.join(work, "full")
    try:
        os.mknod(own, 0o666 | stat.S_IFCHR, os.makedev(1, 7))
        return own
    except OSError:
        return "/dev/full"


def check_read(cli, sim, work):
    memory = bytes(rf.encode_document(rf.random_document(7)))
    radio = Simulator(sim, work, memory)
    data_path, image_path = os.path.join(work, "read.dat"), os.path.join(work, "read.img")
    result = cli_run(cli, "read", "--port", radio.link, data_path, "--image", image_path)
    radio.stop()
    expect("read", result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
    expect("read", "Read Data Completed." in result.stdout, "no completion message")
    if result.returncode == 0:
        cc.report("read", "image", memory, cc.read(image_path), rf.describe_image_address)
        cc.check_pair("read", rf.decode_to_saved(memory), data_path)


def check_write(cli, sim, work):
    doc = rf.random_document(8)
    data_path = os.path.join(work, "write.dat")
    rf.write_pair(doc, data_path)
    before = bytes([0x5A]) * rf.IMAGE_SIZE
    radio = Simulator(sim, work, before)
    result = cli_run(cli, "write", "--port", radio.link, data_path)
    after = radio.stop()
    expect("write", result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
    expect("write", "Write Data Completed." in result.stdout, "no completion message")
    expected = bytes(rf.encode_document(doc))[:WRITE_END] + before[WRITE_END:]
    cc.report("write", "radio memory", expected, after, rf.describe_image_address)


def factory_image(cli, sim, work, template):
    """The image of an initial-setting template pair beside the programs, made by the tool."""
    image_path = os.path.join(work, "factory.img")
    cc.run(cli, "encode", os.path.join(os.path.dirname(sim), "Init", template), image_path)
    return cc.read(image_path)


FRESH = [
    # case, simulator options, image file at the start, initial-setting template (None: erased)
    ("factory HF", [], NO_IMAGE, "1_MH5120.dat"),
    ("factory CB", ["--band", "CB"], NO_IMAGE, "0_MH5120.dat"),
    ("erased", ["--erased"], NO_IMAGE, None),
    ("factory, image file missing", [], MISSING, "1_MH5120.dat"),
    ("erased, image file missing", ["--erased"], MISSING, None),
]


def check_fresh(cli, sim, work):
    data_path, image_path = os.path.join(work, "fresh.dat"), os.path.join(work, "fresh.img")
    for case, options, memory, template in FRESH:
        expected = factory_image(cli, sim, work, template) if template else ERASED
        radio = Simulator(sim, work, memory, options)
        result = cli_run(cli, "read", "--port", radio.link, data_path, "--image", image_path)
        saved = radio.stop()
        expect(case, result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
        if result.returncode == 0:
            cc.report(case, "image", expected, cc.read(image_path), rf.describe_image_address)
            cc.check_pair(case, rf.decode_to_saved(expected), data_path)
        expect(case, saved is None, "a read made the simulator save its memory")

    # A write into a missing image file stores what it received over the memory the radio
    # started with: the bytes above the written range tell factory from erased.
    doc = rf.random_document(11)
    rf.write_pair(doc, data_path)
    for case, options, start in (("write, factory", [], factory_image(cli, sim, work, "1_MH5120.dat")),
                                 ("write, erased", ["--erased"], ERASED)):
        radio = Simulator(sim, work, MISSING, options)
        result = cli_run(cli, "write", "--port", radio.link, data_path)
        after = radio.stop()
        expect(case, result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
        expected = bytes(rf.encode_document(doc))[:WRITE_END] + start[WRITE_END:]
        expect(case, after is not None, "the image file was not written")
        if after is not None:
            cc.report(case, "radio memory", expected, after, rf.describe_image_address)


FAILURES = [
    # case, simulator options, message on standard error
    ("never answered", ["--silent"], "Check Connection. Retry or Cancel?"),
    ("another model", ["--model", "MH9999"], "Model type is wrong."),
]


def check_failures(cli, sim, work):
    data_path, image_path = os.path.join(work, "kept.dat"), os.path.join(work, "kept.img")
    rf.write_pair(rf.default_document(), data_path)
    kept = cc.read(data_path), cc.read(rf.channel_file_path(data_path))
    for case, options, message in FAILURES:
        radio = Simulator(sim, work, bytes(rf.encode_document(rf.random_document(9))), options)
        result = cli_run(cli, "read", "--port", radio.link, data_path, "--image", image_path, "--retries", "0")
        radio.stop()
        expect(case, result.returncode == 1, "exit %d, expected 1" % result.returncode)
        expect(case, message in result.stderr, "no %r on standard error: %s" % (message, result.stderr))
        expect(case, (cc.read(data_path), cc.read(rf.channel_file_path(data_path))) == kept,
               "the earlier pair was changed")
        expect(case, not os.path.exists(image_path), "an image was left behind")

    # The read succeeds but the pair cannot be saved (its channel file's name is taken by a
    # folder): the data file from before must survive, and the image must not appear.
    blocked = os.path.join(work, "blocked.dat")
    with open(blocked, "wb") as f:
        f.write(kept[0])
    os.mkdir(rf.channel_file_path(blocked))
    full = full_device(work)
    before = os.listdir(work)
    radio = Simulator(sim, work, bytes(rf.encode_document(rf.random_document(10))))
    result = cli_run(cli, "read", "--port", radio.link, blocked, "--image", image_path)
    radio.stop()
    expect("save fails", result.returncode == 1 and "file error." in result.stderr,
           "exit %d: %s" % (result.returncode, result.stderr))
    expect("save fails", os.path.exists(blocked) and cc.read(blocked) == kept[0],
           "the earlier data file was changed or removed")
    expect("save fails", not os.path.exists(image_path), "an image was left behind")

    # The read succeeds but the image cannot be written: the earlier pair stays as it was.
    for case, image, limit in (("image on a full device", full, None),
                               ("image on a full disk", image_path, 8192),
                               ("image named like the data file", data_path, None)):
        radio = Simulator(sim, work, bytes(rf.encode_document(rf.random_document(11))))
        result = cli_run(cli, "read", "--port", radio.link, data_path, "--image", image, file_size_limit=limit)
        radio.stop()
        expect(case, result.returncode == 1 and "file error." in result.stderr,
               "exit %d: %s" % (result.returncode, result.stderr))
        expect(case, (cc.read(data_path), cc.read(rf.channel_file_path(data_path))) == kept,
               "the earlier pair was changed or removed")
        expect(case, image == data_path or not os.path.exists(image_path), "an image was left behind")
        expect(case, sorted(os.listdir(work)) == sorted(before), "files were left behind: %s"
               % sorted(set(os.listdir(work)) - set(before)))

    result = cli_run(cli, "read", "--port", os.path.join(work, "no-such-device"), data_path)
    expect("no device", result.returncode == 1 and "Cannot Open Communication Port." in result.stderr,
           "exit %d: %s" % (result.returncode, result.stderr))


def main():
    if len(sys.argv) != 3:
        print(__doc__)
        return 2
    cli, sim = sys.argv[1], sys.argv[2]
    with tempfile.TemporaryDirectory() as work:
        os.environ["HOME"] = work
        os.environ["XDG_CONFIG_HOME"] = work
        for check in (check_read, check_write, check_fresh, check_failures):
            try:
                check(cli, sim, work)
            except (RuntimeError, subprocess.TimeoutExpired) as e:
                cc.failures.append("%s: %s" % (check.__name__, e))
    for f in cc.failures:
        print(f)
    print("%d mismatches" % len(cc.failures))
    return 1 if cc.failures else 0


if __name__ == "__main__":
    sys.exit(main())
