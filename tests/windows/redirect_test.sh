#!/usr/bin/env bash
# zanpelctl.exe's output through plain redirects, the shell's and cmd's: the
# summary is UTF-8 with LF line ends, not a CR added, and a report file
# keeps its CR LF lines (not CR CR LF). A child of a test program inherits
# binary handles and cannot see this; a redirect can.
# Usage: redirect_test.sh ZANPELCTL_EXE FIXTURES WORK WINE...
set -euo pipefail
exe=$1 fixtures=$2 work=$3
shift 3
wine=("$@")
. "$(dirname "$0")/samedata.sh"
make_data_folder "$work/data" "$fixtures"
cp "$exe" "$work/data/zanpelctl.exe"
cd "$work/data"
failed=0
fail() { echo "FAILED: $*"; failed=1; }

"${wine[@]}" ./zanpelctl.exe --data-dir . summary 200507 > shell-summary.txt
"${wine[@]}" cmd /c "zanpelctl.exe --data-dir . summary 200507 > cmd-summary.txt"
"${wine[@]}" ./zanpelctl.exe --data-dir . report 200507 --output report.txt
for file in shell-summary.txt cmd-summary.txt; do
  [ -s "$file" ] || fail "$file is empty"
  if grep -q $'\r' "$file"; then fail "$file has a CR"; fi
  grep -q '月度集計' "$file" || fail "$file lacks the caption in UTF-8"
done
cmp -s shell-summary.txt cmd-summary.txt || fail "the shell's and cmd's summaries differ"
[ -s report.txt ] || fail "report.txt is empty"
if grep -q $'\r\r' report.txt; then fail "report.txt has CR CR"; fi
if grep -qP '(?<!\r)\n' report.txt; then fail "report.txt has a line end without CR"; fi
exit $failed
