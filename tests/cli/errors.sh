# Usage errors exit 2 with the usage text; a missing Data folder exits 1 and
# is not created.
. "$(dirname "$0")/common.inc"

for args in "--bogus" "info extra" "frobnicate" "export" "export everything" \
            "export slips --encoding latin1" "info --all" "--data" "export slips -o"; do
  # shellcheck disable=SC2086
  expect_exit 2 "tankora $args" -- "$TANKORA" $args
  grep -q '^Usage: tankora' "$WORK/err" || fail "tankora $args: no usage text on stderr"
  [ -s "$WORK/out" ] && fail "tankora $args: wrote to stdout"
done

expect_exit 0 "--version" -- "$TANKORA" --version
[ "$(cat "$WORK/out")" = "タンコラ  Ver 12.10.09" ] || fail "version text: $(cat "$WORK/out")"
expect_exit 0 "--help" -- "$TANKORA" --help
grep -q '^Usage: tankora' "$WORK/out" || fail "--help shows no usage"

for cmd in "info" "export customers" "export slips -o $WORK/x.csv"; do
  # shellcheck disable=SC2086
  expect_exit 1 "$cmd on a missing folder" -- "$TANKORA" --data "$WORK/gone/Data" $cmd
  grep -q "no Data folder at $WORK/gone/Data" "$WORK/err" || fail "$cmd: unclear message"
  # shellcheck disable=SC2086
  TANKORA_DATA="$WORK/gone/Data" expect_exit 1 "$cmd via TANKORA_DATA" -- "$TANKORA" $cmd
done
[ -e "$WORK/gone" ] && fail "a read-only command created the Data folder"
[ -e "$WORK/x.csv" ] && fail "an export without data left a file"

# The folder above Data: no file of the table, so no CSV that looks like an
# empty office.
mkdir -p "$WORK/above/Data"
for table in customers slips ledger company; do
  expect_exit 1 "export $table from a folder without its file" -- \
    "$TANKORA" --data "$WORK/above" export "$table" -o "$WORK/above.csv"
  grep -q "there is no .*\.120 in $WORK/above; --data names the Data folder itself" "$WORK/err" ||
    fail "export $table from the wrong folder: $(cat "$WORK/err")"
done
[ -e "$WORK/above.csv" ] && fail "an export from the wrong folder left a file"

# A file where the folder should be is no Data folder either.
echo "not a folder" >"$WORK/file"
expect_exit 1 "info on a file" -- "$TANKORA" --data "$WORK/file" info

# The window refuses to start, before touching the Data folder, when it has
# no display (Qt would abort) or TANKORA_TODAY is not a date (it would run on
# the clock's date instead).
nodisplay=(timeout 20 env -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u TANKORA_TODAY)
expect_exit 1 "window without DISPLAY" -- "${nodisplay[@]}" -u DISPLAY "$TANKORA" --data "$WORK/w/Data"
grep -q "no display" "$WORK/err" || fail "no DISPLAY: unclear message: $(cat "$WORK/err")"
expect_exit 1 "window on a display nobody serves" -- "${nodisplay[@]}" DISPLAY=:4711 \
  "$TANKORA" --data "$WORK/w/Data"
grep -q "cannot reach the display :4711" "$WORK/err" || fail "dead DISPLAY: $(cat "$WORK/err")"
for bad in 2012-1-29 2012-02-30 1926-12-24 today; do
  expect_exit 2 "TANKORA_TODAY=$bad" -- timeout 20 env TANKORA_TODAY="$bad" QT_QPA_PLATFORM=offscreen \
    "$TANKORA" --data "$WORK/w/Data"
  grep -q "TANKORA_TODAY=$bad is not a date" "$WORK/err" || fail "TANKORA_TODAY=$bad: $(cat "$WORK/err")"
done
[ -e "$WORK/w" ] && fail "a refused window start created the Data folder"

# A Data folder this user may not read is no empty office: info and export
# say they cannot read it and fail. Root reads everything, so as root the
# commands run as nobody (when nobody can reach the program at all).
as_user=()
[ "$(id -u)" -eq 0 ] && as_user=(setpriv --reuid=65534 --regid=65534 --clear-groups)
if "${as_user[@]}" "$TANKORA" --version >/dev/null 2>&1; then
  chmod 755 "$WORK"
  mkdir -p "$WORK/locked/Data"
  cp "$FOREIGN/Data/"*.120 "$WORK/locked/Data/"
  chmod 000 "$WORK/locked/Data"
  for cmd in "info" "export customers" "export slips -o $WORK/locked.csv"; do
    # shellcheck disable=SC2086
    expect_exit 1 "$cmd on an unreadable folder" -- "${as_user[@]}" "$TANKORA" \
      --data "$WORK/locked/Data" $cmd
    grep -q "cannot read" "$WORK/err" || fail "$cmd on an unreadable folder: $(cat "$WORK/err")"
  done
  chmod 755 "$WORK/locked/Data"
  chmod 000 "$WORK/locked/Data/Kokyaku.120"
  expect_exit 1 "export of an unreadable file" -- "${as_user[@]}" "$TANKORA" \
    --data "$WORK/locked/Data" export slips
  grep -q "Kokyaku.120 (cannot read" "$WORK/err" || fail "unreadable file: $(cat "$WORK/err")"
  chmod -R u+rwX "$WORK/locked"
  [ -e "$WORK/locked.csv" ] && fail "an export from an unreadable folder left a file"
else
  echo "skipped: the unreadable-folder checks need a user that can run $TANKORA"
fi
finish
