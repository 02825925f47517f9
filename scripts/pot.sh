#!/usr/bin/env bash
# Gathers every text the player sees into the translation template: the Dutch
# texts marked by Tekst (looked up where shown) and Nl (looked up later), in
# the game and in the picture generator. Usage: scripts/pot.sh OUT.pot
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-po/kolvemar-trovix.pot}"
find src tools/assetgen -name '*.cpp' -o -name '*.h' | LC_ALL=C sort |
    xgettext --files-from=- --language=C++ --from-code=UTF-8 \
        --keyword= --keyword=Tekst --keyword=Nl --keyword=Say:2 --keyword=section:1 \
        --add-comments=TRANSLATORS: --no-location --sort-output \
        --package-name=kolvemar-trovix --msgid-bugs-address=kolvemar-trovix@example.org \
        -o "$out"
