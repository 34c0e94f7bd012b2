#!/usr/bin/env bash
# Lines per second of kalorimo-calc --batch for each pair: N varied lines of one pair,
# output to /dev/null, user+system CPU time. The lines use a decimal point, read in the point
# locale (LOCALE=comma reads them in the comma locale).
# Usage: [PAIRS="t,h x,t"] [LOCALE=point|comma] scripts/batch_rate.sh [CALC] [N] [FORMAT]
set -euo pipefail
calc="${1:-build-rel/src/cli/kalorimo-calc}"
n="${2:-200000}"
format="${3:-json}"
data="$(mktemp -d)"
trap 'rm -rf "$data"' EXIT
for pair in ${PAIRS:-p,t p,h t,h x,t x,p p,s t,s h,s}; do
  count=$n
  [ "$pair" = h,s ] && count=$((n / 100))  # the enthalpy-entropy search takes ~1000 times longer
  awk -v n="$count" -v pair="$pair" 'BEGIN {
    for (i = 0; i < n; i++) {
      f = (i % 997) / 997.0
      if (pair == "p,t") printf "p,t %.4f %.3f\n", 0.05 + 9 * f, 400 + 150 * ((i % 631) / 631.0)
      if (pair == "p,h") printf "p,h %.4f %.2f\n", 0.05 + 9 * f, 3000 + 300 * ((i % 631) / 631.0)
      if (pair == "t,h") printf "t,h %.3f %.2f\n", 300 + 200 * f, 3000 + 300 * ((i % 631) / 631.0)
      if (pair == "x,t") printf "x,t %.4f %.3f\n", 0.05 + 0.9 * f, 50 + 300 * ((i % 631) / 631.0)
      if (pair == "x,p") printf "x,p %.4f %.4f\n", 0.05 + 0.9 * f, 0.01 + 15 * ((i % 631) / 631.0)
      if (pair == "p,s") printf "p,s %.4f %.4f\n", 0.05 + 9 * f, 7 + 0.5 * ((i % 631) / 631.0)
      if (pair == "t,s") printf "t,s %.3f %.4f\n", 200 + 200 * f, 7 + 0.5 * ((i % 631) / 631.0)
      if (pair == "h,s") printf "h,s %.2f %.4f\n", 2900 + 400 * f, 6.8 + 0.6 * ((i % 631) / 631.0)
    }
  }' > "$data/lines"
  /usr/bin/time -o "$data/time" -f "%U %S" "$calc" --data "$data" --locale "${LOCALE:-point}" --format "$format" --batch < "$data/lines" \
    > /dev/null 2>/dev/null || true
  t=$(tail -1 "$data/time")
  awk -v t="$t" -v n="$count" -v pair="$pair" 'BEGIN { split(t, a, " "); cpu = a[1] + a[2]; printf "%-4s %8d lines  %6.2f s CPU  %10.0f lines/s\n", pair, n, cpu, (cpu > 0 ? n / cpu : 0) }'
done
