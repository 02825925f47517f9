#!/usr/bin/env bash
# The translations are complete: msgfmt checks each po/<code>.po, every
# message is translated (no fuzzy or untranslated ones), and the template
# holds exactly the texts the code marks (scripts/pot.sh gathers them again).
# Usage: tests/po_check.sh
set -euo pipefail
cd "$(dirname "$0")/.."
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
ids=$(msgcat --no-wrap po/kolvemar-trovix.pot | grep -c '^msgid ' || true)
ids=$((ids - 1)) # the header
bash scripts/pot.sh "$tmp/now.pot"
msgcmp --use-untranslated po/kolvemar-trovix.pot "$tmp/now.pot" ||
    { echo "po/kolvemar-trovix.pot lacks texts of the code: run scripts/pot.sh"; exit 1; }
msgcmp --use-untranslated "$tmp/now.pot" po/kolvemar-trovix.pot ||
    { echo "po/kolvemar-trovix.pot holds texts the code no longer has: run scripts/pot.sh"; exit 1; }
for po in po/*.po; do
    stats=$(LC_ALL=C msgfmt --check --statistics -o /dev/null "$po" 2>&1)
    echo "$po: $stats"
    [ "$stats" = "$ids translated messages." ] || { echo "$po is not complete"; exit 1; }
    msgcmp "$po" po/kolvemar-trovix.pot || { echo "$po lacks texts of the template"; exit 1; }
done
