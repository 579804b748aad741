"""Reads a MIDI Name Document with Python's own XML parser and prints what
a sequencer takes from it, one item a line:

  model<TAB>manufacturer<TAB>model
  bank<TAB>controller 0 value<TAB>bank name
  program<TAB>program change<TAB>number<TAB>name

Usage: midnam_names.py FILE.midnam
"""
import sys
import xml.etree.ElementTree as ElementTree


def main(path):
    root = ElementTree.parse(path).getroot()
    out = []
    for device in root.iter("MasterDeviceNames"):
        for model in device.iter("Model"):
            out.append("model\t%s\t%s" % (device.findtext("Manufacturer"), model.text))
    for bank in root.iter("PatchBank"):
        values = [c.get("Value") for c in bank.iter("ControlChange") if c.get("Control") == "0"]
        out.append("bank\t%s\t%s" % (",".join(values), bank.get("Name")))
        for patch in bank.iter("Patch"):
            out.append("program\t%s\t%s\t%s" % (patch.get("ProgramChange"), patch.get("Number"),
                                                 patch.get("Name")))
    sys.stdout.buffer.write(("\n".join(out) + "\n").encode("utf-8"))


if __name__ == "__main__":
    main(sys.argv[1])
