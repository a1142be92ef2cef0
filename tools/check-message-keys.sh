#!/usr/bin/env bash
# Fails unless every message of texts/ has a key support can search the launch log for: lower-case
# words joined by single hyphens, one message per key. A key is the narrow string that opens a
# message's texts (the wide English and Chinese ones follow it) or a table's named key.
set -euo pipefail
shopt -s inherit_errexit
cd "$(dirname "$0")/.."
# A grep that finds nothing has answered; one that fails (a bad pattern, an unreadable file) has not.
found() { "$@" || [ $? -eq 1 ]; }
keys=$( { found grep -hozP '(?<![\w"\\])"[^"\n]*",\s*(L"|\w+Text\b)' texts/*.h | tr '\0' '\n' |
            found grep -oP '^"\K[^"]*(?=",)'
          found grep -hoP 'Key\[\] = "\K[^"]*' texts/*.h; } | sort)
if [ "$(wc -l <<<"$keys")" -lt 20 ]; then
  echo "message keys: too few keys read from texts/ ($(wc -l <<<"$keys")): the check reads nothing" >&2
  exit 1
fi
searchable='[a-z0-9]+(-[a-z0-9]+)*'
# The pattern must refuse what a search would miss, or finding no bad key proves nothing.
if [ "$(found grep -cvxE "$searchable" <<<$'Fluent Start\nfluent-start')" != 1 ]; then
  echo "message keys: the pattern of a searchable key refuses nothing" >&2
  exit 1
fi
bad=$(found grep -vxE "$searchable" <<<"$keys")
twice=$(uniq -d <<<"$keys")
[ -z "$bad" ] || echo "message keys: not searchable: $bad" >&2
[ -z "$twice" ] || echo "message keys: used by more than one message: $twice" >&2
[ -z "$bad$twice" ]
