# `tankora check intervals`: the customers whose month plan falls short of the
# statutory interval, as CSV in the export's encodings; a finding is no failure.
. "$(dirname "$0")/common.inc"

cp -r "$FOREIGN/Data" "$WORK/Data"
bom=$(printf '\357\273\277')
header='RecordNo,Kana,Name,Tank,KindSyorihouhou,Ninsou,Required,TenkenMonths,LongestGap,Note'

# Every plan of the sample office is quarterly: nobody falls short.
before=$(fingerprint "$WORK/Data")
expect_exit 0 "check intervals" -- "$TANKORA" --data "$WORK/Data" check intervals
[ "$(head -c 3 "$WORK/out")" = "$bom" ] || fail "UTF-8 output has no byte-order mark"
[ "$(tail -c +4 "$WORK/out")" = "$header"$'\r' ] || fail "expected the header alone: $(cat "$WORK/out")"
[ "$(fingerprint "$WORK/Data")" = "$before" ] || fail "check intervals changed the Data folder"

# Customer 2 (合併 嫌気ろ床接触ばっ気, 7 人槽) planned in months 1, 6 and 11: 5 months
# apart where 4 is the most allowed. TenkenMonths is at byte 27 of the record.
printf '1    1    1 ' | dd of="$WORK/Data/Kokyaku.120" bs=1 seek=$((1000 + 27)) conv=notrunc 2>/dev/null
expect_exit 0 "check intervals with a shortfall" -- "$TANKORA" --data "$WORK/Data" check intervals
[ "$(wc -l <"$WORK/out")" -eq 2 ] || fail "expected one customer: $(cat "$WORK/out")"
grep -q $'^2,ｱﾍﾞ,阿部健一,合併,嫌気ろ床接触ばっ気,7,4か月に1回以上,1    1    1,5,\r$' "$WORK/out" ||
  fail "customer 2's row: $(cat "$WORK/out")"

expect_exit 0 "check intervals cp932" -- \
  "$TANKORA" --data "$WORK/Data" check intervals --encoding cp932
[ "$(head -c 8 "$WORK/out")" = "RecordNo" ] || fail "CP932 output starts with something else"
iconv -f CP932 -t UTF-8 "$WORK/out" | grep -q '^2,ｱﾍﾞ,阿部健一,合併,' || fail "CP932 row of customer 2"

expect_exit 2 "check without a subject" -- "$TANKORA" --data "$WORK/Data" check
expect_exit 2 "check intervals --output" -- \
  "$TANKORA" --data "$WORK/Data" check intervals --output "$WORK/x.csv"
expect_exit 1 "check intervals without a Data folder" -- \
  "$TANKORA" --data "$WORK/nowhere" check intervals

finish
