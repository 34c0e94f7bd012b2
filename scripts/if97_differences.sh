#!/usr/bin/env bash
# Typical differences between the calculator's own equations and IAPWS-IF97 over a grid of states:
# superheated steam 1-20 MPa (p,t), wet steam (x,p) and compressed water (p,t), each line run through
# `kalorimo-calc --reference if97`. Prints a Markdown table (the README's table comes from here).
# Usage: scripts/if97_differences.sh [path/to/kalorimo-calc]   (default: builds build-rel)
set -euo pipefail
cd "$(dirname "$0")/.."
calc=${1:-}
if [ -z "$calc" ]; then
  cmake -S . -B build-rel -DCMAKE_BUILD_TYPE=Release -DKALORIMO_GUI=OFF -DKALORIMO_TESTS=OFF -DKALORIMO_BENCH=OFF >/dev/null
  cmake --build build-rel -j"$(nproc)" --target kalorimo-calc >/dev/null
  calc=build-rel/src/cli/kalorimo-calc
fi
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT

# One batch; the comment before each group names it (the group is the lines after it).
{
  echo "# superheated"
  for p in 1 2 5 10 15 20; do
    for t in 250 300 350 400 450 500 550; do echo "p,t $p $t"; done
  done
  echo "# wet"
  for p in 0.01 0.05 0.1 0.5 1 2 5 10 15; do
    for x in 0.8 0.9 0.95; do echo "x,p $x $p"; done
  done
  echo "# water"
  for p in 1 5 10 20; do
    for t in 20 50 100 150; do echo "p,t $p $t"; done
  done
  echo "# saturated"
  for t in 20 50 100 150 200 250 300; do echo "x,t 0 $t"; done
} >"$data/grid.txt"

# Superheated rows whose temperature is at or below saturation are left to the wet group: the row
# counts only when IF97 puts it in region 2 (and water rows only in region 1).
"$calc" --data "$data" --reference if97 --format csv --batch <"$data/grid.txt" 2>/dev/null >"$data/out.csv" || true

awk -F, -v grid="$data/grid.txt" '
  BEGIN {
    g = ""; n = 0
    while ((getline l < grid) > 0) {
      # kalorimo-calc numbers every input line, comments included
      if (l ~ /^# /) { g = substr(l, 3); ++n; continue }
      group[++n] = g
    }
  }
  NR == 1 { next }
  {
    # For an ok row the quoted pair adds one comma and the message is empty: count from the end.
    ok = $(NF - 16); region = $(NF - 14); g = group[$1]
    if (ok != "true" || region == "") next
    if (g == "superheated" && region != 2) next
    if (g == "water" && region != 1) next
    if ((g == "wet" || g == "saturated") && region != 4) next
    v97 = $(NF - 9); mu97 = $(NF - 7)
    dt = $(NF - 4); dh = $(NF - 3); ds = $(NF - 2); dv = $(NF - 1); dmu = $NF
    cnt[g]++
    acc(g, "t", dt); acc(g, "h", dh); acc(g, "s", ds)
    acc(g, "v", 100 * dv / v97)
    if (dmu != "" && mu97 != "") acc(g, "mu", 100 * dmu / mu97)
  }
  function acc(g, k, d) { if (d < 0) d = -d; sum[g, k] += d; num[g, k]++; if (d > max[g, k]) max[g, k] = d }
  function cell(g, k, f) {
    if (num[g, k] == 0) return "-"
    return sprintf(f " / " f, sum[g, k] / num[g, k], max[g, k])
  }
  END {
    name["superheated"] = "para przegrzana, p,t: 1-20 MPa, 250-550 °C"
    name["wet"] = "para mokra, x,p: 0,01-15 MPa, x 0,8-0,95"
    name["water"] = "woda sprężona, p,t: 1-20 MPa, 20-150 °C (*)"
    name["saturated"] = "woda nasycona, x,t: x = 0, 20-300 °C"
    print "| obszar (stanów) | Δt [K] | Δh [kJ/kg] | Δs [kJ/(kg K)] | Δv [%] | Δμ [%] |"
    print "|---|---|---|---|---|---|"
    split("superheated wet saturated water", order, " ")
    for (i = 1; i <= 4; i++) {
      g = order[i]
      printf "| %s (%d) | %s | %s | %s | %s | %s |\n", name[g], cnt[g], cell(g, "t", "%.3f"), cell(g, "h", "%.2f"),
             cell(g, "s", "%.4f"), cell(g, "v", "%.2f"), cell(g, "mu", "%.2f")
    }
    print ""
    print "Każda komórka: średnia / największa |wynik kalkulatora − IF97| (Δv i Δμ względem IF97)."
    print "(*) Woda sprężona z równań wody kalkulatora (para p,t po stronie wody). Lepkość kalkulatora"
    print "to wzór dla pary (rośnie z temperaturą), stąd Δμ wody bliskie 100 %."
  }
' "$data/out.csv"
