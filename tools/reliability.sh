#!/usr/bin/env bash
# Replays the reliability list against the built programs, one line per item:
#   tools/reliability.sh [build folder]      (default: build)
# Needs build/src/cli/kalorimo-calc; the window's items need build/src/gui/kalorimo (offscreen),
# the chart's export needs build/tests/gui/tests_gui.
set -u
B=$(cd "${1:-build}" && pwd)
CALC=$B/src/cli/kalorimo-calc
GUI=$B/src/gui/kalorimo
W=$(mktemp -d)
trap 'rm -rf "$W"' EXIT
fails=0
line() { # item, ok(0/1), text
  if [ "$2" = 0 ]; then printf '%-3s ok    %s\n' "$1" "$3"; else printf '%-3s FAIL  %s\n' "$1" "$3"; fails=$((fails + 1)); fi
}
# The window in a folder, ended by a signal after its start-up: prints the exit status.
gui_run() { # exe-folder signal
  QT_QPA_PLATFORM=offscreen timeout 60 "$1/kalorimo" 2>/dev/null &
  local pid=$!
  for _ in $(seq 1 100); do [ -f "$1/Kalorimo/Kalorimo.dat" ] && break; sleep 0.1; done
  sleep 1
  kill -"$2" "$pid"
  wait "$pid"
}
have_gui() { [ -x "$GUI" ]; }

# 1 checked writes and reads
$CALC --data "$W/d1" p,t 10 500 >/dev/full 2>"$W/e1"; r1=$?
yes 'p,t 10 500' | head -2001 | $CALC --data "$W/d1" -f csv -b >/dev/full 2>>"$W/e1"; r2=$?
$CALC --data "$W/d1" -b <"$W" 2>>"$W/e1" >/dev/null; r3=$?
[ $r1 = 3 ] && [ $r2 = 3 ] && [ $r3 = 3 ] && grep -q 'brak miejsca na dysku' "$W/e1" && grep -q 'błąd odczytu' "$W/e1"
line 1 $? "write to /dev/full: $r1, 2001-line batch to /dev/full: $r2, unreadable input: $r3 (3 each, Polish message)"

# 2 line cap, one line at a time, byte-order mark
{ printf '\xEF\xBB\xBFp,t 10 500\n'; head -c 100000000 /dev/zero; printf '\np,t 1 200\n'; } >"$W/big.txt"
/usr/bin/time -f '%M' -o "$W/rss" $CALC --data "$W/d2" -f json -b <"$W/big.txt" >"$W/o2" 2>"$W/e2"
kb=$(tail -1 "$W/rss")
oks=$(grep -c '"ok":true' "$W/o2")
grep -q 'wiersz za długi' "$W/e2" && [ "$oks" = 2 ] && [ "$kb" -lt 100000 ]
line 2 $? "BOM line ok, 100 MB NUL line refused as too long, next line ok ($oks ok), peak memory ${kb} kB"

# 3 CSV quoting and formula texts
printf 'p,t =HYPERLINK("http://x") 500\np,t -5 500\n' | $CALC --data "$W/d3" -f csv -b >"$W/o3" 2>/dev/null
grep -q "^1,\"p,t\",\"'=HYPERLINK(\"\"http://x\"\")\",500," "$W/o3" && grep -q '^2,"p,t",-5,500,' "$W/o3"
line 3 $? "=HYPERLINK(...) written as \"'=HYPERLINK(...)\", -5 kept as a number"

if have_gui; then
  # 4 Kalorimo.tmp as a FIFO, a link to /dev/zero, a 10 MB file
  ok=0
  for kind in fifo zero big; do
    d=$W/g4$kind; mkdir -p "$d/Kalorimo"; cp "$GUI" "$d/"
    case $kind in
      fifo) mkfifo "$d/Kalorimo/Kalorimo.tmp" ;;
      zero) ln -s /dev/zero "$d/Kalorimo/Kalorimo.tmp" ;;
      big) head -c 10000000 /dev/zero | tr '\0' 'Z' >"$d/Kalorimo/Kalorimo.tmp" ;;
    esac
    gui_run "$d" TERM >/dev/null
    [ -f "$d/Kalorimo/Kalorimo.tmp" ] && [ ! -L "$d/Kalorimo/Kalorimo.tmp" ] &&
      [ "$(stat -c %s "$d/Kalorimo/Kalorimo.tmp")" -lt 4096 ] || ok=1
  done
  line 4 $ok "exit over a FIFO, a link to /dev/zero and a 10 MB old file: small regular Kalorimo.tmp each, no hang"

  # 5 a decimal point in the file under the Polish locale
  d=$W/g5; mkdir -p "$d/Kalorimo"; cp "$GUI" "$d/"
  e() { printf '\x08\x00'; printf "\\x$(printf %02x ${#1})\\x00"; printf '%s' "$1"; }
  { e 10; e 374.5; e 3000; e 7; e 'x > 1'; e 0.033; printf '\x04\x00\x00\x00\x80\x3f'; } >"$d/Kalorimo/Kalorimo.tmp"
  LANG=pl_PL.UTF-8 gui_run "$d" TERM >/dev/null
  grep -aq '375' "$d/Kalorimo/Kalorimo.tmp"
  line 5 $? "\"374.5\" in Kalorimo.tmp read back under the Polish locale (box shows 375, written back at exit)"

  # 6 signals save the last inputs
  ok=0; st=""
  for sig in TERM HUP INT; do
    d=$W/g6$sig; mkdir -p "$d"; cp "$GUI" "$d/"
    gui_run "$d" $sig >/dev/null; st="$st $sig:$?"
    [ -f "$d/Kalorimo/Kalorimo.tmp" ] || ok=1
  done
  line 6 $ok "SIGTERM, SIGHUP, SIGINT: Kalorimo.tmp written each time (exit status$st)"

  # 7 leftovers of a killed run
  d=$W/g7; mkdir -p "$d/Kalorimo"; cp "$GUI" "$d/"
  echo x >"$d/Kalorimo/Kalorimo.tmp.Ab12Cd"; echo x >"$d/Kalorimo/Notes.txt.Zz9Yy8"
  gui_run "$d" TERM >/dev/null
  [ ! -e "$d/Kalorimo/Kalorimo.tmp.Ab12Cd" ] && [ ! -e "$d/Kalorimo/Notes.txt.Zz9Yy8" ]
  line 7 $? "Kalorimo.tmp.XXXXXX and Notes.txt.XXXXXX of a killed run removed at the next start"
fi

# 8 an executable folder whose name is no UTF-8 (Latin-2 "Zażółć")
d=$W/$'Za\xbf\xf3\xb3\xe6'; mkdir -p "$d"; cp "$CALC" "$d/"
"$d/kalorimo-calc" p,t 1 200 >/dev/null 2>&1; c8=$?
ok=1; [ $c8 = 0 ] && [ -f "$d/Kalorimo/Kalorimo.dat" ] && ok=0
if have_gui && [ $ok = 0 ]; then
  cp "$GUI" "$d/"; rm -f "$d/Kalorimo/Kalorimo.tmp"
  gui_run "$d" TERM >/dev/null
  [ -f "$d/Kalorimo/Kalorimo.tmp" ] && [ ! -d /Kalorimo ] || ok=1
fi
line 8 $ok "batch tool and window both use the data folder beside the program in a Latin-2 folder"

# 9 implausible coefficient files
ok=0
for kind in zeros random big; do
  d=$W/d9$kind; mkdir -p "$d"
  case $kind in
    zeros) head -c 1240 /dev/zero >"$d/Kalorimo.dat" ;;
    random) head -c 1240 /dev/urandom >"$d/Kalorimo.dat" ;;
    big) head -c 40000000 /dev/urandom >"$d/Kalorimo.dat" ;;
  esac
  $CALC --data "$d" p,h 10 3000 >/dev/null 2>"$W/e9"; r=$?
  [ $r = 1 ] && grep -q "odrzucony.*$d/Kalorimo.dat" <(tr -d '\r' <"$W/e9" | tr '\n' ' ') || ok=1
done
line 9 $ok "1 240 zero bytes, random bytes, 40 MB: refused at start naming the file and the value (status 1)"

# 10 impossible states
ok=0
for q in "p,h 25 2200" "p,h 20 2500" "x,p 0,5 100" "x,t 0,5 380" "x,t 0 10"; do
  $CALC --data "$W/d10" -f json $q 2>/dev/null | grep -q '"ok":false.*Stan niefizyczny' || ok=1
done
$CALC --data "$W/d10" -f json p,t 10 500 2>/dev/null | grep -q '"ok":true' || ok=1
line 10 $ok "p,h 25 2200 / p,h 20 2500 / x,p 0,5 100 / x,t 0,5 380 / x,t 0 10 refused (ok:false, limit named); p,t 10 500 ok"

# 10b impossible expansions: numbers kept, marked, Polish reason, status 1
ok=0
for q in "0,35 565 276 --t2 190" "1 400 100 --t2 100" "21,86 408 5,93 --t2 175,5"; do
  $CALC --data "$W/d10" -f json --reference if97 is $q 2>/dev/null >"$W/o10b"; [ $? = 1 ] || ok=1
  grep -q '"ok":false,"unphysical":true.*"eta":[-0-9].*Rozprężanie niemożliwe' "$W/o10b" || ok=1
done
line 10b $ok "is 0,35 565 276 --t2 190 / 1 400 100 --t2 100 / 21,86 408 5,93 --t2 175,5: marked unphysical, status 1"

# 11 no display
if have_gui; then
  msg=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$GUI" 2>&1); r=$?
  [ $r = 2 ] && echo "$msg" | grep -q 'kalorimo-calc'
  line 11 $? "no display: Polish message naming kalorimo-calc, exit status $r"
fi

# 12 folder messages name path and reason
touch "$W/plik"
$CALC --data "$W/plik/dane" p,t 1 200 >/dev/null 2>"$W/e12"
tr -d '\r' <"$W/e12" | grep -q "Katalog: $W/plik/dane/ - brak takiego pliku lub katalogu\|Katalog: $W/plik/dane/ - część ścieżki nie jest katalogiem"
line 12 $? "unusable data folder: message names $W/plik/dane/ and the reason"

# 13 chart export on a full disk. The export is reached only through the chart window and its
# file dialog, which an offscreen window takes from no script; the GUI test program drives those
# widgets with files limited to 4 096 bytes, as on a full disk.
T=$B/tests/gui/tests_gui
if [ -x "$T" ]; then
  QT_QPA_PLATFORM=offscreen timeout 120 "$T" exportThatFailsKeepsTheOldFileAndSaysWhy >"$W/o13" 2>&1
  n=$(grep -c '^PASS   : TestWykresIS::exportThatFailsKeepsTheOldFileAndSaysWhy' "$W/o13")
  [ "$n" = 3 ] && ! grep -q '^FAIL!  : TestWykresIS' "$W/o13"
  line 13 $? "PNG and SVG export on a full disk, PNG into a read-only folder: the old file stays whole, no new file, a box names the file and the reason"
fi

# 14 two first starts at once: the second finds the folder the first made a moment ago
ok=0
for i in $(seq 1 200); do
  d="$W/kopia$i"
  mkdir -p "$d"
  ln "$CALC" "$d/kalorimo-calc" 2>/dev/null || cp "$CALC" "$d/kalorimo-calc"
  XDG_DATA_HOME="$W/xdg$i" "$d/kalorimo-calc" p,t 1 200 >"$W/o14a" 2>&1 &
  XDG_DATA_HOME="$W/xdg$i" "$d/kalorimo-calc" p,t 1 200 >"$W/o14b" 2>&1
  wait $!
  { [ -f "$d/Kalorimo/Kalorimo.dat" ] && [ ! -e "$W/xdg$i/Kalorimo" ]; } || ok=1
  rm -f "$d/kalorimo-calc"
done
line 14 $ok "200 pairs of first starts at once beside a copied program: all use its Kalorimo folder, none the per-user one"

# 15 no HOME: a folder beside the program that cannot be used, and no per-user folder to try
d="$W/bezhome"
mkdir -p "$d"
ln "$CALC" "$d/kalorimo-calc" 2>/dev/null || cp "$CALC" "$d/kalorimo-calc"
touch "$d/Kalorimo"
env -u HOME -u XDG_DATA_HOME "$d/kalorimo-calc" p,t 1 200 >/dev/null 2>"$W/e15"
tr -d '\r' <"$W/e15" | grep -q "Katalog: $d/Kalorimo/ - istnieje, ale nie jest katalogiem" &&
  grep -q 'Katalog użytkownika: nieznany (brak HOME i XDG_DATA_HOME)' "$W/e15"
line 15 $? "HOME unset, a file in place of the data folder: the message names both folders"
rm -f "$d/kalorimo-calc"

echo "faults: $fails"
[ $fails = 0 ]
