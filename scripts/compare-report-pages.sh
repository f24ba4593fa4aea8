#!/usr/bin/env bash
# Prints every report of the catalogue with two builds of the program over
# the same program folder and compares what they wrote: the CSV files byte
# for byte, the texts of the PDF pages with their positions (pdftotext
# -bbox), and the page images rendered at 50 dpi (pdftoppm), pixel by pixel
# (a difference under 2 % of the grey scale is counted apart: rules drawn
# together rather than one by one shade their crossings a grey level apart).
# Usage: scripts/compare-report-pages.sh OLD_PROGRAM NEW_PROGRAM FOLDER OUTPUT_DIR [YEAR]
# Needs poppler-utils (pdftoppm, pdftotext), imagemagick (compare) and sqlite3.
set -uo pipefail

old=$1 new=$2 folder=$3 out=$4 year=${5:-$(date +%Y)}
db="$folder/BazaDate.sqlite"
mkdir -p "$out/old" "$out/new"
export QT_QPA_PLATFORM=offscreen

first() { sqlite3 "$db" "select $1 from $2 order by 1 limit 1"; }
parishioner=$(first Cod_enorias Enoriasi)
income=$(first Cod_venit Tip_venituri)
expense=$(first Cod_cheltuiala Tip_cheltuieli)

# The arguments a report needs: a code for the ledgers and the family
# sheets, and its period as the program asks for it (tried in turn: the whole
# year, the reference date only, none).
code_of() {
  case $1 in
    fisa-venituri) echo "$income" ;;
    fisa-cheltuieli) echo "$expense" ;;
    fisa-contributie|fisa-evidenta|fisa-familie) echo "$parishioner" ;;
  esac
}

# Runs one report with one program; the files asked for are written in $3.
run_report() {
  local program=$1 report=$2 dir=$3 code
  code=$(code_of "$report")
  local base=(--folder "$folder" --report "$report")
  [ -n "$code" ] && base+=(--code "$code")
  local csv=(--csv "$dir/$report.csv")
  for period in "--from 01.01.$year --to 31.12.$year" "--to 31.12.$year" ""; do
    # shellcheck disable=SC2086
    "$program" "${base[@]}" $period --pdf "$dir/$report.pdf" "${csv[@]}" 2>"$dir/$report.err" && return 0
    if grep -q "nu se exporta in CSV" "$dir/$report.err"; then
      csv=()
      # shellcheck disable=SC2086
      "$program" "${base[@]}" $period --pdf "$dir/$report.pdf" 2>"$dir/$report.err" && return 0
    fi
  done
  echo "$report: $(cat "$dir/$report.err")"
  return 1
}

reports=$("$new" --folder "$folder" --list-reports 2>/dev/null | cut -f1)
same=0 different=0
for report in $reports; do
  for side in old new; do
    run_report "${!side}" "$report" "$out/$side"
    rm -f "$out/$side/$report"-*.png
    pdftoppm -r 50 -png "$out/$side/$report.pdf" "$out/$side/$report" 2>/dev/null
    pdftotext -bbox "$out/$side/$report.pdf" - 2>/dev/null \
      | grep -v -e '<meta' -e '<title' > "$out/$side/$report.bbox"
  done
  verdict=()
  if [ -e "$out/old/$report.csv" ] || [ -e "$out/new/$report.csv" ]; then
    cmp -s "$out/old/$report.csv" "$out/new/$report.csv" || verdict+=("CSV differs")
  fi
  cmp -s "$out/old/$report.bbox" "$out/new/$report.bbox" || verdict+=("texts or positions differ")
  pages_old=$(ls "$out/old/$report"-*.png 2>/dev/null | wc -l)
  pages_new=$(ls "$out/new/$report"-*.png 2>/dev/null | wc -l)
  [ "$pages_old" -eq "$pages_new" ] || verdict+=("pages $pages_old -> $pages_new")
  # Pixels that differ at all, and those that differ by more than 2 % of
  # the grey scale (what an eye could tell).
  pixels=0 visible=0
  for image in "$out/old/$report"-*.png; do
    [ -e "$image" ] || continue
    other="$out/new/$(basename "$image")"
    [ -e "$other" ] || continue
    n=$(compare -metric AE "$image" "$other" null: 2>&1 | cut -d' ' -f1)
    v=$(compare -fuzz 2% -metric AE "$image" "$other" null: 2>&1 | cut -d' ' -f1)
    pixels=$((pixels + ${n%.*}))
    visible=$((visible + ${v%.*}))
  done
  [ "$visible" -eq 0 ] || verdict+=("$visible pixels differ visibly")
  note=""
  [ "$pixels" -eq 0 ] || note=", $pixels pixels differ by less than 2 % of the grey scale"
  if [ ${#verdict[@]} -eq 0 ]; then
    same=$((same + 1)); echo "$report: same ($pages_new pages$note)"
  else
    different=$((different + 1)); echo "$report: ${verdict[*]}"
  fi
done
echo "Reports the same: $same; different: $different"
[ "$different" -eq 0 ]
