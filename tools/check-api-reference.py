#!/usr/bin/env python3
"""Writes the engine's API reference with doxygen (the Doxyfile of the source folder, its output
moved into the given folder) and checks it: no doxygen warning, and a brief description for every
public class, struct and operation of the headers. Exit code 0 when there is no problem."""

import argparse
import glob
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ElementTree

WARNING = re.compile(r"^(.*?):(\d+): warning: ")


def run_doxygen(doxygen, source, output, exclude=()):
    """Runs doxygen in the source folder, leaving out the headers named in exclude; returns its
    warnings, each with its continuation lines."""
    for old in ("html", "xml"):  # doxygen leaves the pages of removed or excluded headers
        shutil.rmtree(os.path.join(output, old), ignore_errors=True)
    os.makedirs(output, exist_ok=True)
    log = os.path.join(output, "warnings.log")
    with open(os.path.join(source, "Doxyfile")) as doxyfile:
        config = doxyfile.read() + "\nOUTPUT_DIRECTORY = %s\nWARN_LOGFILE = %s\n" % (output, log)
    if exclude:
        config += "EXCLUDE_PATTERNS = %s\n" % " ".join("*/" + name for name in exclude)
    result = subprocess.run([doxygen, "-"], cwd=source, input=config, text=True,
                            capture_output=True)
    if result.returncode != 0:
        sys.exit("doxygen failed (%d):\n%s%s" % (result.returncode, result.stdout, result.stderr))
    warnings = []
    with open(log) as lines:
        for line in lines:
            if WARNING.match(line) or not warnings:
                warnings.append(line)
            else:
                warnings[-1] += line  # a warning's continuation lines
    return [text.rstrip() for text in warnings]


def text_of(element):
    return "".join(element.itertext()).strip() if element is not None else ""


def missing_briefs(xml_folder):
    """(header, what) for every public class, struct or operation without a brief."""
    missing = []
    for path in sorted(glob.glob(os.path.join(xml_folder, "*.xml"))):
        for compound in ElementTree.parse(path).getroot().iter("compounddef"):
            kind, name = compound.get("kind"), compound.findtext("compoundname")
            if kind not in ("class", "struct") or compound.get("prot", "public") != "public":
                continue
            header = os.path.basename(compound.find("location").get("file"))
            if not text_of(compound.find("briefdescription")):
                missing.append((header, "%s %s" % (kind, name)))
            for member in compound.iter("memberdef"):
                arguments = (member.findtext("argsstring") or "").replace(" ", "")
                if member.get("prot") != "public" or arguments.endswith("=delete"):
                    continue
                if not text_of(member.find("briefdescription")):
                    where = os.path.basename(member.find("location").get("file"))
                    missing.append((where, "%s::%s%s" % (name, member.findtext("name"),
                                                         member.findtext("argsstring") or "")))
    return missing


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--doxygen", default="doxygen")
    parser.add_argument("--source", required=True, help="the folder with the Doxyfile")
    parser.add_argument("--output", required=True, help="where html/ and xml/ are written")
    parser.add_argument("--exclude", nargs="*", default=[], metavar="HEADER",
                        help="headers left out of the reference (the engine's internal ones)")
    parser.add_argument("--warn-only", action="store_true",
                        help="print the problems but succeed (the reference is still written)")
    args = parser.parse_args()
    output = os.path.abspath(args.output)
    problems = run_doxygen(args.doxygen, args.source, output, args.exclude)
    problems += ["%s: no brief: %s" % (name, what)
                 for name, what in missing_briefs(output + "/xml")]
    for text in problems:
        print(text)
    print("API reference: %s/html/index.html; %d problems" % (output, len(problems)))
    return 1 if problems and not args.warn_only else 0


if __name__ == "__main__":
    sys.exit(main())
