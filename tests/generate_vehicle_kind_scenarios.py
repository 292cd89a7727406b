#!/usr/bin/env python3
"""Writes the scenario files that check every vehicle kind's figures.

For each kind of the truck, APC, armour and other-vehicle lists: a fresh
worksheet, mission factor 2, three vehicles of the kind in one row (the row
moves on with each kind, so every row is used), then every tally the section
writes, and the summary tallies it must leave alone, are checked.

The figures below are the catalogue as the worksheet's users know it, kept
here apart from the program's own tables so that a wrong figure in either
shows as a failing step. The build runs it with the folder to write the .scn
files into; CTest runs those like the other scenario files.
"""

import sys
from pathlib import Path

COUNT = 3
MISSION, FACTOR = "Advance To Contact", 2

SUMMARY = ["Label110", "Label108", "Label40", "Label75", "Label121"]

# Each section: its file, heading, rows (count box, list), its kinds with
# (supply load, squads, cargo pounds, towing), and where each figure goes.
# "supply" is n x supply load (combat load); "needed" is factor x that.
SECTIONS = [
    {
        "file": "truck_kinds.scn",
        "what": "truck",
        "rows": [("Text10", "Combo33"), ("Text13", "Combo34"), ("Text30", "Combo35"),
                 ("Text40", "Combo36"), ("Text44", "Combo37")],
        "kinds": [
            ("ZIL Medium Truck", 4, 2, 5000, 1),
            ("Ural-375 Heavy Truck", 5, 3, 8000, 1),
            ("Landrover", 2, 0.5, 1250, 1),
            ("Trailer", 0, 0, 700, 0),
            ("Mule Train", 1, 0, 1200, 0),
            ("PTS", 11, 7, 12952, 1),
            ("LARC-5", 7, 2, 11200, 1),
            ("BAV-485", 5, 2.5, 5500, 1),
            ("ATMP", 4, 0, 3530, 1),
        ],
        "tallies": {
            "squads": ["Label110"],
            "cargo": ["Label108"],
            "towing": ["Label40", "Label25"],
            "needed": ["Label75", "Label21"],
            "supply": ["Label121", "Label18"],
            "zero": ["Label33", "Label22"],
        },
    },
    {
        "file": "apc_kinds.scn",
        "what": "APC",
        "rows": [("Text46", "Combo39"), ("Text47", "Combo40"), ("Text48", "Combo41"),
                 ("Text49", "Combo42")],
        "kinds": [
            ("BMD-1 APC", 8, 0.5, 0, 1),
            ("ENGESA EE-11 Uruta APC", 4, 1, 500, 1),
            ("FV433 Stormer Command Post", 4, 0.5, 500, 1),
            ("BTR-152 APC", 3, 2, 1200, 1),
            ("FV 601 Saracen APC", 3, 1, 600, 1),
            ("AMX-VCG Engineer Vehicle", 4, 1, 500, 1),
        ],
        "tallies": {
            "squads": ["Label110", "Label53"],
            "cargo": ["Label108", "Label47"],
            "towing": ["Label40", "Label46"],
            "needed": ["Label75", "Label50"],
            "supply": ["Label121", "Label34"],
            "zero": [],
        },
    },
    {
        "file": "armour_kinds.scn",
        "what": "armour",
        "rows": [("Text20", "Combo30"), ("Text21", "Combo31"), ("Text22", "Combo32"),
                 ("Text52", "Combo45"), ("Text53", "Combo46")],
        # "ASU-57 Assault Gun" is not offered by the lists, so no user can pick it.
        "kinds": [
            ("M-48 Medium Tank", 15, 0.5, 0, 1),
            ("AMX-13 Lt Tank", 10, 0, 0, 1),
            ("TAM Medium Tank", 10, 0, 0, 1),
            ("PT-76 Lt Tank", 8, 0, 0, 1),
            ("Scorpion Lt Tank", 9, 0, 0, 1),
            ("Type 69 Main Battle Tank", 18, 0.5, 0, 1),
            ("FV-601 Saladin Armoured Car", 6, 0.5, 0, 1),
            ("Panhard VBL Armoured Car", 4, 0.5, 0, 1),
            ("Wiesel Armoured Veh", 4, 0, 0, 1),
            ("EE-9 Cascavel Armoured Car", 7, 0.5, 0, 1),
            ("Fiat 6616 Armoured Car", 4, 0, 0, 1),
            ("EE-3 Jararaca Armoured Car", 4, 0, 0, 1),
        ],
        "tallies": {
            "squads": ["Label110", "Label41"],
            "cargo": ["Label108"],
            "towing": ["Label40", "Label60"],
            "needed": ["Label75", "Label77"],
            "supply": ["Label121", "Label80"],
            "zero": [],
        },
    },
    {
        "file": "other_vehicle_kinds.scn",
        "what": "other-vehicle",
        "rows": [("Text12", "Combo25"), ("Text18", "Combo28"), ("Text19", "Combo29"),
                 ("Text50", "Combo43")],
        "kinds": [
            ("VT-55 Armoured Recovery Vehicle", 5, 0, 0, 1),
            ("M-820 Mobile Workshop", 3, 0, 0, 1),
            ("IMR Combat Engineer Vehicle", 8, 0, 0, 1),
            ("RV-730 Recovery Truck", 3, 0, 0, 1),
            ("BAT-M Bulldozer", 2, 0, 0, 1),
            ("Military Excavator", 2, 0, 0, 1),
            ("EWK-M2 Ferry", 10, 0, 0, 1),
            ("Ceasar 155mm SP Arty", 26, 0, 0, 1),
            ("Abbot 105mm SP Arty", 22, 0, 0, 1),
            ("SPM-85 SP Mortar", 9, 0, 0, 1),
            ("Astros II", 32, 0, 0, 1),
            ("Panhard M3 VDA", 12, 0, 0, 1),
            ("ZRK Romb Launcher (SA-8)", 5, 0, 0, 0),
            ("AMX-DCA", 12, 0, 0, 1),
        ],
        "tallies": {
            "squads": ["Label110"],
            "cargo": ["Label108"],
            "towing": ["Label40", "Label44"],
            "needed": ["Label75", "Label55"],
            "supply": ["Label121", "Label130"],
            "zero": [],
        },
    },
]


def shown(value):
    """A tally's text for the small whole and half values these cases give."""
    assert abs(value) < 1e15 and value * 2 == int(value * 2)
    return str(int(value)) if value == int(value) else str(value)


def scenario(section):
    lines = [
        "# Generated by tests/generate_vehicle_kind_scenarios.py: edit the script, not this file.",
        f"# Every {section['what']} kind's figures: {COUNT} vehicles of the kind, mission factor",
        f"# {FACTOR} (\"{MISSION}\"), one kind on a fresh worksheet, the rows taken in turn.",
    ]
    for i, (kind, supply, squads, cargo, towing) in enumerate(section["kinds"]):
        count_box, list_ = section["rows"][i % len(section["rows"])]
        values = {
            "squads": COUNT * squads,
            "cargo": COUNT * cargo,
            "towing": COUNT * towing,
            "needed": FACTOR * COUNT * supply,
            "supply": COUNT * supply,
            "zero": 0,
        }
        lines += ["", f"# {COUNT} \"{kind}\" in row {i % len(section['rows']) + 1}",
                  "restart", f"pick Combo2 {MISSION}", f"type {count_box} {COUNT}",
                  f"pick {list_} {kind}"]
        for figure, tallies in section["tallies"].items():
            for tally in tallies:
                lines.append(f"expect {tally} {shown(values[figure])}")
        written = {t for ts in section["tallies"].values() for t in ts}
        assert set(SUMMARY) <= written, "every summary tally is checked"
    return "\n".join(lines) + "\n"


def main():
    out = Path(sys.argv[1])
    out.mkdir(parents=True, exist_ok=True)
    for section in SECTIONS:
        (out / section["file"]).write_text(scenario(section))


if __name__ == "__main__":
    main()
