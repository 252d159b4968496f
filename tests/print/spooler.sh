#!/usr/bin/env bash
# Starts and stops a CUPS daemon of the tests' own, with a cups-pdf queue as the default printer:
# configuration, spool, socket and output under DIR, so that a system cupsd is left alone.
#   spooler.sh start DIR | spooler.sh stop DIR
# When it cannot run here (not root, a package missing) it writes the reason to DIR/skip.
set -uo pipefail
action=$1 dir=$2
instance="larderly-test-$(basename "$dir")"
settings="/etc/cups/cups-pdf-$instance.conf" # cups-pdf reads a queue's settings from here only

if [ "$action" = stop ]; then
    [ -f "$dir/pid" ] && kill "$(cat "$dir/pid")" 2>/dev/null
    rm -f "$settings"
    exit 0
fi

rm -rf "$dir" && mkdir -p "$dir"
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_noopt.ppd
if [ "$(id -u)" != 0 ]; then
    echo "needs root: the cups-pdf backend runs as root" > "$dir/skip"; exit 0
fi
if ! command -v cupsd lpadmin >/dev/null || [ ! -e /usr/lib/cups/backend/cups-pdf ] || [ ! -e $ppd ] \
    || ! command -v pdfinfo >/dev/null; then
    echo "needs cups, printer-driver-cups-pdf and poppler-utils (scripts/deps.sh test installs them)" > "$dir/skip"
    exit 0
fi

# The filters run as lp and reach the spool through the folder.
chmod 755 "$dir"
mkdir -p "$dir"/{etc,spool/tmp,cache,state,log,out,pdf-spool}
chown root:lp "$dir/spool" "$dir/spool/tmp" && chmod 710 "$dir/spool" && chmod 1770 "$dir/spool/tmp"
cat > "$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
Printcap $dir/state/printcap
ServerBin /usr/lib/cups
DataDir /usr/share/cups
User lp
Group lp
SystemGroup root
Sandboxing Relaxed
CONF
printf 'Listen %s\nLogLevel info\nBrowsing No\nWebInterface No\nDefaultAuthType None\n<Policy default>\n<Limit All>\nOrder deny,allow\n</Limit>\n</Policy>\n' \
    "$dir/cups.sock" > "$dir/etc/cupsd.conf"
printf 'Out %s/out\nAnonDirName %s/out\nSpool %s/pdf-spool\nLog %s/log\nGrp root\n' "$dir" "$dir" "$dir" "$dir" > "$settings"

setsid cupsd -f -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" > "$dir/log/cupsd.out" 2>&1 < /dev/null &
echo $! > "$dir/pid"
for _ in $(seq 100); do [ -S "$dir/cups.sock" ] && break; sleep 0.2; done
export CUPS_SERVER="$dir/cups.sock"
lpadmin -p LarderlyTest -E -v "cups-pdf:/$instance" -P $ppd && lpadmin -d LarderlyTest \
    || { cat "$dir/log/"*; exit 1; }
