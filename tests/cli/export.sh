# `tankora export`: files and standard output, encodings, --all, and failures
# that must leave nothing behind.
. "$(dirname "$0")/common.inc"

cp -r "$FOREIGN/Data" "$WORK/Data"
before=$(fingerprint "$WORK/Data")
mkdir "$WORK/out.d"
bom=$(printf '\357\273\277')

expect_exit 0 "export customers" -- \
  "$TANKORA" --data "$WORK/Data" export customers --output "$WORK/out.d/customers.csv"
csv="$WORK/out.d/customers.csv"
[ -f "$csv" ] || fail "customers.csv was not written"
[ "$(head -c 3 "$csv")" = "$bom" ] || fail "UTF-8 export has no byte-order mark"
[ "$(wc -l <"$csv")" -eq 11 ] || fail "customers.csv has $(wc -l <"$csv") lines, expected 11"
[ "$(grep -c $'\r$' "$csv")" -eq 11 ] || fail "rows do not end in CRLF"
grep -q '^11,,ｵｵﾀ,太田\\太郎,' "$csv" || fail "the backslash name is not in record 11's row"
[ -e "$csv.tmp" ] && fail "the temporary file was left behind"
ls "$WORK/out.d" | grep -qv '^customers.csv$' && fail "stray files beside the export"

# Standard output carries the same bytes.
"$TANKORA" --data "$WORK/Data" export customers >"$WORK/stdout.csv" || fail "export to stdout"
cmp -s "$csv" "$WORK/stdout.csv" || fail "stdout and --output differ"

# CP932 with --all: the deleted slips too, no BOM, original bytes.
expect_exit 0 "export slips cp932" -- \
  "$TANKORA" --data "$WORK/Data" export slips --all --encoding cp932 -o "$WORK/out.d/slips.csv"
slips="$WORK/out.d/slips.csv"
[ "$(wc -l <"$slips")" -eq 26 ] || fail "slips --all has $(wc -l <"$slips") lines, expected 26"
[ "$(head -c 8 "$slips")" = "RecordNo" ] || fail "CP932 export does not start with the header"
iconv -f CP932 -t UTF-8 "$slips" | grep -q '^18,1,㈱岳商事,2015,' || fail "deleted slip 18 missing"
"$TANKORA" --data "$WORK/Data" export slips >"$WORK/live.csv"
[ "$(wc -l <"$WORK/live.csv")" -eq 24 ] || fail "live slips are not 23"

expect_exit 0 "export company" -- "$TANKORA" --data "$WORK/Data" export company
[ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "company export is not one row"
expect_exit 0 "export ledger" -- "$TANKORA" --data "$WORK/Data" export ledger
[ "$(wc -l <"$WORK/out")" -eq 4 ] || fail "ledger export is not three rows"

# An existing file is replaced only by a complete export.
echo "old" >"$WORK/out.d/keep.csv"
expect_exit 1 "export from a missing folder" -- \
  "$TANKORA" --data "$WORK/nothing" export customers -o "$WORK/out.d/keep.csv"
[ "$(cat "$WORK/out.d/keep.csv")" = "old" ] || fail "a failed export overwrote the file"

# Into a folder that does not exist: a message, exit 1, no file anywhere.
expect_exit 1 "export into a missing folder" -- \
  "$TANKORA" --data "$WORK/Data" export slips -o "$WORK/missing/slips.csv"
grep -q 'cannot write' "$WORK/err" || fail "no message for a missing output folder"
[ -e "$WORK/missing" ] && fail "the missing output folder was created"

# Never into the Data folder itself.
expect_exit 1 "export into the Data folder" -- \
  "$TANKORA" --data "$WORK/Data" export customers -o "$WORK/Data/Kokyaku.120"

# A pipe or device is written into, never replaced by a file renamed over it
# (as root that would swap /dev/stdout or /dev/full for a CSV file).
mkfifo "$WORK/pipe"
timeout 20 cat "$WORK/pipe" >"$WORK/piped.csv" &
reader=$!
expect_exit 0 "export into a pipe" -- timeout 20 \
  "$TANKORA" --data "$WORK/Data" export customers -o "$WORK/pipe"
wait "$reader"
[ -p "$WORK/pipe" ] || fail "the pipe was replaced by a file"
cmp -s "$csv" "$WORK/piped.csv" || fail "the pipe did not carry the export"
[ -e "$WORK/pipe.tmp" ] && fail "a temporary file was left beside the pipe"

# A link keeps pointing at the file it names, which receives the export; a
# link into the Data folder is refused like the folder itself.
ln -s customers.csv "$WORK/out.d/link.csv"
expect_exit 0 "export through a link" -- \
  "$TANKORA" --data "$WORK/Data" export company -o "$WORK/out.d/link.csv"
[ -L "$WORK/out.d/link.csv" ] || fail "the link was replaced by a file"
[ "$(wc -l <"$csv")" -eq 2 ] || fail "the file behind the link did not receive the export"
ln -s "$WORK/Data/Kokyaku.120" "$WORK/out.d/sneaky.csv"
expect_exit 1 "export through a link into the Data folder" -- \
  "$TANKORA" --data "$WORK/Data" export company -o "$WORK/out.d/sneaky.csv"
expect_exit 1 "export onto a folder" -- "$TANKORA" --data "$WORK/Data" export company -o "$WORK/out.d"
grep -q 'is a folder' "$WORK/err" || fail "no message for a folder as output: $(cat "$WORK/err")"

[ "$before" = "$(fingerprint "$WORK/Data")" ] || fail "export changed the Data folder"
finish
