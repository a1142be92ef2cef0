#!/usr/bin/env bash
# Fails unless every message of texts/ has a key support can search the launch log for: lower-case
# words joined by single hyphens, one message per key. A key is the narrow string that opens a
# message's texts (the wide English and Chinese ones follow it) or a table's named key.
set -euo pipefail
cd "$(dirname "$0")/.."
keys=$( (grep -hozP '(?<![\w"\\])"[^"\n]*",\s*(L"|\w+Text\b)' texts/*.h | tr '\0' '\n' | grep -oP '^"\K[^"]*(?=",)' || true
         grep -hoP 'Key\[\] = "\K[^"]*' texts/*.h || true) | sort)
if [ "$(wc -l <<<"$keys")" -lt 20 ]; then
  echo "message keys: too few keys read from texts/ ($(wc -l <<<"$keys")): the check reads nothing" >&2
  exit 1
fi
bad=$(grep -vxE '[a-z0-9]+(-[a-z0-9]+)*' <<<"$keys" || true)
twice=$(uniq -d <<<"$keys")
[ -z "$bad" ] || echo "message keys: not searchable: $bad" >&2
[ -z "$twice" ] || echo "message keys: used by more than one message: $twice" >&2
[ -z "$bad$twice" ]
