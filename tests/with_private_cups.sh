#!/usr/bin/env bash
# Runs a command against a private CUPS server whose only queue, the default,
# prints to PDF files (cups-pdf) in the folder named by WORKSHEET_PRINTED_PDFS.
# Everything lives in one temporary folder, gone afterwards: the server, the
# queue, HOME, and cups-pdf's configuration (laid over the machine's in a
# private mount namespace). Exits 77 (skipped) without root, a mount
# namespace, CUPS or cups-pdf.
set -euo pipefail

if [ "$(id -u)" -ne 0 ]; then
    echo "skipped: the cups-pdf backend only runs under a CUPS server started as root"
    exit 77
fi
for tool in cupsd lpadmin lpstat; do
    command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed"; exit 77; }
done
[ -x /usr/lib/cups/backend/cups-pdf ] && [ -f /etc/cups/cups-pdf.conf ] ||
    { echo "skipped: cups-pdf is not installed"; exit 77; }

# cups-pdf reads its configuration from /etc/cups only: in a mount namespace
# of our own, a private one is laid over it.
if [ -z "${WORKSHEET_CUPS_NAMESPACE:-}" ]; then
    unshare --mount --propagation private true 2>/dev/null ||
        { echo "skipped: no private mount namespace for cups-pdf's configuration"; exit 77; }
    WORKSHEET_CUPS_NAMESPACE=1 exec unshare --mount --propagation private "$0" "$@"
fi

dir=$(mktemp -d /tmp/worksheet-cups.XXXXXX)
mkdir -p "$dir"/{spool,cache,state,log,tmp,home,pdf,pdf-spool}
chmod 1777 "$dir/tmp"
chmod 755 "$dir"
socket="$dir/cups.sock"

cat >"$dir/cups-pdf.conf" <<CONF
Out $dir/pdf
AnonDirName $dir/pdf
Spool $dir/pdf-spool
Grp root
CONF
mount --bind "$dir/cups-pdf.conf" /etc/cups/cups-pdf.conf

cat >"$dir/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
CacheDir $dir/cache
StateDir $dir/state
TempDir $dir/tmp
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
CONF

cupsd -f -c "$dir/cupsd.conf" -s "$dir/cups-files.conf" &
cupsd_pid=$!
export CUPS_SERVER="$socket"
# Clients read client.conf and lpoptions from here and from the home folder.
export CUPS_SERVERROOT="$dir" HOME="$dir/home" WORKSHEET_PRINTED_PDFS="$dir/pdf"
unset PRINTER LPDEST

stop() {
    # Let the queue finish before the server goes, so that no job is cut off.
    for _ in $(seq 100); do
        [ -z "$(lpstat -o 2>/dev/null)" ] && break
        sleep 0.1
    done
    kill "$cupsd_pid" 2>/dev/null || true
    wait "$cupsd_pid" 2>/dev/null || true
    rm -rf "$dir"
}
trap stop EXIT

for _ in $(seq 100); do
    [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.1
done
lpadmin -p WorksheetPDF -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd -E
lpadmin -d WorksheetPDF

"$@"
