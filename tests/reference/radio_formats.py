"""A second, independent model of the TRK5120 byte formats.

It knows the radio document, the data file pair (1344-byte data file and its .fre
channel file) and the radio's 16 KiB memory image, and it can build the start-up
document, random valid documents, and convert between all three forms. It is written
from the format tables alone, so that check_cli.py can hold the program against it.

Documents are plain dicts:
  doc["data"]     field name -> value; integer arrays are dicts keyed by their index
                  (a tuple (mode, group) for the per-mode tables, with the radio's bases)
                  and text fields are bytes of their exact length;
  doc["channels"] (mode, position, group) -> channel dict, for every position 1..46.
"""

import copy
import random
import struct

MODES = (0, 1)
GROUPS = range(1, 11)
POSITIONS = range(1, 47)
IMAGE_SIZE = 0x4000
DATA_FILE_SIZE = 1344
CHANNEL_RECORD_SIZE = 54
CB_BAND_TEXT = "25.6150 - 30.1050 MHz"
HF_BAND_TEXT = "28.0000 - 29.6990 MHz"


# ---------------------------------------------------------------- small helpers

def text(value, length):
    """A fixed text field: cut to length, padded with blanks."""
    if isinstance(value, str):
        value = value.encode("latin-1")
    return (value + b" " * length)[:length]


def trim_fixed(field):
    """Trailing blanks off, then cut before the first NUL."""
    field = field.rstrip(b" ")
    nul = field.find(b"\0")
    return field if nul < 0 else field[:nul]


def digits_only(s):
    return len(s) > 0 and all(0x30 <= c <= 0x39 for c in s)


def round_half_even(x):
    return round(x)  # Python's round() sends halves to the even neighbour


def band_text_of(work_mode):
    return CB_BAND_TEXT if work_mode == 0 else HF_BAND_TEXT


def band_code_of(band_text):
    return 0 if band_text == CB_BAND_TEXT else 1


DTMF_VALUE = {**{str(d): d for d in range(10)}, "A": 10, "B": 11, "C": 12, "D": 13, "#": 14, "*": 15}
DTMF_CHAR = {v: k for k, v in DTMF_VALUE.items()}


def dtmf_value(ch):
    """Digit value of one character; hexadecimal letters E/F and lower case count as well."""
    if ch in "#*":
        return DTMF_VALUE[ch]
    if ch in "0123456789abcdefABCDEF":
        return int(ch, 16)
    return 16


def table(value):
    return {(m, g): value for m in MODES for g in GROUPS}


# ---------------------------------------------------------------- the records

def empty_channel():
    return {
        "ChId": 0, "InUse": 0, "Scan": 0, "RxFreq": b" " * 8, "TxFreq": b" " * 8,
        "Reserved1": 0, "Reserved2": 0, "TsqCode": 0, "EncCode": 0, "Modulation": 0,
        "HiCut": 0, "NbAnl": 0, "Echo": 0, "Add10k": 0, "BusyLock": 0, "RogerTone": 0,
        "RptShift": 0, "PublicCh": 0, "BotCode": 0, "EotCode": 0, "CallCode": 0,
    }


def freq_to_stored(s):
    if s == "":
        return ""
    i = s.find(".") + 1
    if i == 0:
        return s
    while i < 3:
        s = "0" + s
        i += 1
    return s[:2] + s[i:]


def add_channel(doc, number, mode, group, freq):
    d = doc["data"]
    d["ChannelCount"][(mode, group)] += 1
    n = d["ChannelCount"][(mode, group)]
    rec = doc["channels"][(mode, n, group)]
    stored = text(freq_to_stored(freq), 8)
    rec.update({
        "ChId": number, "InUse": 1, "Scan": 1, "Modulation": 0, "RxFreq": stored, "TxFreq": stored,
        "TsqCode": 8, "EncCode": 8, "HiCut": 0, "NbAnl": 1, "Echo": 0, "Add10k": 0, "BusyLock": 0,
        "RogerTone": 0, "RptShift": 0, "PublicCh": 0, "BotCode": 0, "EotCode": 0, "CallCode": 0,
    })


GROUP_DEFAULT_FREQ = ["28.015000", "28.145000", "28.115000", "28.085000", "28.055000",
                      "28.025000", "28.015000", "28.145000", "28.115000", "28.085000"]
MEMORY_DEFAULT_FREQ = ["28.015000", "28.145000", "28.115000", "28.085000", "28.055000", "28.025000"]

DEFAULT_ROGER = [
    ([(210, 10), (0, 10)] * 3 + [(210, 10)], 1),
    ([(80, 4), (0, 4)] * 7, 1),
    ([(170, 3), (90, 3)] * 3 + [(170, 3)], 1),
    ([(64, 6), (94, 6), (134, 6), (163, 6), (192, 6)], 1),
    ([(150, 20), (70, 20)] * 3, 1),
    ([], 0), ([], 0), ([], 0),
]


def roger_entry(tones, recycle, inter_time=0):
    padded = list(tones) + [(0, 0)] * (14 - len(tones))
    return {"Tone": {j: padded[j - 1] for j in range(1, 15)}, "Recycle": recycle, "InterTime": inter_time}


def blank_document():
    data = {
        "DataVersion": b"    ", "WorkMode": 0, "CurGroup": {0: 0, 1: 0},
        "CurChannel": {(m, g): 0 for m in MODES for g in range(1, 12)},
        "ChannelCount": table(0), "ModelName": b" " * 7, "ModelCode": 0, "BandCode": 0,
        "CreateDate": b" " * 8, "SoftVersion": b" " * 5, "ModelShort": b" " * 6, "ModelBand": 0,
        "ModelKind": 0,
        "GroupValid": table(0), "GroupName": table(b"    "), "EmgCh1": table(0), "EmgCh2": table(0),
        "WorkCh": table(0), "DwCh1": table(0), "DwCh2": table(0), "MemCh": table(0),
        "ModeEnable": {i: 0 for i in range(5)},
        "AutodialCode": {i: b" " * 16 for i in range(1, 17)},
        "RogerSeq": {i: roger_entry([], 0) for i in range(1, 9)},
        "TxOffset": 0, "FreqChMode": 0, "AsqLevel": 0, "RssiLevel": {i: 0 for i in range(12)},
    }
    for name in OPT_SCALARS_1 + OPT_SCALARS_2 + OPT_SCALARS_3:
        data[name] = 0
    channels = {(m, p, g): empty_channel() for m in MODES for p in POSITIONS for g in GROUPS}
    return {"data": data, "channels": channels}


OPT_SCALARS_1 = ["WorkModeValid", "OptWorkMode", "CBWorkGroup", "HFWorkGroup", "VoxFunction", "ChannelMode",
                 "MemMenu"]
OPT_SCALARS_2 = ["PubBot", "PubEot", "PubCall", "Rtix", "Ttix", "PubHiCut", "PubNbAnl", "PubEcho", "PubAdd10k",
                 "PubBusy", "PubRoger", "Beep", "TxDisplay", "MicLevel", "Nog", "TotTime", "SwrProtect",
                 "VoltProtect", "ScanMode", "Fin", "BacklightColor", "MenuPage", "VoltMin", "VoltMax", "SwrMax",
                 "PubMode"]
OPT_SCALARS_3 = ["DtmfSendTime", "DtmfFirstDigitTime", "DtmfFirstDigitDelay", "DtmfStarHashTone", "DtmfDKey",
                 "DtmfDisplay"]


def document_to_saved(doc, cur_model="MH5120", band_text=HF_BAND_TEXT):
    """The model fields a save refreshes."""
    d = doc["data"]
    d["ModelName"] = text(cur_model.encode("latin-1") + b"\0", 7)
    cur_model = cur_model.strip(" ")
    d["BandCode"] = band_code_of(band_text)
    d["ModelCode"] = 248
    d["ModelShort"] = text((cur_model.encode("latin-1") + b"\0")[:6], 6)
    d["DataVersion"] = b"V200"


def default_document(create_date=b"20260115"):
    """The start-up document without a template, as saved (band text of HF, work mode 0)."""
    doc = blank_document()
    d = doc["data"]
    d["DataVersion"] = b"V200"
    d["WorkMode"] = 0
    d["CurGroup"] = {0: 1, 1: 1}
    for key in d["CurChannel"]:
        d["CurChannel"][key] = 1
    for m in MODES:
        for g in GROUPS:
            d["ChannelCount"][(m, g)] = 0
            for k, f in enumerate(MEMORY_DEFAULT_FREQ):
                add_channel(doc, 41 + k, m, g, f)
        for g in GROUPS:
            add_channel(doc, 1, m, g, GROUP_DEFAULT_FREQ[g - 1])
    d["GroupValid"] = table(1)
    d["GroupName"] = {(m, g): text(bytes([0x40 + g, 0]), 4) for m in MODES for g in GROUPS}
    for name in ("EmgCh1", "EmgCh2", "WorkCh", "DwCh1", "DwCh2"):
        d[name] = table(1)
    d["MemCh"] = table(41)
    defaults = {
        "WorkModeValid": 2, "OptWorkMode": 1, "CBWorkGroup": 1, "HFWorkGroup": 1, "VoxFunction": 0,
        "ChannelMode": 0, "MemMenu": 0, "PubBot": 0, "PubEot": 0, "PubCall": 0, "Rtix": 0, "Ttix": 0,
        "PubHiCut": 0, "PubNbAnl": 1, "PubEcho": 0, "PubAdd10k": 0, "PubBusy": 0, "PubRoger": 0,
        "Beep": 1, "TxDisplay": 0, "MicLevel": 30, "Nog": 0, "TotTime": 0,
        "SwrProtect": 1, "VoltProtect": 1, "ScanMode": 0, "Fin": 0, "BacklightColor": 0, "MenuPage": 1,
        "VoltMin": 97, "VoltMax": 168, "SwrMax": 160, "PubMode": 1,
        "DtmfSendTime": 1, "DtmfFirstDigitTime": 1, "DtmfFirstDigitDelay": 1, "DtmfStarHashTone": 0,
        "DtmfDKey": 0, "DtmfDisplay": 0,
    }
    d.update(defaults)
    d["ModeEnable"] = {i: 1 for i in range(5)}
    d["AutodialCode"] = {i: text(b"\0", 16) for i in range(1, 17)}
    d["TxOffset"] = 100
    d["FreqChMode"] = 0
    d["AsqLevel"] = 5
    d["RssiLevel"] = dict(enumerate([0, 3, 10, 14, 24, 35, 0, 5, 8, 12, 23, 35]))
    d["ModelBand"] = band_code_of(HF_BAND_TEXT)
    d["ModelShort"] = text(b"MH5120\0"[:6], 6)
    d["ModelKind"] = 67
    d["CreateDate"] = text(create_date, 8)
    d["SoftVersion"] = b"V2.00"
    d["RogerSeq"] = {i + 1: roger_entry(t, r) for i, (t, r) in enumerate(DEFAULT_ROGER)}
    document_to_saved(doc)
    return doc


# ---------------------------------------------------------------- random documents

def random_frequency(rng, mode):
    """A stored frequency text as typing a number into the grid produces it, or no frequency."""
    roll = rng.random()
    if roll < 0.04:
        return b"FFFFFFFF"
    if roll < 0.06:
        return b" " * 8
    low, high = (25.615, 30.105) if mode == 0 else (28.0, 29.699)
    decimals = rng.randint(1, 6)
    scale = 10 ** decimals
    value = rng.randint(int(round(low * scale)) + 1, int(round(high * scale)) - 1)
    typed = "%d.%0*d" % (value // scale, decimals, value % scale)
    return text(freq_to_stored(typed), 8)


def random_name(rng, alphabet, max_length, length):
    chosen = "".join(rng.choice(alphabet) for _ in range(rng.randint(0, max_length)))
    raw = chosen.encode("latin-1")
    if len(raw) < length and rng.random() < 0.8:
        raw += b"\0"  # the editors end a short text with NUL; older files may have blanks only
    return text(raw, length)


def random_document(seed):
    rng = random.Random(seed)
    doc = default_document()
    d = doc["data"]
    r = rng.randint
    d["WorkMode"] = r(0, 1)
    d["CurGroup"] = {0: r(1, 11), 1: r(1, 11)}
    for key in d["CurChannel"]:
        d["CurChannel"][key] = r(1, 6)
    for m in MODES:
        for g in GROUPS:
            ids = rng.sample(range(1, 47), r(0, 46))
            if rng.random() < 0.15:
                ids = rng.sample(range(1, 47), 46)
            d["ChannelCount"][(m, g)] = len(ids)
            for p, ch in enumerate(ids, start=1):
                doc["channels"][(m, p, g)] = {
                    "ChId": ch, "InUse": 1, "Scan": r(0, 1), "RxFreq": random_frequency(rng, m),
                    "TxFreq": random_frequency(rng, m), "Reserved1": r(-32768, 32767), "Reserved2": r(-5, 5),
                    "TsqCode": r(0, 142), "EncCode": r(0, 142), "Modulation": r(0, 4),
                    "HiCut": r(0, 1), "NbAnl": r(0, 1), "Echo": r(0, 1), "Add10k": r(0, 1), "BusyLock": r(0, 1),
                    "RogerTone": r(0, 8), "RptShift": r(0, 2), "PublicCh": r(0, 1),
                    "BotCode": r(0, 16), "EotCode": r(0, 16), "CallCode": r(0, 16),
                }
            d["GroupValid"][(m, g)] = r(0, 1)
            d["GroupName"][(m, g)] = random_name(
                rng, "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 4, 4)
            d["EmgCh1"][(m, g)] = r(1, 46)
            d["EmgCh2"][(m, g)] = r(1, 46)
            d["WorkCh"][(m, g)] = r(1, 46)
            d["DwCh1"][(m, g)] = r(1, 46) if rng.random() < 0.5 else rng.choice(ids or [1])
            d["DwCh2"][(m, g)] = r(1, 46) if rng.random() < 0.5 else rng.choice(ids or [1])
            d["MemCh"][(m, g)] = r(41, 46)
    d.update({
        "WorkModeValid": r(0, 2), "OptWorkMode": r(0, 1), "CBWorkGroup": r(1, 10), "HFWorkGroup": r(1, 10),
        "VoxFunction": r(0, 1), "ChannelMode": r(0, 1), "MemMenu": r(0, 1),
        "PubBot": r(0, 16), "PubEot": r(0, 16), "PubCall": r(0, 16), "Rtix": r(-1000, 1000),
        "Ttix": r(-1000, 1000), "PubHiCut": r(0, 1), "PubNbAnl": r(0, 1), "PubEcho": r(0, 1),
        "PubAdd10k": r(0, 1), "PubBusy": r(0, 1), "PubRoger": r(0, 8), "Beep": r(0, 1), "TxDisplay": r(0, 3),
        "MicLevel": r(1, 36), "Nog": r(0, 32), "TotTime": 3 * r(0, 20), "SwrProtect": r(0, 1),
        "VoltProtect": r(0, 1), "ScanMode": r(0, 1), "Fin": r(0, 3), "BacklightColor": r(0, 6),
        "MenuPage": r(1, 9), "SwrMax": r(12, 200), "PubMode": r(0, 4),
        "DtmfSendTime": r(1, 50), "DtmfFirstDigitTime": r(0, 10), "DtmfFirstDigitDelay": r(1, 25),
        "DtmfStarHashTone": rng.choice([0, 1, 5, 10]), "DtmfDKey": r(0, 16), "DtmfDisplay": r(0, 1),
    })
    volts = sorted([r(90, 170), r(90, 170)])
    d["VoltMin"], d["VoltMax"] = volts
    d["ModeEnable"] = {i: r(0, 1) for i in range(5)}
    d["AutodialCode"] = {i: random_name(rng, "0123456789ABCD*#", 16, 16) for i in range(1, 17)}
    for i in range(1, 9):
        steps = [(rng.choice([0, r(40, 255)]), r(0, 255)) for _ in range(14)]
        d["RogerSeq"][i] = roger_entry(steps, r(0, 10), r(0, 255))
    d["TxOffset"] = r(1, 50000)
    d["FreqChMode"] = r(0, 1)
    d["AsqLevel"] = r(1, 9)
    d["RssiLevel"] = {i: r(0, 35) for i in range(12)}
    d["ModelBand"] = r(0, 1)
    d["CreateDate"] = b"%04d%02d%02d" % (r(2000, 2099), r(1, 12), r(1, 28))
    document_to_saved(doc, band_text=band_text_of(d["WorkMode"]))
    return doc


# ---------------------------------------------------------------- data file pair

class Writer:
    def __init__(self):
        self.out = bytearray()

    def i16(self, v):
        self.out += struct.pack("<h", v)

    def i32(self, v):
        self.out += struct.pack("<i", v)

    def fixed(self, v, n):
        assert len(v) == n, (v, n)
        self.out += v


class Reader:
    def __init__(self, data):
        self.data = data
        self.at = 0

    def i16(self):
        self.at += 2
        return struct.unpack_from("<h", self.data, self.at - 2)[0]

    def i32(self):
        self.at += 4
        return struct.unpack_from("<i", self.data, self.at - 4)[0]

    def fixed(self, n):
        self.at += n
        return bytes(self.data[self.at - n:self.at])


def mode_group_keys(groups=GROUPS):
    """Table order on disk: the first index (mode) varies fastest."""
    return [(m, g) for g in groups for m in MODES]


def serialize_data_record(d):
    w = Writer()
    w.fixed(d["DataVersion"], 4)
    w.i16(d["WorkMode"])
    for m in MODES:
        w.i16(d["CurGroup"][m])
    for key in mode_group_keys(range(1, 12)):
        w.i16(d["CurChannel"][key])
    for key in mode_group_keys():
        w.i16(d["ChannelCount"][key])
    w.fixed(d["ModelName"], 7)
    w.i16(d["ModelCode"])
    w.i16(d["BandCode"])
    w.fixed(d["CreateDate"], 8)
    w.fixed(d["SoftVersion"], 5)
    w.fixed(d["ModelShort"], 6)
    w.i16(d["ModelBand"])
    w.i16(d["ModelKind"])
    assert len(w.out) == 128
    for key in mode_group_keys():
        w.i16(d["GroupValid"][key])
    for key in mode_group_keys():
        w.fixed(d["GroupName"][key], 4)
    for name in ("EmgCh1", "EmgCh2"):
        for key in mode_group_keys():
            w.i16(d[name][key])
    for name in OPT_SCALARS_1:
        w.i16(d[name])
    for name in ("WorkCh", "DwCh1", "DwCh2", "MemCh"):
        for key in mode_group_keys():
            w.i16(d[name][key])
    for name in OPT_SCALARS_2:
        w.i16(d[name])
    for i in range(5):
        w.i16(d["ModeEnable"][i])
    for name in OPT_SCALARS_3:
        w.i16(d[name])
    for i in range(1, 17):
        w.fixed(d["AutodialCode"][i], 16)
    assert len(w.out) == 832
    for i in range(1, 9):
        entry = d["RogerSeq"][i]
        for j in range(1, 15):
            w.i16(entry["Tone"][j][0])
            w.i16(entry["Tone"][j][1])
        w.i16(entry["Recycle"])
        w.i16(entry["InterTime"])
    assert len(w.out) == 1312
    w.i32(d["TxOffset"])
    w.i16(d["FreqChMode"])
    w.i16(d["AsqLevel"])
    for i in range(12):
        w.i16(d["RssiLevel"][i])
    assert len(w.out) == DATA_FILE_SIZE
    return bytes(w.out)


CHANNEL_FIELDS = [("ChId", 2), ("InUse", 2), ("Scan", 2), ("RxFreq", 8), ("TxFreq", 8), ("Reserved1", 2),
                  ("Reserved2", 2), ("TsqCode", 2), ("EncCode", 2), ("Modulation", 2), ("HiCut", 2),
                  ("NbAnl", 2), ("Echo", 2), ("Add10k", 2), ("BusyLock", 2), ("RogerTone", 2),
                  ("RptShift", 2), ("PublicCh", 2), ("BotCode", 2), ("EotCode", 2), ("CallCode", 2)]


def serialize_channel(rec):
    w = Writer()
    for name, size in CHANNEL_FIELDS:
        if size == 8:
            w.fixed(rec[name], 8)
        else:
            w.i16(rec[name])
    assert len(w.out) == CHANNEL_RECORD_SIZE
    return bytes(w.out)


def parse_channel(raw):
    r = Reader(raw)
    return {name: (r.fixed(8) if size == 8 else r.i16()) for name, size in CHANNEL_FIELDS}


def serialize_channels(doc):
    out = bytearray()
    for m in MODES:
        for g in GROUPS:
            for p in range(1, doc["data"]["ChannelCount"][(m, g)] + 1):
                out += serialize_channel(doc["channels"][(m, p, g)])
    return bytes(out)


def channel_file_path(data_path):
    return data_path[:-3] + "fre"


def write_pair(doc, data_path):
    with open(data_path, "wb") as f:
        f.write(serialize_data_record(doc["data"]))
    with open(channel_file_path(data_path), "wb") as f:
        f.write(serialize_channels(doc))


# ---------------------------------------------------------------- memory image

CB_SCAN, HF_SCAN = 0x3C80, 0x3CC0
CB_PRESENT, HF_PRESENT = 0x3D80, 0x3DC0


def slot_address(mode, g, s):
    return mode * 0x1E00 + (g - 1) * 0x300 + (s - 1) * 16


def bitmap_location(base, g, s):
    return base + (g - 1) * 6 + (s - 1) // 8, (s - 1) % 8


def pair_number(mode, g):
    return mode * 10 + g - 1


def dtmf_address(i):
    return 0x3880 + 16 * (i - 1) if i <= 8 else 0x3B80 + 16 * (i - 9)


def roger_address(i):
    return 0x3E00 + ((i - 1) // 2) * 64 + ((i - 1) % 2) * 30


# Single settings stored as one byte each: (address, field)
BYTE_SETTINGS = [(0x3F04, "SwrMax"), (0x3F05, "PubMode"), (0x3F08, "PubRoger"), (0x3F09, "PubBot"),
                 (0x3F0A, "PubEot"), (0x3F0B, "PubCall"), (0x3F0C, "Beep"), (0x3F0D, "TxDisplay"),
                 (0x3F0E, "MicLevel"), (0x3F0F, "Nog"), (0x3F10, "TotTime"), (0x3F11, "SwrProtect"),
                 (0x3F12, "VoltProtect"), (0x3F13, "ScanMode"), (0x3F14, "Fin"), (0x3F15, "BacklightColor"),
                 (0x3F1A, "AsqLevel"), (0x3F1B, "DtmfSendTime"), (0x3F1C, "DtmfFirstDigitTime"),
                 (0x3F1D, "DtmfFirstDigitDelay"), (0x3F1E, "DtmfStarHashTone"), (0x3F1F, "DtmfDKey"),
                 (0x3F20, "DtmfDisplay"), (0x3F21, "MenuPage")]
PUB_SWITCHES = ["PubHiCut", "PubNbAnl", "PubEcho", "PubAdd10k", "PubBusy"]
CHANNEL_SWITCHES = ["HiCut", "NbAnl", "Echo", "Add10k", "BusyLock"]


def tone_code_to_image(i):
    if i <= 0:
        return 0, 0
    if i <= 38:
        return 1, i
    return 2, i - 38


def tone_code_from_image(tone_type, number):
    if tone_type == 1:
        return number
    if tone_type == 2:
        return number + 38
    return 0


def init_image():
    image = bytearray(b"\xFF" * IMAGE_SIZE)
    image[0x3C80:0x3D00] = bytes(0x80)
    image[0x3D80:0x3E00] = bytes(0x80)
    return image


def dtmf_storage_slot(mode, g, s):
    # HF groups 9 and 10 keep the DTMF codes in slots 41..48: no channel goes there.
    return mode == 1 and g >= 9 and s >= 41


def encode_channel(image, r, s, g, mode):
    if dtmf_storage_slot(mode, g, s):
        return
    c = slot_address(mode, g, s)
    full = r["RxFreq"]
    t = full if full == b"FFFFFFFF" else (trim_fixed(full) + b"0" * 8)[:8]
    if digits_only(t):
        for i in range(3):
            image[c + 2 - i] = int(t[2 * i:2 * i + 2].decode(), 16)
    else:
        image[c:c + 3] = b"\xFF\xFF\xFF"
    image[c + 3] = 0
    image[c + 4] = 0
    tone_type, number = tone_code_to_image(r["TsqCode"])
    image[c + 5] = number
    image[c + 6] = r["Modulation"]
    image[c + 9] = sum(r[name] << k for k, name in enumerate(CHANNEL_SWITCHES))
    image[c + 10] = r["RogerTone"]
    image[c + 11] = 16 * tone_type + r["RptShift"] + 128 * r["PublicCh"]
    image[c + 12] = r["BotCode"]
    image[c + 13] = r["EotCode"]
    image[c + 14] = r["CallCode"]
    if s <= 46:
        at, bit = bitmap_location(CB_PRESENT if mode == 0 else HF_PRESENT, g, s)
        image[at] |= 1 << bit
    at, bit = bitmap_location(CB_SCAN if mode == 0 else HF_SCAN, g, s)
    image[at] |= r["Scan"] << bit


def encode_options(image, d):
    for mode in MODES:
        image[0x3C00 + 2 * mode] = 0
        image[0x3C01 + 2 * mode] = 0
        for g in GROUPS:
            image[0x3C00 + 2 * mode + (g - 1) // 8] += d["GroupValid"][(mode, g)] << ((g - 1) % 8)
    for mode in MODES:
        for g in GROUPS:
            n = pair_number(mode, g)
            name = (trim_fixed(d["GroupName"][(mode, g)]) + b"\0" * 4)[:4]
            image[0x3C04 + 4 * n:0x3C08 + 4 * n] = name
            image[0x3C54 + 2 * n] = d["EmgCh1"][(mode, g)] - 1
            image[0x3C55 + 2 * n] = d["EmgCh2"][(mode, g)] - 1
            image[0x3D00 + n] = d["WorkCh"][(mode, g)] - 1
            image[0x3D14 + 2 * n] = d["DwCh1"][(mode, g)] - 1
            image[0x3D15 + 2 * n] = d["DwCh2"][(mode, g)] - 1
            image[0x3D40 + n] = d["MemCh"][(mode, g)] - 41
    image[0x3C7C] = 16 * (d["WorkModeValid"] + 1) + d["WorkMode"]
    image[0x3C7D] = d["CBWorkGroup"] - 1
    image[0x3C7E] = d["HFWorkGroup"] - 1
    image[0x3C7F] = d["VoxFunction"] + 2 * d["ChannelMode"] + 4 * d["MemMenu"]
    for address, name in ((0x3F00, "VoltMax"), (0x3F02, "VoltMin")):
        code = round_half_even(d[name] * 1024 / 261.5)
        image[address] = code % 256
        image[address + 1] = code // 256
    image[0x3F06] = sum(d["ModeEnable"][i] << i for i in range(5))
    image[0x3F07] = sum(d[name] << k for k, name in enumerate(PUB_SWITCHES))
    for address, name in BYTE_SETTINGS:
        image[address] = d[name]
    image[0x3F16] = 0
    image[0x3F17] = d["TxOffset"] % 256
    image[0x3F18] = d["TxOffset"] // 256
    image[0x3F19] = d["FreqChMode"]
    for i in range(12):
        image[0x3F30 + i] = d["RssiLevel"][i]
    for i in range(1, 17):
        code = trim_fixed(d["AutodialCode"][i]).decode("latin-1")
        base = dtmf_address(i)
        for k in range(16):
            image[base + k] = dtmf_value(code[k]) if k < len(code) else 16
    image[0x3FF8:0x4000] = b"\x55" * 8


def encode_roger_seqs(image, d):
    for i in range(1, 9):
        b = roger_address(i)
        entry = d["RogerSeq"][i]
        image[b] = entry["Recycle"]
        image[b + 1] = entry["InterTime"]
        for j in range(1, 15):
            image[b + 1 + j] = entry["Tone"][j][0]
            image[b + 15 + j] = entry["Tone"][j][1]


def encode_document(doc):
    """InitImage followed by EncodeDocument."""
    image = init_image()
    d = doc["data"]
    for mode in MODES:
        for g in GROUPS:
            for p in range(1, d["ChannelCount"][(mode, g)] + 1):
                r = doc["channels"][(mode, p, g)]
                encode_channel(image, r, r["ChId"], g, mode)
                if r["ChId"] == d["DwCh1"][(mode, g)]:
                    encode_channel(image, r, 47, g, mode)
                elif r["ChId"] == d["DwCh2"][(mode, g)]:
                    encode_channel(image, r, 48, g, mode)
    encode_options(image, d)
    encode_roger_seqs(image, d)
    return bytes(image)


def decode_options(image, d):
    for mode in MODES:
        for g in GROUPS:
            n = pair_number(mode, g)
            d["GroupValid"][(mode, g)] = (image[0x3C00 + 2 * mode + (g - 1) // 8] >> ((g - 1) % 8)) & 1
            name = b""
            stopped = False
            for b in image[0x3C04 + 4 * n:0x3C08 + 4 * n]:
                if b in (0xFF, 0):
                    stopped = True
                    break
                name += bytes([b])
            if stopped:
                name += b"\0"
            d["GroupName"][(mode, g)] = text(name, 4)
            d["EmgCh1"][(mode, g)] = image[0x3C54 + 2 * n] + 1
            d["EmgCh2"][(mode, g)] = image[0x3C55 + 2 * n] + 1
            d["WorkCh"][(mode, g)] = image[0x3D00 + n] + 1
            d["DwCh1"][(mode, g)] = image[0x3D14 + 2 * n] + 1
            d["DwCh2"][(mode, g)] = image[0x3D15 + 2 * n] + 1
            d["MemCh"][(mode, g)] = image[0x3D40 + n] + 41
    d["WorkMode"] = image[0x3C7C] & 0x0F
    d["WorkModeValid"] = image[0x3C7C] // 16 - 1
    d["CBWorkGroup"] = image[0x3C7D] + 1
    d["HFWorkGroup"] = image[0x3C7E] + 1
    d["VoxFunction"] = image[0x3C7F] & 1
    d["ChannelMode"] = (image[0x3C7F] >> 1) & 1
    d["MemMenu"] = (image[0x3C7F] >> 2) & 1
    for address, name in ((0x3F00, "VoltMax"), (0x3F02, "VoltMin")):
        d[name] = round_half_even((image[address + 1] * 256 + image[address]) * 261.5 / 1024)
    d["ModeEnable"] = {i: (image[0x3F06] >> i) & 1 for i in range(5)}
    for k, name in enumerate(PUB_SWITCHES):
        d[name] = (image[0x3F07] >> k) & 1
    for address, name in BYTE_SETTINGS:
        d[name] = image[address]
    d["TxOffset"] = image[0x3F18] * 256 + image[0x3F17]
    d["FreqChMode"] = image[0x3F19] & 1
    d["RssiLevel"] = {i: image[0x3F30 + i] for i in range(12)}
    for i in range(1, 17):
        code = ""
        stopped = False
        for b in image[dtmf_address(i):dtmf_address(i) + 16]:
            if b > 15:
                stopped = True
                break
            code += DTMF_CHAR[b]
        if stopped:
            code += "\0"
        d["AutodialCode"][i] = text(code, 16)


def decode_channel(image, doc, mode, ch, g):
    d = doc["data"]
    if dtmf_storage_slot(mode, g, ch):
        return
    at, bit = bitmap_location(CB_PRESENT if mode == 0 else HF_PRESENT, g, ch)
    if not (image[at] >> bit) & 1:
        return
    p = d["ChannelCount"][(mode, g)] + 1
    d["ChannelCount"][(mode, g)] = p
    rec = doc["channels"][(mode, p, g)]
    at, bit = bitmap_location(CB_SCAN if mode == 0 else HF_SCAN, g, ch)
    rec.update({"InUse": 1, "ChId": ch, "Scan": (image[at] >> bit) & 1})
    c = slot_address(mode, g, ch)
    freq = ("%02X%02X%02X00" % (image[c + 2], image[c + 1], image[c])).encode()
    if not digits_only(freq):
        d["ChannelCount"][(mode, g)] = p - 1
        return
    rec["RxFreq"] = freq
    rec["Modulation"] = image[c + 6]
    for k, name in enumerate(CHANNEL_SWITCHES):
        rec[name] = (image[c + 9] >> k) & 1
    rec["RogerTone"] = image[c + 10]
    rec["RptShift"] = image[c + 11] & 3
    rec["PublicCh"] = (image[c + 11] >> 7) & 1
    rec["BotCode"] = image[c + 12]
    rec["EotCode"] = image[c + 13]
    rec["CallCode"] = image[c + 14]
    rec["TsqCode"] = tone_code_from_image((image[c + 11] >> 4) & 3, image[c + 5])


def decode_roger_seqs(image, d):
    for i in range(1, 9):
        b = roger_address(i)
        tones = [(image[b + 1 + j], image[b + 15 + j]) for j in range(1, 15)]
        d["RogerSeq"][i] = roger_entry(tones, image[b], image[b + 1])


def decode_image(image, doc):
    """DecodeImage over doc (changed in place); returns the band text it derives."""
    d = doc["data"]
    decode_options(image, d)
    for mode in MODES:
        for g in GROUPS:
            d["ChannelCount"][(mode, g)] = 0
            for ch in range(1, 47):
                decode_channel(image, doc, mode, ch, g)
    decode_roger_seqs(image, d)
    return band_text_of(d["WorkMode"])


def decode_to_saved(image):
    """What a read from the radio saves: the image decoded over the start-up document, then saved."""
    doc = default_document()
    band_text = decode_image(image, doc)
    document_to_saved(doc, band_text=band_text)
    return doc


# ---------------------------------------------------------------- naming differences

def _name_at(starts, position):
    """'name+k' for the last (start, name) at or before position; the table is in ascending order."""
    best = "?"
    for start, name in starts:
        if position >= start:
            best = "%s+%d" % (name, position - start)
    return best


def describe_data_offset(offset):
    """The data file field an offset falls into, for readable mismatch reports."""
    names = [(0, "DataVersion"), (4, "WorkMode"), (6, "CurGroup"), (10, "CurChannel"), (54, "ChannelCount"),
             (94, "ModelName"), (101, "ModelCode"), (103, "BandCode"), (105, "CreateDate"),
             (113, "SoftVersion"), (118, "ModelShort"), (124, "ModelBand"), (126, "ModelKind"),
             (128, "GroupValid"), (168, "GroupName"), (248, "EmgCh1"), (288, "EmgCh2")]
    names += [(328 + 2 * k, n) for k, n in enumerate(OPT_SCALARS_1)]
    names += [(342, "WorkCh"), (382, "DwCh1"), (422, "DwCh2"), (462, "MemCh")]
    names += [(502 + 2 * k, n) for k, n in enumerate(OPT_SCALARS_2)]
    names += [(554, "ModeEnable")]
    names += [(564 + 2 * k, n) for k, n in enumerate(OPT_SCALARS_3)]
    names += [(576, "AutodialCode"), (832, "RogerSeq"), (1312, "TxOffset"), (1316, "FreqChMode"),
              (1318, "AsqLevel"), (1320, "RssiLevel")]
    return _name_at(names, offset)


def describe_image_address(a):
    if a < 0x3C00:
        mode, rest = divmod(a, 0x1E00)
        g, rest = divmod(rest, 0x300)
        s, off = divmod(rest, 16)
        where = "%s group %d slot %d +%d" % ("CB" if mode == 0 else "HF", g + 1, s + 1, off)
        if 0x3880 <= a < 0x3900 or 0x3B80 <= a < 0x3C00:
            where += " (DTMF code area)"
        return where
    areas = [(0x3C00, "GroupValid"), (0x3C04, "GroupName"), (0x3C54, "EmgCh"), (0x3C7C, "mode byte"),
             (0x3C7D, "CBWorkGroup"), (0x3C7E, "HFWorkGroup"), (0x3C7F, "Vox/ChannelMode/MemMenu"),
             (0x3C80, "CB scan bitmap"), (0x3CC0, "HF scan bitmap"), (0x3D00, "WorkCh"), (0x3D14, "DwCh"),
             (0x3D40, "MemCh"), (0x3D80, "CB presence bitmap"), (0x3DC0, "HF presence bitmap"),
             (0x3E00, "roger-beep sequences"), (0x3F00, "single settings"), (0x3F30, "RssiLevel"),
             (0x3F3C, "unused"), (0x3FF8, "0x55 tail")]
    return _name_at(areas, a)
