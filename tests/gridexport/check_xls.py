#!/usr/bin/env python3
"""Reads back the workbooks written by gridexport_xls_fixture with xlrd, an independent reader."""
import datetime
import subprocess
import sys

import xlrd


def main():
    program, folder = sys.argv[1], sys.argv[2]
    subprocess.run([program, folder], check=True)
    failures = []

    def expect(what, got, want):
        if got != want:
            failures.append(f"{what}: got {got!r}, want {want!r}")

    book = xlrd.open_workbook(f"{folder}/fixture.xls")
    expect("sheets", book.sheet_names(), ["Лист1"])
    sh = book.sheet_by_index(0)
    expect("size", (sh.nrows, sh.ncols), (4, 6))
    expect("titles", sh.row_values(0),
           ["Тип счетчика", "Номер", "Примечание", "Ток, А", "Дата", "Кол-во"])
    T, N, D, E = xlrd.XL_CELL_TEXT, xlrd.XL_CELL_NUMBER, xlrd.XL_CELL_DATE, xlrd.XL_CELL_EMPTY
    expect("types", [list(sh.row_types(r)) for r in range(1, 4)], [
        [T, T, E, N, D, N],
        [T, T, E, N, D, N],
        [T, E, T, N, E, N],
    ])
    expect("row 1", sh.row_values(1)[:2] + sh.row_values(1)[3:4] + sh.row_values(1)[5:],
           ["СО-И446", '12"34', 5.25, 42.0])
    expect("row 2", sh.row_values(2)[:2] + sh.row_values(2)[3:4] + sh.row_values(2)[5:],
           ["Меркурий 230", "A&B <x> {y} \\z", -0.125, 1234567890123.0])
    expect("row 3", sh.row_values(3)[0], "Строка\tс табом\nи переводом")
    expect("row 3 number", sh.cell_value(3, 3), 1e-7)
    expect("date", xlrd.xldate.xldate_as_datetime(sh.cell_value(1, 4), book.datemode),
           datetime.datetime(2024, 3, 7))
    expect("date-time", xlrd.xldate.xldate_as_datetime(sh.cell_value(2, 4), book.datemode),
           datetime.datetime(2023, 12, 31, 13, 45, 10))

    book = xlrd.open_workbook(f"{folder}/long.xls", on_demand=True)
    expect("long sheets", book.sheet_names(), ["Лист1", "Лист2"])
    first, second = book.sheet_by_index(0), book.sheet_by_index(1)
    expect("first sheet rows", first.nrows, 65536)
    expect("second sheet rows", second.nrows, 1 + 70000 - 65535)
    for sh in (first, second):
        expect("long titles", sh.row_values(0), ["№", "Счетчик", "Дата"])
    expect("last row of first sheet", first.row_values(65535)[:2], [65534.0, "Счетчик 65534"])
    expect("first row of second sheet", second.row_values(1)[:2], [65535.0, "Счетчик 65535"])
    expect("last row", second.row_values(second.nrows - 1)[:2], [69999.0, "Счетчик 69999"])
    expect("last date", xlrd.xldate.xldate_as_datetime(second.cell_value(second.nrows - 1, 2), 0),
           datetime.datetime(2020, 1, 1) + datetime.timedelta(days=69999 % 1000))
    expect("last date type", second.cell_type(second.nrows - 1, 2), D)

    for f in failures:
        print(f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
