# `tankora info` on the foreign office's data: counts, and nothing touched.
. "$(dirname "$0")/common.inc"

cp -r "$FOREIGN/Data" "$WORK/Data"
before=$(fingerprint "$WORK/Data")

expect_exit 0 "info" -- "$TANKORA" --data "$WORK/Data" info
grep -Eq "^Data folder: $WORK/Data\$" "$WORK/out" || fail "info does not name the folder"
grep -Eq '^ +Kokyaku\.120 +12 records' "$WORK/out" || fail "customer count is not 12"
grep -Eq '^ +TenkenDenp\.120 +25 records .*\+77 bytes' "$WORK/out" ||
  fail "slip count is not 25 with 77 stray bytes"
grep -Eq '^ +Kouji\.120 +3 records' "$WORK/out" || fail "ledger count is not 3"
grep -Eq '^ +Jisya\.120 +1 record ' "$WORK/out" || fail "company count is not 1"
grep -Eq '^Live customers: 10$' "$WORK/out" || fail "live customers are not 10"
[ -s "$WORK/err" ] && fail "info wrote to stderr: $(cat "$WORK/err")"

# TANKORA_DATA names the folder when --data does not; --data wins over it.
TANKORA_DATA="$WORK/Data" expect_exit 0 "info via TANKORA_DATA" -- "$TANKORA" info
grep -q '^Live customers: 10$' "$WORK/out" || fail "TANKORA_DATA was not used"
mkdir "$WORK/empty"
TANKORA_DATA="$WORK/Data" expect_exit 0 "--data over TANKORA_DATA" -- \
  "$TANKORA" info --data "$WORK/empty"
grep -q '^Live customers: 0$' "$WORK/out" || fail "--data did not win over TANKORA_DATA"
grep -q 'none of the record files' "$WORK/err" || fail "no hint for a folder without files"
[ -z "$(ls -A "$WORK/empty")" ] || fail "info created files in an empty folder"

# Neither a lock file nor anything else appeared, and no byte changed.
[ "$before" = "$(fingerprint "$WORK/Data")" ] || fail "info changed the Data folder"
finish
