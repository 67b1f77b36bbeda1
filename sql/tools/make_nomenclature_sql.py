#!/usr/bin/env python3
"""Turns the nomenclature tables (tab-separated, one header line) into
sql/nomenclature.sql. Usage: make_nomenclature_sql.py REFDATA_DIR > nomenclature.sql"""
import csv
import sys
from pathlib import Path


def quoted(text):
    return "'" + text.replace("\\", "\\\\").replace("'", "\\'") + "'"


def rows(folder, name):
    with open(Path(folder) / name, encoding="ascii", newline="") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def insert(table, columns, values):
    print(f"INSERT INTO nomenc.{table} ({', '.join('`%s`' % c for c in columns)}) VALUES")
    print(",\n".join("  (" + ", ".join(v) + ")" for v in values) + ";\n")


def main(folder):
    print("-- Nomenclature of a new installation: indemnity codes, emergencies,")
    print("-- infectious diseases, minimum wages and legal holidays.\n")
    insert("siui_sickleaveindemnizations", ["code", "description", "percent"],
           [[quoted(r["code"]), quoted(r["description"]), r["percent"]]
            for r in rows(folder, "indemnity_codes.tsv")])
    insert("siui_medicochirurgicalemergencies", ["code", "description"],
           [[quoted(r["code"]), quoted(r["description"])] for r in rows(folder, "emergency_codes.tsv")])
    insert("siui_infectocontagiousdiseases", ["code", "description"],
           [[quoted(r["code"]), quoted(r["description"])] for r in rows(folder, "infectious_diseases.tsv")])
    insert("salarii_minime", ["zi_start", "zi_stop", "salariu", "legiferare"],
           [[quoted(r["zi_start"]), quoted(r["zi_stop"]), r["salariu"], quoted(r["legiferare"])]
            for r in rows(folder, "minimum_wages.tsv")])
    insert("zile_de_sarbatori_legale", ["ziua", "descriere", "legiferare"],
           [[quoted(r["ziua"]), quoted(r["descriere"]), quoted(r["legiferare"])]
            for r in rows(folder, "legal_holidays.tsv")])


if __name__ == "__main__":
    main(sys.argv[1])
