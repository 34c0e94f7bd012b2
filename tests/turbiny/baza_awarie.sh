#!/usr/bin/env bash
# The turbine database under faults, through the batch tool:
#   1 kill -9 in the middle of import loops: the file passes PRAGMA integrity_check and holds whole
#     campaigns and whole turbines only;
#   2 two processes importing into one file at once: each import ends ok or with the busy message,
#     and the file holds exactly the ones that ended ok.
#   tests/turbiny/baza_awarie.sh path/to/kalorimo-calc
# Needs the sqlite3 command.
set -u
CALC=${1:?kalorimo-calc}
command -v sqlite3 >/dev/null || { echo "sqlite3 missing"; exit 1; }
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
DB=$W/turbiny.db
fails=0
# The checks wait for a lock as the tool does: a killed process may still be going down.
sq() { sqlite3 -cmd ".timeout 10000" "$@"; }
line() { # item, ok(0/1), text
  if [ "$2" = 0 ]; then printf '%-3s ok    %s\n' "$1" "$3"; else printf '%-3s FAIL  %s\n' "$1" "$3"; fails=$((fails + 1)); fi
}

cat >"$W/tg4.json" <<'EOF'
{"format": "kalorimo-turbina", "version": 1,
 "turbine": {"name": "TG-4", "points": [{"id": "PS", "p_unit": "MPa"}, {"id": "WP_WYL", "p_unit": "MPa"}],
   "sections": [{"name": "WP", "inlet": "PS", "exhaust": "WP_WYL"}]}, "campaigns": []}
EOF
cat >"$W/m.json" <<'EOF'
{"timestamp": "Czas", "columns": [
 {"column": "p1", "point": "PS", "quantity": "p"}, {"column": "t1", "point": "PS", "quantity": "t"},
 {"column": "p2", "point": "WP_WYL", "quantity": "p"}, {"column": "t2", "point": "WP_WYL", "quantity": "t"}]}
EOF
ROWS=4000
awk -v n=$ROWS 'BEGIN { print "Czas;p1;t1;p2;t2";
  for (i = 0; i < n; i++) printf "2026-03-14 %02d:%02d:%02d;12,7%d;535,%d;3,6%d;335,%d\n",
    int(i / 3600), int(i % 3600 / 60), i % 60, i % 3, i % 5, i % 2, i % 4 }' >"$W/s.csv"
# A document of 30 campaigns, imported whole under another name each time.
{
  printf '{"format": "kalorimo-turbina", "version": 1, "turbine": {"name": "NAME", "points": [{"id": "PS", "p_unit": "MPa"}, {"id": "WP_WYL", "p_unit": "MPa"}],'
  printf ' "sections": [{"name": "WP", "inlet": "PS", "exhaust": "WP_WYL"}]}, "campaigns": ['
  for i in $(seq 1 30); do
    [ "$i" -gt 1 ] && printf ','
    printf '{"id": "k%d", "date": "2020-01-%02dT10:00", "kind": "routine", "readings": {"PS": {"p": 12.7, "t": 535}, "WP_WYL": {"p": 3.6, "t": 335}}}' "$i" "$i"
  done
  printf ']}\n'
} >"$W/doc.json"

"$CALC" turbine import "$W/tg4.json" --db "$DB" >/dev/null || { echo "first import failed"; exit 1; }

import_csv() { # campaign id
  "$CALC" turbine import-csv TG-4 --db "$DB" --csv "$W/s.csv" --mapping "$W/m.json" --campaign "$1" \
    --date 2026-03-14T10:00 --kind routine >/dev/null
}
import_doc() { # turbine name
  sed "s/\"NAME\"/\"$1\"/" "$W/doc.json" >"$W/$1.json"
  "$CALC" turbine import "$W/$1.json" --db "$DB" >/dev/null
}
whole() { # sql: campaigns of TG-4 without all 2 readings and 4 series of ROWS samples, turbines D* without 30
  sq "$DB" "SELECT (SELECT count(*) FROM kampania k WHERE k.turbina = (SELECT id FROM turbina WHERE nazwa = 'TG-4')
    AND ((SELECT count(*) FROM odczyt WHERE kampania = k.id) != 2
      OR (SELECT count(*) FROM seria WHERE kampania = k.id AND length(wartosc) = $ROWS * 8) != 4))
    + (SELECT count(*) FROM turbina t WHERE nazwa LIKE 'D%' AND (SELECT count(*) FROM kampania WHERE turbina = t.id) != 30)"
}

# 1 kill -9 in the middle of the loops, five times
export -f import_csv import_doc
export CALC DB W ROWS
ok=0
for round in 1 2 3 4 5; do
  setsid bash -c "for i in \$(seq 1 100); do import_csv r${round}c\$i; done" 2>>"$W/err1" &
  a=$!
  setsid bash -c "for i in \$(seq 1 100); do import_doc D${round}_\$i; done" 2>>"$W/err1" &
  b=$!
  # Killed only once both loops have stored something this round, however slow the machine is.
  n_tg() { sq "$DB" "SELECT count(*) FROM kampania k JOIN turbina t ON t.id = k.turbina WHERE t.nazwa = 'TG-4'"; }
  n_d() { sq "$DB" "SELECT count(*) FROM turbina WHERE nazwa LIKE 'D%'"; }
  tg0=$(n_tg)
  d0=$(n_d)
  for _ in $(seq 1 300); do
    [ "$(n_tg)" -gt "$tg0" ] && [ "$(n_d)" -gt "$d0" ] && break
    sleep 0.1
  done
  sleep "0.$((RANDOM % 7 + 3))"
  kill -9 -- -"$a" -"$b" 2>/dev/null
  wait "$a" "$b" 2>/dev/null
  [ "$(sq "$DB" 'PRAGMA integrity_check')" = ok ] || ok=1
  [ "$(whole)" = 0 ] || ok=1
  "$CALC" turbine list --db "$DB" >/dev/null || ok=1
done
campaigns=$(sq "$DB" "SELECT count(*) FROM kampania k JOIN turbina t ON t.id = k.turbina WHERE t.nazwa = 'TG-4'")
turbines=$(sq "$DB" "SELECT count(*) FROM turbina WHERE nazwa LIKE 'D%'")
# Killed processes say nothing; anything on standard error is a refusal that should not be.
[ "$campaigns" -gt 0 ] && [ "$turbines" -gt 0 ] && ! grep -v '^$' "$W/err1" || ok=1
line 1 $ok "kill -9 five times during two import loops: integrity ok, whole ones only ($campaigns campaigns of $ROWS-sample series, $turbines turbines of 30 campaigns kept)"

# 2 two writers at once
ok=0
for who in a b; do
  (
    for i in $(seq 1 15); do
      import_csv "$who$i" 2>>"$W/err_$who"
      echo "$who$i $?" >>"$W/st_$who"
    done
  ) &
done
wait
ended=$(cat "$W/st_a" "$W/st_b" | awk '$2 == 0' | wc -l)
other=$(cat "$W/st_a" "$W/st_b" | awk '$2 != 0 && $2 != 3' | wc -l)
busy=$(cat "$W/st_a" "$W/st_b" | awk '$2 == 3' | wc -l)
said=$(cat "$W/err_a" "$W/err_b" | grep -c 'zajęty przez inny program')
stored=$(sq "$DB" "SELECT count(*) FROM kampania WHERE kod GLOB '[ab][0-9]*'")
[ "$other" = 0 ] && [ "$busy" = "$said" ] && [ "$stored" = "$ended" ] && [ "$(whole)" = 0 ] &&
  [ "$(sq "$DB" 'PRAGMA integrity_check')" = ok ] || ok=1
line 2 $ok "two processes importing 15 campaigns each at once: $ended ended ok, $busy busy (told so: $said), $stored stored"

exit $((fails > 0))
