#!/bin/sh
# Stands in for xdg-open while tst_openlink runs, so that no real browser is
# ever started. Each call leaves one file, call-<pid>, in the folder named by
# HEARTHVALE_LINK_RECORDS, holding its arguments each ended by a NUL; the file
# is written under another name first so the test never reads half of it.
# HEARTHVALE_LINK_STANDIN then says how the "browser" behaves: record (exit at
# once) or hang (sleep for 30 s).
PATH=/usr/bin:/bin
exec </dev/null >/dev/null 2>&1

records=${HEARTHVALE_LINK_RECORDS:?}
printf '%s\0' "$@" >"$records/.partial-$$" || exit 4
mv "$records/.partial-$$" "$records/call-$$" || exit 4

case ${HEARTHVALE_LINK_STANDIN:-record} in
    hang) exec sleep 30 ;;
    *) exit 0 ;;
esac
