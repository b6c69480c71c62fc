#!/usr/bin/python3
# Reads an .xlsx as a spreadsheet program would (openpyxl, python3-openpyxl)
# and prints what the tests check as JSON: each sheet's name, frozen panes
# and filter, and its rows, each with its outline level and its cells as
# [value, type, bold] (dates as ISO 8601 text, type "d").
import json
import sys

import openpyxl

book = openpyxl.load_workbook(sys.argv[1])
sheets = []
for sheet in book.worksheets:
    rows = []
    for row in sheet.iter_rows():
        cells = [[c.value.isoformat() if c.is_date else c.value, c.data_type, bool(c.font.b)] for c in row]
        rows.append({"level": sheet.row_dimensions[row[0].row].outline_level, "cells": cells})
    sheets.append({"name": sheet.title, "frozen": sheet.freeze_panes, "filter": sheet.auto_filter.ref, "rows": rows})
json.dump(sheets, sys.stdout)
