# `tankora demo`: a demo office goes only into a folder named on purpose,
# new or empty, and opens as any office does.
. "$(dirname "$0")/common.inc"

export TANKORA_TODAY=2026-12-08
expect_exit 0 "demo into a new folder" -- "$TANKORA" --data "$WORK/Demo/Data" demo
grep -q "60 customers (and 3 deleted)" "$WORK/out" || fail "demo does not report its customers"
expect_exit 0 "info on the demo" -- "$TANKORA" --data "$WORK/Demo/Data" info
grep -Eq '^Live customers: 60$' "$WORK/out" || fail "the demo office has not 60 live customers"
ls -A "$WORK/Demo" | grep -qv '^Data$' && fail "demo left something beside its folder"

# Never over data: a second run, or a folder with anything in it, is refused untouched.
before=$(fingerprint "$WORK/Demo")
expect_exit 1 "demo over the demo" -- "$TANKORA" --data "$WORK/Demo/Data" demo
grep -q "not empty" "$WORK/err" || fail "no reason given for refusing a folder with data"
[ "$before" = "$(fingerprint "$WORK/Demo")" ] || fail "a refused demo changed the folder"

# Without --data it would land in the office's own Data folder: refused.
HOME=$WORK/home XDG_DATA_HOME= expect_exit 2 "demo without --data" -- "$TANKORA" demo
[ -e "$WORK/home" ] && fail "demo without --data created a folder"

# The same day gives the same office.
expect_exit 0 "demo again elsewhere" -- "$TANKORA" --data "$WORK/Again" demo
cmp -s "$WORK/Demo/Data/TenkenDenp.120" "$WORK/Again/TenkenDenp.120" ||
  fail "two demos of the same day differ"
# At a busy office's size, the office the benchmarks measure.
expect_exit 0 "demo busy" -- "$TANKORA" --data "$WORK/Busy" demo busy
grep -q "2000 customers (and 200 deleted), 100000 inspection slips, 2000 ledger entries" "$WORK/out" ||
  fail "demo busy does not write the busy office"
expect_exit 2 "demo with another word" -- "$TANKORA" --data "$WORK/Other" demo large
finish
