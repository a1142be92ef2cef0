#!/usr/bin/env bash
# Fails when the README's layout table and the tree disagree: every folder at the top and every
# room of launch/ has its row, and every row names a folder that exists.
set -euo pipefail
cd "$(dirname "$0")/.."
rows=$(sed -n 's/^| `\([^`]*\)\/` |.*/\1/p' README.md | sort)
folders=$( (git ls-files | sed -n 's#^\([^/]*\)/.*#\1#p'
            git ls-files launch | sed -n 's#^\(launch/[^/]*\)/.*#\1#p') | sort -u)
if [ -z "$rows" ] || ! grep -qx launch/record <<<"$rows"; then
  echo "layout: no layout rows read from README.md" >&2
  exit 1
fi
missing=$(comm -13 <(echo "$rows") <(echo "$folders"))
stale=$(comm -23 <(echo "$rows") <(echo "$folders"))
[ -z "$missing" ] || echo "layout: folders without a row in README.md: $missing" >&2
[ -z "$stale" ] || echo "layout: rows of README.md without a folder: $stale" >&2
[ -z "$missing$stale" ]
