#!/usr/bin/env bash
# zanpelctl.exe under Wine and zanpelctl of the Linux build on the same
# data: report, summary, export and rewrite give the same bytes, on the
# standard output (through the shell's redirect) and in the files written.
# Usage: same_as_linux_test.sh ZANPELCTL_EXE LINUX_ZANPELCTL FIXTURES WORK WINE...
set -euo pipefail
exe=$1 linux=$2 fixtures=$3 work=$4
shift 4
wine=("$@")
. "$(dirname "$0")/samedata.sh"

commands=(
  "summary 200507 200508"
  "report 200507"
  "report 200507 --memo --categories --period-memos --subtotals --by-date"
  "report 200508 --period week --day 10"
  "report 200507 --output report.txt"
  "export 200503 200508"
  "export 200503 200508 --format json"
  "rules"
  "settings"
  "check"
  "--now 2005-05-10_12:00:00 rewrite 200504"
  "--now 2005-05-10_12:00:00 rewrite 200503"
)
run_all() {
  local side=$1
  shift
  make_data_folder "$work/$side" "$fixtures"
  cd "$work/$side"
  local n=0
  for command in "${commands[@]}"; do
    n=$((n + 1))
    read -r -a args <<< "$command"
    args=("${args[@]/_/ }")
    "$@" --data-dir . "${args[@]}" > "out-$n.txt" 2> "err-$n.txt" || echo "exit $?" >> "err-$n.txt"
  done
}
run_all linux "$linux"
run_all windows "${wine[@]}" "$exe"

# The data folder's lock holds the process id on Linux only.
rm -f "$work/linux/zanpel.lock" "$work/windows/zanpel.lock"
failed=0
cd "$work/linux"
for file in *; do
  if ! cmp -s "$file" "../windows/$file"; then
    echo "FAILED: $file differs"
    diff <(od -c "$file") <(od -c "../windows/$file") | head -20 || true
    failed=1
  fi
done
[ "$(ls "$work/linux" | wc -l)" -eq "$(ls "$work/windows" | wc -l)" ] || {
  echo "FAILED: the folders hold different files"; failed=1; }
exit $failed
