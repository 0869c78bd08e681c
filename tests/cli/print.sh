# `tankora print` on the foreign office's data: each report to a PDF, the exit
# codes of refused and empty runs, the default PDF folder, nothing touched.
. "$(dirname "$0")/common.inc"

cp -r "$FOREIGN/Data" "$WORK/Data"
before=$(fingerprint "$WORK/Data")
export TANKORA_TODAY=2026-12-08 QT_QPA_PLATFORM=offscreen
run() { "$TANKORA" --data "$WORK/Data" print "$@"; }

# report, options, a text the first page must hold
while IFS='|' read -r report options text; do
  # shellcheck disable=SC2086
  expect_exit 0 "print $report" -- run $report $options --pdf "$WORK/$report.pdf"
  grep -qx '1 page' "$WORK/err" || fail "print $report: $(cat "$WORK/err")"
  pdftotext -f 1 -l 1 "$WORK/$report.pdf" - | grep -q "$text" || fail "print $report: no '$text'"
done <<'EOF'
monthly|--year R6 --month 1|浄化槽保守点検月報
customer|--name 上野ハナ|H24年 1月 1日
schedule|--month 1 --date 2026-12-01|上野ハナ
contract|--year 4 --month 12|浄化槽保守点検契約月報
contract-end|--year 9 --month 3|パーク№5管理組合
collection|--month 7|㈱岳商事
EOF

# Refused input exits 1 with the reason, nothing selected exits 3; no file either way.
expect_exit 1 "month 13" -- run monthly --year 8 --month 13 --pdf "$WORK/no.pdf"
grep -q '月は1から12まで' "$WORK/err" || fail "month 13: $(cat "$WORK/err")"
expect_exit 1 "five years back" -- run contract --year R3 --month 1 --pdf "$WORK/no.pdf"
grep -q '年は令和4年から令和9年まで' "$WORK/err" || fail "year: $(cat "$WORK/err")"
expect_exit 1 "unknown customer" -- run customer --name 誰か --pdf "$WORK/no.pdf"
grep -q '顧客「誰か」は登録されていません' "$WORK/err" || fail "customer: $(cat "$WORK/err")"
expect_exit 3 "nothing selected" -- run monthly --year 8 --month 1 --pdf "$WORK/no.pdf"
grep -qx '該当するデータがありません' "$WORK/err" || fail "no data: $(cat "$WORK/err")"
[ -e "$WORK/no.pdf" ] && fail "a refused print left a PDF"

for args in "" "weekly --month 1" "monthly --month 1" "schedule --month 1 --year 8" \
            "customer" "monthly --year 8 --month 1 --top 100" "schedule --month 1 --date 2026-2-1"; do
  # shellcheck disable=SC2086
  expect_exit 2 "print $args" -- run $args
  grep -q '^Usage: tankora' "$WORK/err" || fail "print $args: no usage text"
done

# Without --pdf and without a printer (or with TANKORA_PRINT=pdf) the PDF goes
# to TANKORA_PRINT_DIR, named after the report and its month.
TANKORA_PRINT=pdf TANKORA_PRINT_DIR="$WORK/pdfs" expect_exit 0 "default folder" -- \
  run monthly --year R6 --month 1
[ -s "$WORK/pdfs/浄化槽保守点検月報_2024-01.pdf" ] || fail "no PDF in TANKORA_PRINT_DIR"
grep -q "written to $WORK/pdfs/浄化槽保守点検月報_2024-01.pdf" "$WORK/err" ||
  fail "default folder: $(cat "$WORK/err")"

[ "$before" = "$(fingerprint "$WORK/Data")" ] || fail "print changed the Data folder"
finish
