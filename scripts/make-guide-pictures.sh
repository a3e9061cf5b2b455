#!/usr/bin/env bash
# Makes the user guide's pictures of the dialogs from the bundled office plan, headless, so
# that they show what the program draws now.
#   scripts/make-guide-pictures.sh [KESTREL [FOLDER]]
# KESTREL defaults to build/release/bin/kestrel, FOLDER to docs/pictures. The runs happen in a
# folder of their own with a copy of the module, so settings left by other runs (column widths,
# the last price file) and the checkout's path never show in a picture.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
kestrel="$(realpath "${1:-$here/build/release/bin/kestrel}")"
out="$(mkdir -p "${2:-$here/docs/pictures}" && realpath "${2:-$here/docs/pictures}")"
module="$(dirname "$kestrel")/kestrel.arx"
[ -f "$module" ] || module="$(dirname "$kestrel")/../lib/kestrel/kestrel.arx"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$module" "$work/kestrel.arx"
cp "$here/examples/office-plan.dxf" "$here/examples/office.prc" "$work/"
cd "$work"
run() { "$kestrel" office-plan.dxf --module "$work/kestrel.arx" --shots "$work/shots" "$@"; }

# The price-list editor with the office's price list open.
run -c ZRBOMT -c 'EXPECT DIALOG "BOM Template"' -c 'CLICK "&Open"' -c office.prc \
    -c 'SHOT template' -c 'CLICK "&Close"' >/dev/null
# The report of every block reference, priced.
run -c ZRBOMC -c office.prc -c ALL -c '' -c 'EXPECT DIALOG "BOM Report"' -c 'SHOT report' \
    -c 'CLICK "&Close"' >/dev/null
# kestrel bom sorting by quantity, largest first, without prices.
"$kestrel" bom office-plan.dxf --module "$work/kestrel.arx" --prices office.prc \
    --sort quantity:desc --hide-prices --shots "$work/bom" >/dev/null
mv "$work/bom/report.png" "$work/shots/report-by-quantity.png"

cp "$work/shots/"*.png "$out/"
ls "$work/shots"
