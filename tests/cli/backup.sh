# `tankora backup` and `tankora restore` as a user runs them: exact copies,
# a restore with its safety copy, refusals, and a restore into a new PC.
. "$(dirname "$0")/common.inc"

cp -r "$FOREIGN/Data" "$WORK/Data"
mkdir "$WORK/usb"

expect_exit 0 "backup" -- "$TANKORA" --data "$WORK/Data" backup --to "$WORK/usb"
grep -Eq '^  Kokyaku\.125 +12 records$' "$WORK/out" || fail "backup does not print 12 customers"
grep -Eq '^  TenkenDenp\.125 +25 records \(77 bytes of a partial record' "$WORK/out" ||
  fail "backup does not mention the partial slip record"
for f in Kokyaku Kouji Jisya; do
  cmp -s "$WORK/Data/$f.120" "$WORK/usb/$f.125" || fail "$f.125 is not a byte-exact copy"
done
# Whole records only: the copy is the data file without its 77 stray bytes.
[ "$(stat -c %s "$WORK/usb/TenkenDenp.125")" = 5000 ] || fail "the slip copy is not 25 records"
[ -n "$(find "$WORK/usb" -name '*.tmp')" ] && fail "backup left a temporary file"

# The PC's data changes; the restore brings the saved state back and keeps
# the changed files in a safety folder.
printf '%1000s' "" >>"$WORK/Data/Kokyaku.120"
changed=$(md5sum <"$WORK/Data/Kokyaku.120")
expect_exit 0 "restore" -- "$TANKORA" --data "$WORK/Data" restore --from "$WORK/usb"
cmp -s "$WORK/Data/Kokyaku.120" "$WORK/usb/Kokyaku.125" || fail "restore did not bring back customers"
grep -q '^Live customers: 10$' "$WORK/out" || fail "restore does not report the live customers"
safety=$(find "$WORK/Data/Safety" -mindepth 1 -maxdepth 1 -type d | head -1)
[ "$(md5sum <"$safety/Kokyaku.125")" = "$changed" ] || fail "the safety folder lacks the changed file"
grep -q "^The PC's files as they were: $safety\$" "$WORK/out" || fail "restore does not name $safety"

# --only: the other files are left alone; a missing copy is skipped, exit 1.
rm "$WORK/usb/Kouji.125"
printf '%1000s' "" >>"$WORK/Data/Kouji.120"
kouji=$(md5sum <"$WORK/Data/Kouji.120")
expect_exit 1 "restore with a missing copy" -- \
  "$TANKORA" --data "$WORK/Data" restore --from "$WORK/usb" --only customers,ledger
grep -q 'Kouji.120 .*skipped: the folder holds no Kouji.125' "$WORK/out" ||
  fail "the missing copy is not reported: $(cat "$WORK/out")"
[ "$(md5sum <"$WORK/Data/Kouji.120")" = "$kouji" ] || fail "the ledger was lost for a missing copy"
grep -q 'TenkenDenp' "$WORK/out" && fail "--only customers,ledger touched the slips"

# Refused: while the window holds the folder, from the Data folder, no folder.
before=$(fingerprint "$WORK/Data")
expect_exit 1 "restore while locked" -- flock -n "$WORK/Data/tankora.lock" \
  "$TANKORA" --data "$WORK/Data" restore --from "$WORK/usb"
grep -q 'close the window' "$WORK/err" || fail "a locked restore does not say why"
expect_exit 1 "restore from the Data folder" -- \
  "$TANKORA" --data "$WORK/Data" restore --from "$WORK/Data"
expect_exit 1 "backup to a folder that is not there" -- \
  "$TANKORA" --data "$WORK/Data" backup --to "$WORK/no-stick"
[ "$before" = "$(fingerprint "$WORK/Data")" ] || fail "a refused command changed the Data folder"
for args in "backup" "restore" "backup --from $WORK/usb" "restore --to $WORK/usb" \
            "restore --from $WORK/usb --clean" "backup --to $WORK/usb --only bills" \
            "info --to $WORK/usb"; do
  # shellcheck disable=SC2086
  expect_exit 2 "tankora $args" -- "$TANKORA" --data "$WORK/Data" $args
done

# A new PC: restore creates the Data folder.
expect_exit 0 "restore into a new PC" -- "$TANKORA" --data "$WORK/new/Data" restore \
  --from "$safety"
cmp -s "$WORK/new/Data/Kokyaku.120" "$safety/Kokyaku.125" || fail "the new PC lacks the customers"
finish
