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
Every read keeps the image in the user's data folder (a backup that cannot be written is a
warning, never a failed read); `write --verify` reads the write back and exits 1 naming the
first differing address when the simulator lost a byte (--corrupt-block).
"""

import os
import re
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


def backups():
    """The backups of reads, by name, as the tool keeps them in the user's data folder."""
    folder = os.path.join(os.environ["XDG_DATA_HOME"], "TRK5120", "backups")
    return {name: cc.read(os.path.join(folder, name)) for name in os.listdir(folder)} if os.path.isdir(folder) else {}


def check_backup(cli, sim, work):
    memory = bytes(rf.encode_document(rf.random_document(12)))
    data_path = os.path.join(work, "backed.dat")
    before = backups()
    radio = Simulator(sim, work, memory)
    result = cli_run(cli, "read", "--port", radio.link, data_path)
    radio.stop()
    expect("backup", result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
    new = {name: data for name, data in backups().items() if name not in before}
    expect("backup", len(new) == 1, "not one new backup: %s" % sorted(new))
    for name, data in new.items():
        expect("backup", re.fullmatch(r"\d{8}-\d{6}_MH5120_V200(-\d+)?\.img", name) is not None, "named %s" % name)
        expect("backup", name in result.stderr, "its path is not reported: %s" % result.stderr)
        cc.report("backup", "image", memory, data, rf.describe_image_address)
        # Restoring is decoding the backup into a pair.
        restored = os.path.join(work, "restored.dat")
        cc.run(cli, "decode", os.path.join(os.environ["XDG_DATA_HOME"], "TRK5120", "backups", name), restored)
        cc.check_pair("backup restored", rf.decode_to_saved(memory), restored)

    # A read that fails keeps nothing.
    before = backups()
    radio = Simulator(sim, work, memory, ["--silent"])
    result = cli_run(cli, "read", "--port", radio.link, data_path, "--retries", "0")
    radio.stop()
    expect("backup, failed read", result.returncode == 1 and backups() == before,
           "exit %d, backups %s" % (result.returncode, sorted(set(backups()) - set(before))))

    # A backup that cannot be written (a file holds the folder's name; no rights help, root's
    # included) is reported, and the read still counts.
    saved_data_home = os.environ["XDG_DATA_HOME"]
    os.environ["XDG_DATA_HOME"] = os.path.join(work, "blocked-data")
    os.makedirs(os.path.join(os.environ["XDG_DATA_HOME"], "TRK5120"))
    with open(os.path.join(os.environ["XDG_DATA_HOME"], "TRK5120", "backups"), "wb") as f:
        f.write(b"x")
    try:
        radio = Simulator(sim, work, memory)
        result = cli_run(cli, "read", "--port", radio.link, data_path)
        radio.stop()
        expect("backup blocked", result.returncode == 0, "exit %d: %s" % (result.returncode, result.stderr))
        expect("backup blocked", "backup could not be written" in result.stderr,
               "no warning on standard error: %s" % result.stderr)
        expect("backup blocked", "Read Data Completed." in result.stdout, "no completion message")
        if result.returncode == 0:
            cc.check_pair("backup blocked", rf.decode_to_saved(memory), data_path)
    finally:
        os.environ["XDG_DATA_HOME"] = saved_data_home


VERIFY = [
    # case, simulator options, exit code, text on standard output, text on standard error
    ("verify", [], 0, "Verified: the radio holds exactly what was written.", None),
    ("verify, a byte lost", ["--corrupt-block", "0x0A35"], 1, None,
     "Verify failed: 1 byte(s) in the radio differ from what was written, first at 0x0A35."),
    ("verify, a byte lost in the first block", ["--corrupt-block", "0"], 1, None, "first at 0x0000."),
    ("verify, above the written range", ["--corrupt-block", "0x3F40"], 0, "Verified", None),
]


def check_verify(cli, sim, work):
    doc = rf.random_document(13)
    data_path = os.path.join(work, "verify.dat")
    rf.write_pair(doc, data_path)
    for case, options, code, out, err in VERIFY:
        radio = Simulator(sim, work, bytes([0x5A]) * rf.IMAGE_SIZE, options)
        result = cli_run(cli, "write", "--port", radio.link, data_path, "--verify")
        radio.stop()
        expect(case, result.returncode == code, "exit %d, expected %d: %s" % (result.returncode, code, result.stderr))
        expect(case, "Write Data Completed." in result.stdout, "no completion message: %s" % result.stdout)
        expect(case, out is None or out in result.stdout, "no %r on standard output: %s" % (out, result.stdout))
        expect(case, err is None or err in result.stderr, "no %r on standard error: %s" % (err, result.stderr))
    # Only a write reads back.
    result = cli_run(cli, "read", "--port", os.path.join(work, "radio"), data_path, "--verify")
    expect("read --verify", result.returncode == 2, "exit %d, expected 2" % result.returncode)


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
    with tempfile.TemporaryDirectory() as work, tempfile.TemporaryDirectory() as data:
        os.environ["HOME"] = work
        os.environ["XDG_CONFIG_HOME"] = work
        # The backups of reads go here, never among the files a check compares.
        os.environ["XDG_DATA_HOME"] = data
        for check in (check_read, check_write, check_fresh, check_failures, check_backup, check_verify):
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
