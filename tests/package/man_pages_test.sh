#!/usr/bin/env bash
# Every option a program's --help names is described under OPTIES in its manual page, so that a new
# option cannot reach users without its page entry. Usage: man_pages_test.sh SOURCE_DIR PROGRAM...
set -uo pipefail
source_dir="$1"
shift
status=0
for program in "$@"; do
  name="$(basename "$program")"
  page="docs/man/$name.1.in"
  # The OPTIES section as plain text: roff's \- is a hyphen, font changes go.
  described="$(sed -n '/^\.SH OPTIES/,/^\.SH [^O]/p' "$source_dir/$page" | sed 's/\\-/-/g; s/\\f[BIRP]//g')"
  help="$(QT_QPA_PLATFORM=offscreen "$program" --help)" || { echo "FAILED: $name --help"; status=1; }
  for option in $(grep -oE -- '--[a-z][a-z0-9-]*' <<<"$help" | sort -u); do
    grep -qE -- "(^|[^a-z0-9-])$option([^a-z0-9-]|\$)" <<<"$described" ||
      { echo "FAILED: '$name --help' names $option, but $page does not describe it under OPTIES"; status=1; }
  done
done
[ "$status" -eq 0 ] && echo "ok: every option of --help is in the manual pages"
exit "$status"
