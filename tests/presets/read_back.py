#!/usr/bin/env python3
"""Reads every file of presets/ (and docs/offsets.csv) back as its tool would, and
compares it item by item with the bridge's tables (`ulvo_offsets_doc --tables`).

The readers follow the tools' file formats, not the generators' code. A value is
(offset, size, signed, mask, shift, divisor, wrap): read `size` bytes, keep
(number & mask) >> shift, add 65536 below `wrap`, divide by `divisor`.

    read_back.py ULVO_OFFSETS_DOC SOURCE_DIR
"""
import collections
import csv
import json
import re
import subprocess
import sys
import xml.etree.ElementTree as ET

DOC, ROOT = sys.argv[1], sys.argv[2]
PRESETS = ROOT + "/presets/"
failures = []


def check(ok, what):
    if not ok:
        failures.append(what)


def read(name):
    with open(PRESETS + name, "rb") as f:
        return f.read()


def expected():
    """The values and the writes the bridge's tables define."""
    t = json.loads(subprocess.run([DOC, "--tables"], check=True, capture_output=True).stdout)
    values = {}
    for i, d in enumerate(t["displays"]):
        wrap = -9999 if d["minus"] and d["digits"] == 5 else None  # shows above 32767
        values["display%02d" % i] = (d["offset"], 2, d["minus"], 0xFFFF, 0, 1, wrap)
    for w in t["bitWords"]:
        for bit, cell in enumerate(w["cells"]):
            source, word = cell["source"], "bitword%02d_" % w["word"]
            if source in ("zero", "covered", "never"):
                continue
            if source == "whole":
                values[word + "byte"] = (w["offset"], 1, False, 0xFF, 0, 1, None)
                continue
            width = cell["width"] if source == "field" else 1
            bits = "bit%d" % bit if width == 1 else "bits%d_%d" % (bit, bit + width - 1)
            mask = ((1 << width) - 1) << bit
            values[word + bits] = (w["offset"], 1, False, mask, bit, 1, None)
    for f in t["further"]:
        full = 0xFF if f["size"] == 1 else 0xFFFF
        divisor = f["factor"] if f["real"] else 1
        values["further_%04x" % f["offset"]] = (f["offset"], f["size"], f["real"], full, 0,
                                                divisor, None)
    writes = {("word", t["commandWord"])} | {("command", c) for c in t["namedCommands"]}
    writes |= {("direct", c["offset"], c["command"]) for c in t["direct"]}
    writes |= {("counter", c["offset"], c["down"], c["up"]) for c in t["steps"]}
    writes |= {("knob", c["offset"], c["command"]) for c in t["setValues"]}
    return values, writes


def compare(name, values, writes, found_values, found_writes):
    """Every item exactly once, none missing, none extra, each equal."""
    for kind, found in (("value", [k for k, _ in found_values]), ("write", found_writes)):
        for item, count in collections.Counter(found).items():
            check(count == 1, "%s: %s %s appears %d times" % (name, kind, item, count))
    found = dict(found_values)
    for key in values.keys() | found.keys():
        check(values.get(key) == found.get(key),
              "%s: %s is %s, the tables say %s" % (name, key, found.get(key), values.get(key)))
    for write in set(writes) ^ set(found_writes):
        check(False, "%s: write %s %s" % (name, write,
                                          "missing" if write in writes else "not in the tables"))


def decode(value, raw):
    offset, size, signed, mask, shift, divisor, wrap = value
    number = (raw & mask) >> shift
    if signed and number >= 1 << (8 * size - 1):
        number -= 1 << (8 * size)
    if wrap is not None and number < wrap:
        number += 65536
    return number / divisor


def integer(text):
    return int(text, 0)


def read_csv(values, writes, path):
    text = open(path, "rb").read()
    check(text.isascii(), "offsets.csv is not ASCII")
    found_values, found_writes = [], []
    for row in csv.DictReader(text.decode().splitlines()):
        offset, size, kind = integer(row["offset"]), int(row["size"]), row["type"]
        check(kind == "%s%d" % ("su"[kind[0] == "u"], 8 * size), "csv type %s" % row)
        if row["access"] == "read":
            part = row["bit"] != ""
            mask = integer(row["mask"]) if part else (1 << 8 * size) - 1
            wrap = int(row["min"]) if kind == "s16" and float(row["max"]) > 32767 else None
            found_values.append((row["key"], (offset, size, kind[0] == "s", mask,
                                              int(row["shift"]) if part else 0,
                                              int(row["divisor"]), wrap)))
        elif row["command_down"]:
            found_writes.append(("counter", offset, int(row["command_down"]),
                                 int(row["command_up"])))
        elif row["access"] == "write-and-cleared":
            found_writes.append(("command", int(row["command"])) if row["command"]
                                else ("word", offset))
        else:
            found_writes.append(("knob" if row["group"] == "Knobs" else "direct", offset,
                                 int(row["command"])))
    compare("offsets.csv", values, writes, found_values, found_writes)


def evaluate(expression, current):
    """A MobiFlight expression of the forms the presets use, with $ = current."""
    text = expression.replace("$", "(%d)" % current)
    check(re.fullmatch(r"[0-9+\-*/%() ]+", text), "expression %r" % expression)
    return eval(text)  # digits and arithmetic only, checked above


def mobiflight_read(value, raw, modifiers):
    """What the Connector shows: 1 byte unsigned, 2 bytes signed, the mask not
    shifted, then the modifiers in order."""
    offset, size, signed, mask, *_ = value
    number = raw & mask
    if size == 2 and number >= 0x8000:
        number -= 0x10000
    for modifier in modifiers:
        if modifier == "bit":
            number = 1 if number != 0 else 0
        else:
            number = evaluate(modifier, number)
    return number


def check_mobiflight(name, values, writes, outputs, inputs):
    guids = [o["guid"] for o in outputs] + [i["guid"] for i in inputs]
    check(len(set(guids)) == len(guids), name + ": GUIDs not unique")
    by_place = {(v[0], v[3]): (key, v) for key, v in values.items()}
    places = []
    for output in outputs:
        offset, size, mask = output["source"]
        check(mask < 1 << 8 * size, "%s: mask 0x%X on %d bytes" % (name, mask, size))
        places.append((offset, mask))
        key, value = by_place.get((offset, mask), (None, None))
        if value is None:
            continue
        check(size == value[1], "%s: %s has size %d" % (name, key, size))
        for raw in {0, 1, mask, mask & 0x5555, 0x8000 & mask, 0x88B8 & mask, 0xFA24 & mask}:
            shown = mobiflight_read(value, raw, output["modifiers"])
            check(shown == decode(value, raw),
                  "%s: %s reads 0x%X as %s, not %s" % (name, key, raw, shown, decode(value, raw)))
        single_bit = value[3] & (value[3] - 1) == 0 and size == 1 and value[3] != 0xFF
        check(("bit" in output["modifiers"]) == single_bit, name + ": bit rule of " + key)
    compare(name, {(v[0], v[3]): 1 for v in values.values()}, set(),
            [(place, 1) for place in places], [])
    found = []
    for item in inputs:
        offset, size, mask = item["source"]
        check(mask == (1 << 8 * size) - 1, name + ": a masked write makes a bit operation")
        actions = item["actions"]
        if item["encoder"]:
            up, down = actions["onRight"], actions["onLeft"]
            check([evaluate(up, v) for v in (0, 254, 255)] == [1, 255, 0], name + ": wrap up")
            check([evaluate(down, v) for v in (0, 1, 255)] == [255, 0, 254], name + ": wrap down")
            found.append(("byte", offset, "encoder"))
        elif offset == 0x9400:
            found.append(("command", int(actions["onPress"])))
        else:
            check(actions == {"onPress": "1", "onRelease": "0"}, name + ": direct value")
            found.append(("byte", offset, "button"))
    controls = {("byte", w[1], "button" if w[0] == "direct" else "encoder")
                for w in writes if w[0] in ("direct", "counter", "knob")}
    compare(name, {}, controls | {w for w in writes if w[0] == "command"}, [], found)


def read_mcc(values, writes):
    text = read("Ulvo737NG.mcc")
    check(text.startswith(b"<?xml"), "the .mcc does not start with its XML declaration")
    check(b"ArcazeUSB.ArcazeConfigItem" not in text, "the .mcc would start a migration")
    root = ET.fromstring(text)

    def source(element):
        attributes = element.attrib
        for key in ("offset", "mask"):
            check(re.fullmatch(r"0x[0-9A-F]{4,}", attributes[key]), "mcc %s %r" % (key, attributes))
        check(attributes["offsetType"] == "Integer" and attributes["bcdMode"] == "False",
              "mcc source %r" % attributes)
        return integer(attributes["offset"]), int(attributes["size"]), integer(attributes["mask"])

    outputs, inputs = [], []
    for config in root.find("outputs"):
        settings = config.find("settings")
        check(config.findtext("active") == "true", "mcc output not active")
        check([c.tag for c in settings] == ["source", "test", "modifiers", "display",
                                            "preconditions", "configrefs"], "mcc output order")
        modifiers = []
        for modifier in settings.find("modifiers"):
            if modifier.tag == "comparison":
                check(modifier.attrib == {"active": "True", "value": "0", "operand": "!=",
                                          "ifValue": "1", "elseValue": "0"}, "mcc comparison")
                modifiers.append("bit")
            else:
                modifiers.append(modifier.attrib["expression"])
        check(settings.find("display").attrib == {"type": "", "serial": ""}, "mcc device set")
        outputs.append({"guid": config.get("guid"), "source": source(settings.find("source")),
                        "modifiers": modifiers})
    for config in root.find("inputs"):
        settings = config.find("settings")
        trigger = settings.find("encoder") if settings.get("type") == "Encoder" else \
            settings.find("button")
        actions = {a.tag: a.find("source").get("inputValue") for a in trigger if len(a)}
        sources = {source(a.find("source")) for a in trigger if len(a)}
        check(len(sources) == 1, "mcc input writes to more than one place")
        inputs.append({"guid": config.get("guid"), "source": sources.pop(), "actions": actions,
                       "encoder": settings.get("type") == "Encoder"})
    check_mobiflight("Ulvo737NG.mcc", values, writes, outputs, inputs)


def read_mfproj(values, writes):
    text = read("Ulvo737NG.mfproj")
    check(text.startswith(b"{"), "the .mfproj does not start with {")
    project = json.loads(text)
    check(not {"_version", "Aircraft", "Controllers"} & project.keys(), "mfproj drift keys")
    outputs, inputs = [], []

    def source(fsuipc):
        check(fsuipc["OffsetType"] == 0 and fsuipc["BcdMode"] is False, "mfproj source")
        return fsuipc["Offset"], fsuipc["Size"], fsuipc["Mask"]

    for config in project["ConfigFiles"]:
        check(config["EmbedContent"] is True and config["FileName"] is None, "mfproj embed")
        for item in config["ConfigItems"]:
            check("Device" not in item and "Controller" not in item, "mfproj device set")
            if item["Type"] == "OutputConfigItem":
                check(item["Source"]["Type"] == "FsuipcSource", "mfproj source type")
                modifiers = ["bit" if m["Type"] == "Comparison" and
                             (m["Operand"], m["Value"], m["IfValue"], m["ElseValue"]) ==
                             ("!=", "0", "1", "0") else m["Expression"]
                             for m in item["Modifiers"]["Items"]]
                outputs.append({"guid": item["GUID"], "modifiers": modifiers,
                                "source": source(item["Source"]["FSUIPC"])})
            else:
                encoder = item["DeviceType"] == "Encoder"
                trigger = {k: v for k, v in item["encoder" if encoder else "button"].items()
                           if isinstance(v, dict)}
                sources = {source(a["FSUIPC"]) for a in trigger.values()}
                check(len(sources) == 1, "mfproj input writes to more than one place")
                inputs.append({"guid": item["GUID"], "source": sources.pop(), "encoder": encoder,
                               "actions": {k: a["Value"] for k, a in trigger.items()}})
    check_mobiflight("Ulvo737NG.mfproj", values, writes, outputs, inputs)


def read_spad(values, writes):
    text = read("FSUIPC Local.xml")
    spad = "{http://www.fsgs.com/SPAD}"
    root = ET.fromstring(text)
    check(root.tag == spad + "DataDefinitions" and root.get("Version") == "1", "SPAD root")
    entries = {}
    for entry in root:
        fields = {c.tag[len(spad):]: c.text or "" for c in entry}
        check(list(fields) == ["Name", "Valuetype", "Size", "Category", "SubCategory", "Access",
                               "Usage", "Key"], "SPAD elements %s" % list(fields))
        check(fields["Valuetype"][1:] == str(8 * int(fields["Size"])), "SPAD type " + fields["Key"])
        check(fields["Key"] not in entries, "SPAD key %s twice" % fields["Key"])
        entries[fields["Key"]] = fields
    for key, value in values.items():
        offset, size, signed, mask, shift, *_ = value
        base = "0000:%04X" % offset
        parent = entries.get(base, {})
        check(parent.get("Valuetype") == ("S" if signed else "U") + str(8 * size),
              "SPAD %s: %s" % (key, parent.get("Valuetype")))
        if size == 1 and mask != 0xFF and mask & (mask - 1) == 0:
            check(base + ":%d" % shift in entries, "SPAD bit entry of " + key)
        elif mask != (1 << 8 * size) - 1:
            top = shift + bin(mask).count("1") - 1
            check("bits %d-%d" % (shift, top) in parent.get("Usage", ""), "SPAD usage of " + key)
    bits = [k for k in entries if k.count(":") == 2]
    check(len(bits) == len(set(bits)), "SPAD bit keys")
    for write in writes:
        if write[0] == "command":
            check(" %d " % write[1] in entries["0000:9400"]["Usage"], "SPAD command %s" % (write,))
        elif write[0] != "word":
            check(entries["0000:%04X" % write[1]]["Access"] == "RW", "SPAD access %s" % (write,))


LUA_TYPES = {"UB": (1, False), "SB": (1, True), "UW": (2, False), "SW": (2, True)}


def read_lua(values, writes):
    text = read("ulvo737_offsets.lua").decode()
    check(not text.startswith("\ufeff"), "BOM in the Lua module")
    found_values, found_writes = [], []
    for line in text.splitlines():
        call = re.match(r'(\w+)\("(\w+)", (.*)\)  --', line)
        if not call:
            continue
        kind, key, args = call.group(1), call.group(2), [integer(a) if a[0] != '"' else a[1:-1]
                                                          for a in call.group(3).split(", ")]
        if kind == "value" and key != "command_word":
            size, signed = LUA_TYPES[args[1]]
            found_values.append((key, (args[0], size, signed, args[2], args[3], args[4],
                                       args[5] if len(args) > 5 else None)))
        elif kind == "value":
            found_writes.append(("word", args[0]))
        else:
            found_writes.append((kind, args[0]))
    # The module writes a byte for a counter or a knob alike: the plug-in sends
    # the commands.
    by_place = {("counter", w[1]) if w[0] == "knob" else w[:2] for w in writes}
    compare("ulvo737_offsets.lua", values, by_place, found_values, found_writes)
    example = read("ulvo737_example.lua").decode()
    check(text in example, "the Lua example does not carry the module")


def read_header(values, writes):
    header = PRESETS + "ulvo737_offsets.h"
    compiled = subprocess.run(["g++", "-std=c++11", "-fsyntax-only", "-Wall", "-Werror",
                               "-x", "c++", header], capture_output=True, text=True)
    check(compiled.returncode == 0, "the C++ header does not compile: " + compiled.stderr)
    found_values, found_writes = [], []
    kinds = {"Command": "command", "Counter": "counter", "Knob": "knob", "Direct": "direct"}
    for kind, key, args in re.findall(r"constexpr (\w+) (\w+)\{(.*)\};", read(
            "ulvo737_offsets.h").decode()):
        args = [{"true": 1, "false": 0}.get(a, None) if a.isalpha() else integer(a)
                for a in args.split(", ")]
        if kind == "Value":
            found_values.append((key, (args[0], args[1], bool(args[2]), args[3], args[4],
                                       args[5], args[6] or None)))
        else:
            found_writes.append((kinds[kind], *args[1 if kind == "Command" else 0:]))
    compare("ulvo737_offsets.h", values, writes - {("word", 0x9400)}, found_values, found_writes)


def read_json(values, writes):
    found_values, found_writes = [], []
    for item in json.loads(read("ulvo737_offsets.json"))["items"]:
        check(item["type"] in ("int", "uint") and item["size"] in (1, 2), "JSON declare form")
        place = (item["address"], item["size"], item["type"] == "int")
        if item["access"] == "read":
            found_values.append((item["key"], (*place, item["mask"], item["shift"],
                                               item["divisor"], item["wrapBelow"])))
        elif item["commandDown"]:
            found_writes.append(("counter", item["address"], item["commandDown"],
                                 item["commandUp"]))
        elif item["access"] == "write-and-cleared":
            found_writes.append(("command", item["command"]) if item["command"]
                                else ("word", item["address"]))
        else:
            found_writes.append(("knob" if item["group"] == "Knobs" else "direct",
                                 item["address"], item["command"]))
    compare("ulvo737_offsets.json", values, writes, found_values, found_writes)


values, writes = expected()
read_csv(values, writes, ROOT + "/docs/offsets.csv")
for reader in (read_mcc, read_mfproj, read_spad, read_lua, read_header, read_json):
    reader(values, writes)
for failure in failures[:40]:
    print("FAIL:", failure)
print("%d values and %d writes read back from every preset; %d failures"
      % (len(values), len(writes), len(failures)))
sys.exit(1 if failures else 0)
