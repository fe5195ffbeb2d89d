#!/usr/bin/env bash
# Starts a local CUPS daemon with a PDF printer queue named "KarvelloPDF" for the
# printing tests. Exits non-zero when that is not possible here.
set -u
command -v cupsd >/dev/null || exit 1
if ! lpstat -r 2>/dev/null | grep -q "is running"; then
    (cupsd >/dev/null 2>&1 || /usr/sbin/cupsd >/dev/null 2>&1) || exit 1
    for _ in $(seq 1 50); do lpstat -r 2>/dev/null | grep -q "is running" && break; sleep 0.1; done
fi
lpstat -r 2>/dev/null | grep -q "is running" || exit 1
if ! lpstat -p KarvelloPDF >/dev/null 2>&1; then
    ppd=$(ls /usr/share/ppd/cups-pdf/*.ppd 2>/dev/null | head -n 1)
    [ -n "$ppd" ] || exit 1
    lpadmin -p KarvelloPDF -E -v cups-pdf:/ -P "$ppd" >/dev/null 2>&1 || exit 1
fi
exit 0
