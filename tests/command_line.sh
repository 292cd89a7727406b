#!/usr/bin/env bash
# The program from the command line, with no display: a summary, its JSON,
# two plans compared, the page as a PDF file, and files that are no plans.
#
#   command_line.sh COMBAT-WORKSHEET WORKSHEET-SCRIPT
set -euo pipefail
program=$1 runner=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work HOME=$work

failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# expect STATUS COMMAND...: runs it, its output in out and err.
expect() {
    local want=$1 got=0
    shift
    "$@" >out 2>err || got=$?
    [ "$got" = "$want" ] || fail "$* exited $got, not $want: $(cat err)"
}
has() { grep -qxF -- "$2" "$1" || fail "$1 lacks the line '$2':"$'\n'"$(cat "$1")"; }

cat >make.scn <<SCN
pick Combo2 Recon
type Text10 2
pick Combo33 ZIL Medium Truck
save $work/A.cwplan
type Text13 1
pick Combo34 Ural-375 Heavy Truck
save $work/B.cwplan
SCN
"$runner" make.scn >/dev/null

expect 0 "$program" --summary A.cwplan
for line in "You can carry: 4 squads" "Or: 10000 pounds of cargo" "You can tow: 2 weapons from the towed section" \
    "You will need: 8 combat supplies for the mission" "Of those: 8 supplies carried as the combat load" \
    "  Trucks row 1, 2 × ZIL Medium Truck +4"; do
    has out "$line"
done
[ ! -s err ] || fail "--summary wrote to standard error: $(cat err)"

expect 0 "$program" --summary --json A.cwplan
python3 - out <<'PY' || fail "--summary --json: $(cat out)"
import json, sys
s = json.load(open(sys.argv[1]))
carry = s["figures"]["Label110"]
assert carry["saying"] == "You can carry: 4 squads" and carry["value"] == 4, carry
assert carry["breakdown"][0]["text"] == "Trucks row 1, 2 × ZIL Medium Truck +4", carry
assert s["missionType"] == "Recon", s
assert [r["row"] for r in s["rows"]] == ["Trucks row 1"] and s["rows"][0]["count"] == "2", s["rows"]
PY

expect 1 "$program" --compare A.cwplan B.cwplan
has out "  You can carry: 4 squads against 7 squads (+3)"
has out "  Trucks row 2: blank against 1 × Ural-375 Heavy Truck"
expect 0 "$program" --compare B.cwplan B.cwplan
has out "No row differs"
expect 1 "$program" --compare --json A.cwplan B.cwplan
python3 - out <<'PY' || fail "--compare --json: $(cat out)"
import json, sys
c = json.load(open(sys.argv[1]))
assert c["figuresDiffer"] is True and (c["first"], c["second"]) == ("A.cwplan", "B.cwplan"), c
assert (c["figures"][0]["first"], c["figures"][0]["second"]) == (4, 7), c["figures"][0]
assert [r["what"] for r in c["rows"]] == ["Trucks row 2"], c["rows"]
PY

expect 0 "$program" --export-pdf a.pdf A.cwplan
[ "$(pdfinfo a.pdf | sed -n 's/^Pages: *//p')" = 1 ] || fail "a.pdf is not one page"
pdftotext a.pdf - | grep -q "ZIL Medium Truck" || fail "a.pdf lacks the truck's name"
expect 2 "$program" --export-pdf "$work/no/such/folder/a.pdf" A.cwplan
grep -q "could not be saved" err || fail "a PDF that cannot be written: $(cat err)"
# On a disk that takes no more, the page is not said to be saved, and no
# file cut short is left.
expect 2 bash -c 'trap "" XFSZ; ulimit -f 16; exec "$0" --export-pdf full.pdf A.cwplan' "$program"
grep -q "could not be saved as full.pdf" err && [ ! -e full.pdf ] || fail "a PDF on a full disk: $(cat err)"

# Files that are no plans: the window's words on standard error, nothing on
# standard output, exit status 2.
echo hello >hello.cwplan
for option in --summary "--summary --json" --export-pdf=x.pdf --print; do
    # shellcheck disable=SC2086
    expect 2 "$program" $option hello.cwplan
    [ ! -s out ] || fail "$option of no plan wrote: $(cat out)"
    has err 'combat-worksheet: "hello.cwplan" cannot be opened: it is not a Combat Worksheet plan.'
done
expect 2 "$program" --compare A.cwplan missing.cwplan
has err 'combat-worksheet: "missing.cwplan" cannot be opened: there is no such file.'
expect 2 "$program" --compare A.cwplan
has err "combat-worksheet: --compare takes two plans"
expect 2 "$program" --summary A.cwplan B.cwplan
has err "combat-worksheet: give one plan"
expect 2 "$program" --summary --print A.cwplan
expect 2 "$program" --json --export-pdf=x.pdf A.cwplan
expect 2 "$program" --json A.cwplan
expect 0 "$program" --help
for option in --summary --json --compare --export-pdf --print; do
    grep -q -- "$option" out || fail "--help does not list $option"
done

echo "$failures failures"
[ "$failures" = 0 ]
