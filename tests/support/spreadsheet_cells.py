#!/usr/bin/env python3
"""Prints the non-empty cells of a .xls, .xlsx or .csv file as other readers
see them, one a line: sheet, row, column (0-based), kind (n number, s text)
and value, separated by tabs. Numbers are printed with repr, texts as they
are (tabs and line breaks as \\t and \\n). The .xls goes through xlrd, the
.xlsx through zipfile and the XML parser, the .csv through the csv module
(its fields all count as texts)."""
import csv
import sys
import zipfile
import xml.etree.ElementTree as ET

NS = {"m": "http://schemas.openxmlformats.org/spreadsheetml/2006/main"}
REL = "{http://schemas.openxmlformats.org/officeDocument/2006/relationships}id"


def text(value):
    return value.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")


def out(sheet, row, col, kind, value):
    shown = repr(value) if kind == "n" else text(value)
    print(f"{sheet}\t{row}\t{col}\t{kind}\t{shown}")


def col_index(ref):
    n = 0
    for ch in ref:
        if not ch.isalpha():
            break
        n = n * 26 + ord(ch.upper()) - 64
    return n - 1


def xls(path):
    import xlrd
    book = xlrd.open_workbook(path)
    print(f"#encoding\t{book.encoding}")
    for s in range(book.nsheets):
        sheet = book.sheet_by_index(s)
        for r in range(sheet.nrows):
            for c, cell in enumerate(sheet.row(r)):
                if cell.ctype == xlrd.XL_CELL_NUMBER:
                    out(s, r, c, "n", cell.value)
                elif cell.ctype == xlrd.XL_CELL_TEXT:
                    out(s, r, c, "s", cell.value)


def xlsx(path):
    z = zipfile.ZipFile(path)
    shared = []
    if "xl/sharedStrings.xml" in z.namelist():
        for si in ET.fromstring(z.read("xl/sharedStrings.xml")).findall("m:si", NS):
            shared.append("".join(t.text or "" for t in si.iter("{%s}t" % NS["m"])))
    book = ET.fromstring(z.read("xl/workbook.xml"))
    rels = ET.fromstring(z.read("xl/_rels/workbook.xml.rels"))
    targets = {r.get("Id"): r.get("Target") for r in rels}
    for s, sheet in enumerate(book.find("m:sheets", NS)):
        print(f"#sheet\t{s}\t{sheet.get('name')}")
        root = ET.fromstring(z.read("xl/" + targets[sheet.get(REL)]))
        for col in root.iter("{%s}col" % NS["m"]):
            print(f"#width\t{s}\t{int(col.get('min')) - 1}\t{float(col.get('width')):.2f}")
        for row in root.iter("{%s}row" % NS["m"]):
            for c in row.findall("m:c", NS):
                ref = c.get("r")
                r = int("".join(ch for ch in ref if ch.isdigit())) - 1
                kind = c.get("t")
                if kind == "inlineStr":
                    out(s, r, col_index(ref), "s", "".join(t.text or "" for t in c.iter("{%s}t" % NS["m"])))
                elif kind == "s":
                    out(s, r, col_index(ref), "s", shared[int(c.find("m:v", NS).text)])
                elif c.find("m:v", NS) is not None:
                    out(s, r, col_index(ref), "n", float(c.find("m:v", NS).text))


def csv_file(path):
    with open(path, newline="", encoding="utf-8") as f:
        data = f.read()
    print(f"#bom\t{data.startswith(chr(0xFEFF))}")
    for r, fields in enumerate(csv.reader(data.lstrip("\ufeff").splitlines(keepends=True), strict=True)):
        for c, field in enumerate(fields):
            if field:
                out(0, r, c, "s", field)


def main():
    path = sys.argv[1]
    kind = path.rsplit(".", 1)[-1].lower()
    {"xls": xls, "xlsx": xlsx, "csv": csv_file}[kind](path)


if __name__ == "__main__":
    main()
