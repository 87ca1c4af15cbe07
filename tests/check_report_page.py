#!/usr/bin/env python3
"""Reads a run report's page with an XML parser and prints what it holds:

    plan=<plan-view SVGs> sections=<station sections> stations=<station table rows>

or one line naming what is wrong with it (no XHTML root, a script, a
resource fetched from elsewhere) and exit status 1. A page an XML parser
cannot read ends with the parser's message and exit status 1.
"""

import sys
import xml.etree.ElementTree as ET

NS = "{http://www.w3.org/1999/xhtml}"
SVG = "{http://www.w3.org/2000/svg}"


def main(path):
    try:
        root = ET.parse(path).getroot()
    except ET.ParseError as error:
        print("not well-formed: %s" % error)
        return 1
    if root.tag != NS + "html":
        print("root element is %s, not the XHTML html element" % root.tag)
        return 1
    for element in root.iter():
        if element.tag in (NS + "script", SVG + "script", NS + "link", NS + "img",
                           NS + "iframe", NS + "object"):
            print("page holds a %s element" % element.tag.split("}")[1])
            return 1
        for name, value in element.attrib.items():
            if name in ("src", "href") and not value.startswith("#"):
                print("page refers to %s" % value)
                return 1
    plans = [e for e in root.iter(SVG + "svg") if e.get("class") == "plan"]
    sections = [e for e in root.iter(NS + "details") if e.get("class") == "station"]
    table = next((e for e in root.iter(NS + "section") if e.get("id") == "stations"), None)
    if table is None:
        print("page holds no station table")
        return 1
    rows = len(list(table.iter(NS + "tr"))) - 1
    print("plan=%d sections=%d stations=%d" % (len(plans), len(sections), rows))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
