#!/usr/bin/env python3
"""Holds trk5120-cli against the independent format model in radio_formats.py.

usage: check_cli.py PATH-OF-trk5120-cli [--seeds N]

For the start-up document and for random documents: the model writes the data file pair,
`trk5120-cli encode` turns it into an image, which must equal the model's image byte for
byte, and `trk5120-cli diff` of the pair and that image must find nothing; the model's image
goes through `trk5120-cli decode`, whose pair must equal the model's decode (the creation
date, bytes 105..112 of the data file, is not compared). A few
images the encoder never produces (erased, random bytes) go through decode as well.
Finally `trk5120-cli new` must write the model's start-up document.
"""

import os
import random
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import radio_formats as rf  # noqa: E402

CREATE_DATE = range(105, 113)
failures = []


def run(cli, *args):
    result = subprocess.run([cli, *args], capture_output=True, timeout=60)
    if result.returncode != 0:
        raise RuntimeError("%s %s exited with %d: %s%s" % (
            os.path.basename(cli), " ".join(args), result.returncode,
            result.stdout.decode(errors="replace"), result.stderr.decode(errors="replace")))


def read(path):
    with open(path, "rb") as f:
        return f.read()


def report(case, what, expected, actual, describe, ignore=()):
    """Records a mismatch with the first few differing offsets; returns True when equal."""
    diffs = [i for i in range(max(len(expected), len(actual)))
             if i not in ignore and (i >= len(expected) or i >= len(actual) or expected[i] != actual[i])]
    if not diffs:
        return True
    lines = ["%s: %s differs at %d offsets (model %d bytes, cli %d bytes)" % (
        case, what, len(diffs), len(expected), len(actual))]
    for i in diffs[:8]:
        e = "%02X" % expected[i] if i < len(expected) else "--"
        a = "%02X" % actual[i] if i < len(actual) else "--"
        lines.append("    0x%04X %-40s model %s cli %s" % (i, describe(i), e, a))
    failures.append("\n".join(lines))
    return False


def describe_channel_offset(i):
    k, off = divmod(i, rf.CHANNEL_RECORD_SIZE)
    at = 0
    for name, size in rf.CHANNEL_FIELDS:
        if off < at + size:
            return "record %d %s+%d" % (k + 1, name, off - at)
        at += size
    return "record %d" % (k + 1)


def check_pair(case, doc, data_path):
    report(case, "data file", rf.serialize_data_record(doc["data"]), read(data_path),
           rf.describe_data_offset, ignore=CREATE_DATE)
    report(case, "channel file", rf.serialize_channels(doc), read(rf.channel_file_path(data_path)),
           describe_channel_offset)


def check_encode(cli, work, case, doc):
    data_path = os.path.join(work, case + ".dat")
    image_path = os.path.join(work, case + ".img")
    rf.write_pair(doc, data_path)
    run(cli, "encode", data_path, image_path)
    image = rf.encode_document(doc)
    report(case, "encoded image", image, read(image_path), rf.describe_image_address)
    check_no_difference(cli, case, data_path, image_path)
    return image


def check_no_difference(cli, case, data_path, image_path):
    """What the radio holds of a pair is its image: diff must see no difference."""
    result = subprocess.run([cli, "diff", data_path, image_path], capture_output=True, timeout=60)
    if result.returncode != 0 or result.stdout:
        lines = result.stdout.decode(errors="replace").splitlines()
        failures.append("%s: diff of pair and its image exited %d:\n    %s%s" % (
            case, result.returncode, "\n    ".join(lines[:8]), result.stderr.decode(errors="replace")))


def check_decode(cli, work, case, image):
    image_path = os.path.join(work, case + "-in.img")
    data_path = os.path.join(work, case + "-decoded.dat")
    with open(image_path, "wb") as f:
        f.write(image)
    run(cli, "decode", image_path, data_path)
    check_pair(case + " decode", rf.decode_to_saved(image), data_path)


def odd_images():
    """Images a radio might deliver that the encoder never writes."""
    yield "erased", bytes(rf.init_image())
    rng = random.Random(5120)
    for k in range(4):
        image = bytearray(rng.randrange(256) for _ in range(rf.IMAGE_SIZE))
        # Mostly packed decimal in the frequency bytes, so that many slots decode as channels.
        for a in range(0, 0x3C00, 16):
            if rng.random() < 0.8:
                for i in range(3):
                    image[a + i] = rng.randrange(10) * 16 + rng.randrange(10)
        yield "random-image-%d" % k, bytes(image)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    cli = sys.argv[1]
    seeds = 30
    if len(sys.argv) >= 4 and sys.argv[2] == "--seeds":
        seeds = int(sys.argv[3])
    cases = 0
    with tempfile.TemporaryDirectory() as work:
        os.environ["HOME"] = work
        os.environ["XDG_CONFIG_HOME"] = work

        new_path = os.path.join(work, "new.dat")
        run(cli, "new", new_path)
        check_pair("new", rf.default_document(), new_path)
        cases += 1

        documents = [("default", rf.default_document())]
        documents += [("seed-%d" % s, rf.random_document(s)) for s in range(1, seeds + 1)]
        for case, doc in documents:
            try:
                image = check_encode(cli, work, case, doc)
                check_decode(cli, work, case, image)
            except RuntimeError as e:
                failures.append("%s: %s" % (case, e))
            cases += 1
        for case, image in odd_images():
            try:
                check_decode(cli, work, case, image)
            except RuntimeError as e:
                failures.append("%s: %s" % (case, e))
            cases += 1

    for f in failures:
        print(f)
    print("%d cases, %d mismatches" % (cases, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
