#!/usr/bin/env python3
"""Times addrina-print against gLabels' batch tool on the same addresses, whole commands.

Both print mailing labels on Avery 5160 sheets (3 x 10 per letter page) into a PDF: the
3,000 records of tests/fixtures/xbase/bulk3k.dbf (the live ones), and 10,000 live records
made by repeating them. gLabels merges the same addresses from a CSV file into a project
written here. Wall time comes from hyperfine, both programs in one run of it; peak memory
and processor time from /usr/bin/time -v. gLabels takes minutes and gigabytes for 10,000
labels, so there it runs once, under /usr/bin/time alone.

Needs: a build with addrina-print and xbtool, the Debian packages glabels and hyperfine.
    bench/labels_vs_glabels.py [build/bin] [--runs N] [--skip-glabels-10k]
Not run by the tests.
"""
import argparse
import csv
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
FIXTURE = os.path.join(ROOT, "tests", "fixtures", "xbase", "bulk3k")
FIELDS = ["PREFIX", "FNAME", "MIDDLE", "LNAME", "TITLE", "ORG", "STREET", "STREET2", "CITY", "STATE", "ZIP",
          "COUNTRY"]


def read_dbf(path):
    """The header bytes, the field layout and the raw records of a DBF file."""
    with open(path, "rb") as f:
        data = f.read()
    count, header_length, record_length = struct.unpack("<IHH", data[4:12])
    fields, offset, at = {}, 1, 32
    while data[at] != 0x0D:
        name = data[at:at + 11].split(b"\0")[0].decode("ascii")
        fields[name] = (offset, data[at + 16])
        offset += data[at + 16]
        at += 32
    records = [data[header_length + i * record_length:header_length + (i + 1) * record_length] for i in range(count)]
    return data[:header_length], fields, records


def value(record, fields, name):
    start, length = fields[name]
    return record[start:start + length].decode("cp1252").strip()


def live(record, fields):
    """A record a label run prints: not deleted, not marked deleted in its prefix."""
    return record[0:1] != b"*" and not value(record, fields, "PREFIX").upper().startswith("DELETED")


def address(record, fields):
    v = {name: value(record, fields, name) for name in FIELDS}
    middle = v["MIDDLE"] + "." if v["MIDDLE"] else ""
    name = " ".join(p for p in (v["PREFIX"], v["FNAME"], middle, v["LNAME"]) if p)
    city = " ".join(p for p in (v["CITY"], v["STATE"]) if p) + ("  " + v["ZIP"] if v["ZIP"] else "")
    return [name, v["TITLE"], v["ORG"], v["STREET"], v["STREET2"], city.strip(), v["COUNTRY"]]


def write_book(work, name, header, records):
    """A DBF of the given live records with the fixture's index tags, rebuilt by xbtool."""
    path = os.path.join(work, name + ".dbf")
    header = bytearray(header)
    header[4:8] = struct.pack("<I", len(records))
    with open(path, "wb") as f:
        f.write(header)
        for record in records:
            f.write(record)
        f.write(b"\x1a")
    shutil.copy(FIXTURE + ".cdx", os.path.join(work, name + ".cdx"))
    return path


def write_glabels(work, name, csv_path):
    """A gLabels project: Avery 5160, one text object merging the address lines, Sans 10."""
    lines = "<NL/>".join('<Field name="%s"/>' % key for key in
                         ("NAME", "TITLE", "ORG", "STREET", "STREET2", "CITYLINE", "COUNTRY"))
    project = f"""<?xml version="1.0"?>
<Glabels-document xmlns="http://glabels.org/xmlns/3.0/">
  <Template brand="Avery" part="5160" size="US-Letter" description="Address Labels">
    <Meta category="label"/>
    <Label-rectangle id="0" width="2.625in" height="1in" round="0.0625in" x_waste="0in" y_waste="0in">
      <Markup-margin size="0.0625in"/>
      <Layout nx="3" ny="10" x0="0.15625in" y0="0.5in" dx="2.78125in" dy="1in"/>
    </Label-rectangle>
  </Template>
  <Objects id="0" rotate="False">
    <Object-text x="0.2in" y="0.1in" w="2.225in" h="0.8in" justify="Left" valign="Top" auto_shrink="True"
        a0="1" a1="0" a2="0" a3="1" a4="0" a5="0">
      <Span color="0x000000ff" font_family="Sans" font_size="8" font_weight="normal" font_italic="False"
          line_spacing="1">{lines}</Span>
    </Object-text>
  </Objects>
  <Merge type="Text/Comma/Line1Keys" src="{csv_path}"/>
</Glabels-document>
"""
    path = os.path.join(work, name + ".glabels")
    with open(path, "w") as f:
        f.write(project)
    return path


def time_v(command):
    """Wall seconds, processor seconds and peak resident MB of one run of a command."""
    run = subprocess.run(["/usr/bin/time", "-f", "%e %U %S %M"] + command, capture_output=True, text=True)
    if run.returncode != 0:
        sys.exit("failed: %s\n%s" % (" ".join(command), run.stderr[-2000:]))
    wall, user, system, peak = run.stderr.split()[-4:]
    return float(wall), float(user) + float(system), int(peak) / 1024


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("bin", nargs="?", default=os.path.join(ROOT, "build", "bin"))
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--skip-glabels-10k", action="store_true", help="gLabels needs minutes and GBs for it")
    args = parser.parse_args()
    printer = os.path.join(args.bin, "addrina-print")
    work = tempfile.mkdtemp(prefix="labels-vs-glabels-")
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen", XDG_DATA_HOME=work)
    os.environ.update(env)
    try:
        header, fields, records = read_dbf(FIXTURE + ".dbf")
        alive = [r for r in records if live(r, fields)]
        sizes = {"3k": alive, "10k": (alive * (10000 // len(alive) + 1))[:10000]}
        results = []
        for size, chosen in sizes.items():
            csv_path = os.path.join(work, size + ".csv")
            with open(csv_path, "w", newline="", encoding="utf-8") as f:
                out = csv.writer(f)
                out.writerow(["NAME", "TITLE", "ORG", "STREET", "STREET2", "CITYLINE", "COUNTRY"])
                for record in chosen:
                    out.writerow(address(record, fields))
            book = write_book(work, size, header, records if size == "3k" else chosen)
            subprocess.run([os.path.join(args.bin, "xbtool"), "reindex", book], check=True, capture_output=True)
            ours = [printer, "labels", book, "--template", "5160", "-o", os.path.join(work, size + "-ours.pdf")]
            theirs = ["glabels-3-batch", "-o", os.path.join(work, size + "-glabels.pdf"),
                      write_glabels(work, size, csv_path)]
            timed = [ours] if size == "10k" else [ours, theirs]
            report = os.path.join(work, size + ".json")
            subprocess.run(["hyperfine", "--warmup", "1", "--runs", str(args.runs), "--export-json", report] +
                           [" ".join("'%s'" % a for a in c) for c in timed], check=True)
            with open(report) as f:
                times = [r["mean"] for r in json.load(f)["results"]]
            for command, seconds in zip(timed, times):
                results.append((size, os.path.basename(command[0])) + (seconds,) + time_v(command)[1:])
            if size == "10k" and not args.skip_glabels_10k:
                results.append((size, "glabels-3-batch") + time_v(theirs))
        print("\nlabels  program            wall s    cpu s   peak MB")
        for size, program, seconds, cpu, mb in results:
            print("%-7s %-18s %7.3f %8.3f %9.1f" % (size, program, seconds, cpu, mb))
        by = {(s, p): t for s, p, t, _, _ in results}
        for size in sizes:
            if (size, "glabels-3-batch") in by:
                print("%s: addrina-print is %.1fx faster" % (size, by[(size, "glabels-3-batch")] / by[(size, "addrina-print")]))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == "__main__":
    main()
