#!/usr/bin/env bash
# Byte comparison of two builds of kalorimo-calc over mixed batch lines: every pair (both
# orders), wet and out-of-range states, bad lines and "is" lines, in every format, three units
# and with --reference if97; standard output, standard error and the exit code.
# Usage: scripts/compare_calc.sh OLD_CALC NEW_CALC [LINES]   (default 60 000 lines)
set -euo pipefail
old="$1"
new="$2"
n="${3:-60000}"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
awk -v n="$n" 'BEGIN {
  srand(7)
  split("p,t p,h t,h x,t x,p p,s t,s h,s t,p h,p s,h", pairs, " ")
  lo["p"] = 0.0005; hi["p"] = 30;   dec["p"] = 4
  lo["t"] = -10;    hi["t"] = 700;  dec["t"] = 3
  lo["h"] = 50;     hi["h"] = 4000; dec["h"] = 2
  lo["s"] = 0.1;    hi["s"] = 10;   dec["s"] = 4
  lo["x"] = -0.1;   hi["x"] = 1.2;  dec["x"] = 3
  split("bzdura|p,t 1|p,t a b|# komentarz||p,t \"1\" \"200\"|is 10 500 0,005 eta=85|is 10 500 0,005 t2=40|is 1 300 0,1|x,t 1 2 3|p,t 1e3 200|p,t 1 000 200|p,t 0,0001 100", odd, "|")
  for (i = 0; i < n; i++) {
    if (rand() < 0.02) { print odd[int(rand() * 13) + 1]; continue }
    pr = pairs[int(rand() * 11) + 1]
    a = substr(pr, 1, 1); b = substr(pr, 3, 1)
    va = sprintf("%." dec[a] "f", lo[a] + rand() * (hi[a] - lo[a]))
    vb = sprintf("%." dec[b] "f", lo[b] + rand() * (hi[b] - lo[b]))
    if (rand() < 0.5) sub(/\./, ",", va)
    if (rand() < 0.5) sub(/\./, ",", vb)
    print pr " " va " " vb
  }
}' > "$work/lines"
status=0
while read -r args; do
  for side in old new; do
    calc="$old"
    [ "$side" = new ] && calc="$new"
    # shellcheck disable=SC2086
    set +e
    "$calc" --data "$work" $args --batch < "$work/lines" > "$work/$side.out" 2> "$work/$side.err"
    echo "exit $?" >> "$work/$side.out"
    set -e
  done
  if cmp -s "$work/old.out" "$work/new.out" && cmp -s "$work/old.err" "$work/new.err"; then
    echo "same: $args ($(wc -c < "$work/new.out") bytes)"
  else
    echo "DIFFERENT: $args"
    status=1
  fi
done <<'ARGS'
--format json
--format csv
--format text
--format json --unit bar
--format csv --unit kPa
--format text --unit kPa
--format json --reference if97
ARGS
exit $status
