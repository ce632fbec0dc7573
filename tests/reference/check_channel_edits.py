#!/usr/bin/env python3
"""Channels edited through the real channel window against the independent format model.

usage: check_channel_edits.py PATH-OF-channel_edit_driver PATH-OF-trk5120-cli STAGE-DIR

The model writes its start-up document as a data file pair; channel_edit_driver opens it in the
program, applies EDITS through the channel window by keyboard and saves the result. The model
applies the same edits by the channel editor's rules to its own copy. The saved pair must equal
the model's pair (creation date aside), and `trk5120-cli encode` of it must give the image the
model encodes.
"""

import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import radio_formats as rf  # noqa: E402
from check_cli import report, read, describe_channel_offset, CREATE_DATE, failures  # noqa: E402

EDITS = [
    "freq 2 26.5",          # CB, group A: new channel 2
    "freq 3 30.105",        # the band's upper limit
    "freq 1 25.615",        # channel 1 changed to the lower limit
    "detail 2 0 C_012(100.0Hz)",
    "detail 2 10 USB",
    "detail 2 9 3",
    "detail 2 8 Del",
    "detail 3 6 -",
    "detail 3 7 ON",
    "freq 1 -",             # channel 1 goes; the references move to channel 2
    "group C",
    "freq 40 27.1",
    "group MEM",
    "freq 2 -",             # memory channel M2 of group A goes
    "freq 2 26.0",          # and comes back as a new channel
    "mode 1",
    "group I",
    "freq 5 29.699",
    "freq 6 28",
    "detail 5 12 OFF",
]

DETAIL_FIELDS = ["TsqCode", "HiCut", "NbAnl", "Echo", "Add10k", "BusyLock", "RptShift", "PublicCh", "Scan",
                 "RogerTone", "Modulation", "BotCode", "EotCode", "CallCode"]
MODES = {"FM": 0, "AM": 1, "USB": 2, "LSB": 3, "PA": 4}
BANDS = {0: (25.615, 30.105), 1: (28.0, 29.699)}
REFERENCES = ["EmgCh1", "EmgCh2", "WorkCh", "DwCh1", "DwCh2"]
PANEL_REFERENCES = ["EmgCh1", "EmgCh2", "DwCh1", "DwCh2"]


class Model:
    """The channel editor's rules over the model document."""

    def __init__(self, doc):
        self.doc = doc
        self.d = doc["data"]
        self.group = self.d["CurGroup"][self.d["WorkMode"]]

    def mode(self):
        return 0 if self.d["WorkMode"] == 0 else 1

    def ids(self, g):
        m = self.mode()
        return [self.doc["channels"][(m, p, g)]["ChId"] for p in range(1, self.d["ChannelCount"][(m, g)] + 1)]

    def slot(self, g, ch_id):
        ids = self.ids(g)
        return ids.index(ch_id) + 1 if ch_id in ids else 0

    def delete(self, g, slot):
        m = self.mode()
        count = self.d["ChannelCount"][(m, g)]
        for i in range(slot, count):
            self.doc["channels"][(m, i, g)] = dict(self.doc["channels"][(m, i + 1, g)])
        self.d["ChannelCount"][(m, g)] = count - 1

    def revalidate(self, g):
        m = self.mode()
        ids = self.ids(g)
        numbered = [i for i in ids if 1 <= i <= 40]
        memory = [i for i in ids if 41 <= i <= 46]
        for name in REFERENCES:
            ref = self.d[name][(m, g)]
            kind = memory if 41 <= ref <= 46 else numbered
            if not (ref != 0 and ref in ids and kind):
                self.d[name][(m, g)] = kind[0] if kind else 0

    def show_references(self, g):
        """The group panel selects each reference's channel, else the first listed, and stores it."""
        if g == 11:
            return
        m = self.mode()
        listed = sorted(i for i in self.ids(g) if 1 <= i <= 40)
        if not listed:
            return
        for name in PANEL_REFERENCES:
            if self.d[name][(m, g)] not in listed:
                self.d[name][(m, g)] = listed[0]

    def normalize(self, text):
        low, high = BANDS[self.mode()]
        value = float(text)
        if value < low or value > high:
            raise ValueError("the edits stay inside the band")
        return "%.4f" % value

    def freq(self, row, text):
        m, g = self.mode(), self.group
        self.d["CurChannel"][(m, g)] = row
        value = "" if text == "-" else self.normalize(text)
        list_group, ch_id = (1, row + 40) if g == 11 else (g, row)
        slot = self.slot(list_group, ch_id)
        if slot and not value:
            if g != 11 and len([i for i in self.ids(g) if 1 <= i <= 40]) < 2:
                raise ValueError("the edits never clear a group's last channel")
            self.delete(list_group, slot)
            if g != 11:
                self.revalidate(g)
                self.show_references(g)
        elif slot:
            self.doc["channels"][(m, slot, list_group)]["RxFreq"] = rf.text(rf.freq_to_stored(value), 8)
        elif value:
            rf.add_channel(self.doc, ch_id, m, list_group, value)
            self.revalidate(list_group)
            if g != 11:
                self.show_references(g)

    def detail(self, row, field, entry):
        m, g = self.mode(), self.group
        list_group, ch_id = (1, row + 40) if g == 11 else (g, row)
        rec = self.doc["channels"][(m, self.slot(list_group, ch_id), list_group)]
        name = DETAIL_FIELDS[field]
        if name == "Modulation":
            rec[name] = MODES[entry]
        elif name in ("RogerTone", "BotCode", "EotCode", "CallCode"):
            rec[name] = 0 if entry == "OFF" else int(entry)
        elif name == "TsqCode":
            rec[name] = int(entry[2:5]) + (0 if entry.startswith("C_") else 38)
        elif name == "RptShift":
            rec[name] = {"OFF": 0, "+": 1, "-": 2}[entry]
        elif name == "Scan":
            rec[name] = {"Del": 0, "Add": 1}[entry]
        else:
            rec[name] = {"OFF": 0, "ON": 1}[entry]

    def pick_group(self, letter):
        self.group = 11 if letter == "MEM" else ord(letter) - ord("A") + 1
        self.d["CurGroup"][self.mode()] = self.group
        self.show_references(self.group)

    def pick_mode(self, mode):
        self.d["WorkMode"] = mode
        self.group = self.d["CurGroup"][mode]

    def apply(self, line):
        words = line.split()
        if words[0] == "mode":
            self.pick_mode(int(words[1]))
        elif words[0] == "group":
            self.pick_group(words[1])
        elif words[0] == "freq":
            self.freq(int(words[1]), words[2])
        elif words[0] == "detail":
            self.detail(int(words[1]), int(words[2]), words[3])


def main():
    if len(sys.argv) != 4:
        print(__doc__)
        return 2
    driver, cli, stage = sys.argv[1:]
    with tempfile.TemporaryDirectory() as work:
        env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=work, QT_QPA_PLATFORM="offscreen", TRK_STAGE=stage)
        doc = rf.default_document()
        start = os.path.join(work, "start.dat")
        rf.write_pair(doc, start)
        script = os.path.join(work, "edits.txt")
        with open(script, "w") as f:
            f.write("\n".join(EDITS) + "\n")
        edited = os.path.join(work, "edited.dat")
        result = subprocess.run([driver, start, script, edited], env=env, capture_output=True, timeout=120)
        if result.returncode != 0:
            print("channel_edit_driver failed:", result.stderr.decode(errors="replace"))
            return 1

        model = Model(doc)
        for line in EDITS:
            model.apply(line)
        band = rf.CB_BAND_TEXT if model.mode() == 0 else rf.HF_BAND_TEXT
        rf.document_to_saved(doc, band_text=band)

        report("edited", "data file", rf.serialize_data_record(doc["data"]), read(edited),
               rf.describe_data_offset, ignore=CREATE_DATE)
        report("edited", "channel file", rf.serialize_channels(doc), read(rf.channel_file_path(edited)),
               describe_channel_offset)
        image_path = os.path.join(work, "edited.img")
        subprocess.run([cli, "encode", edited, image_path], env=env, check=True, timeout=60)
        report("edited", "encoded image", rf.encode_document(doc), read(image_path), rf.describe_image_address)

    for f in failures:
        print(f)
    print("%d edits through the channel window: %s" % (len(EDITS), "FAILED" if failures else "ok"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
