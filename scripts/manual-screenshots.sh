#!/usr/bin/env bash
# Takes the manual's screenshots (docs/manual/images) from the demo office,
# as a user sees it, in a virtual display: needs xvfb, xdotool, imagemagick.
#   bash scripts/manual-screenshots.sh [DISPLAY_NUMBER]   (after a build)
# The demo is dated 2026-12-08, so the pictures come out the same each time.
set -euo pipefail
cd "$(dirname "$0")/.."
number=${1:-99}
out=docs/manual/images
work=$(mktemp -d "${TMPDIR:-/tmp}/tankora-shots-XXXXXX")
export TANKORA_TODAY=2026-12-08 DISPLAY=:$number
unset QT_QPA_PLATFORM
Xvfb ":$number" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null
  kill "$xvfb" 2>/dev/null
  rm -rf "$work" /tmp/USBメモリ
}
trap cleanup EXIT
sleep 1

build/tankora --data "$work/Data" demo >/dev/null
# A stick that already holds a backup, and the program remembering it.
usb=/tmp/USBメモリ/タンコラ
rm -rf /tmp/USBメモリ
mkdir -p "$usb"
build/tankora --data "$work/Data" backup --to "$usb" >/dev/null
printf '%-255s' "$usb" >"$work/Data/BackupFolder.500"
build/tankora --data "$work/Data" &
program=$!
for _ in $(seq 50); do
  window=$(xdotool search --name "タンコラ  Ver" 2>/dev/null | head -1) && [ -n "$window" ] && break
  sleep 0.2
done
[ -n "$window" ] || { echo "the window did not appear" >&2; exit 1; }
# Window coordinates: the tabs at y 18, the customer list rows 22 px apart from y 76.
click() { xdotool mousemove --window "$window" "$1" "$2" click 1; sleep 0.4; }
key() { xdotool key --window "$window" "$@"; sleep 0.4; }
row() { click 120 $((76 + 22 * ($1 - 1))); }
shot() { import -window "$window" "$out/$1.png"; }
tab() {
  case $1 in
    customer) click 66 18 ;; slip) click 181 18 ;; ledger) click 297 18 ;;
    inspections) click 413 18 ;; contracts) click 529 18 ;; backup) click 645 18 ;;
  esac
}
# A view's month edit (both report views have it at the same place): the
# caret to its end, the old month out, the new one in, then Enter twice,
# through 再表示, to show the list.
month() { click 121 184; key End BackSpace BackSpace $(echo "$1" | sed 's/./& /g') Return Return; }

sleep 1
shot start
tab customer
key F5 F5              # the first page of the list
row 11
shot customer
click 810 164          # 点検・集金関係
shot month-panel
click 713 164          # 基本情報
key F8                 # a new customer: F1 without a name says why
key F1
shot notice
tab slip
row 20
shot slip
tab ledger
click 520 88
key F5 F5              # from the new entry back to the last two
shot ledger
tab inspections        # the monthly report view, with the month before
month 11
click 200 399          # its third slip's customer becomes the current one
shot list-monthly
click 340 55           # 個別浄化槽保守点検一覧: that customer's slips
shot list-customer
click 497 55           # 点検予定一覧: this month's, with the done marks
shot list-schedule
tab contracts          # 浄化槽保守点検契約月報, of January
month 1
shot list-contracts
click 418 55           # 集金予定一覧 of this month
shot list-collection
tab backup
key F1                 # save to the stick again
sleep 1
shot backup
# Screens have few colours: a palette keeps the repository small.
mogrify -strip -colors 256 -define png:compression-level=9 "$out"/*.png
echo "screenshots written to $out"
