# Sourced by scripts/print-queue and by the tests that print: the project's own CUPS scheduler
# with two PDF queues (cups-pdf), so printing tests run on a machine where no service is started
# and leave the system's CUPS alone.
#
#   tolvinark-pdf300  the cups-pdf driver as shipped: Wine prints to it at 300 dpi
#   tolvinark-pdf600  the same driver offering 600 dpi only: Wine prints to it at 600 dpi
#
# Everything lives under build/print-queue/ of the work tree:
#   cups/             the scheduler's configuration, printers and PPDs
#   cups.sock         where it listens (no network port); clients find it through CUPS_SERVER
#   pdf/<queue>/      finished PDFs, one a job, named after the job id: job_7.pdf is the PDF of
#                     job 7 ("request id is tolvinark-pdf300-7"); a file appears there only once
#                     it is complete (moved in from partial/ by print-queue-finished)
#   log/              the scheduler's and cups-pdf's logs
#
# cups-pdf reads its settings from /etc/cups only, one file per device URI: the queues' URIs carry
# a hash of the work tree, so that several work trees on one machine keep their PDFs apart.
# Needs root (as CI runs): cups-pdf only runs as root.

print_queue_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
print_queue_dir="$print_queue_root/build/print-queue"
print_queue_names=(tolvinark-pdf300 tolvinark-pdf600)
print_queue_tag="tolvinark-$(printf '%s' "$print_queue_root" | md5sum | cut -c1-8)"

# A domain socket path must fit in 108 bytes; a deep work tree gets one under /tmp instead.
print_queue_socket="$print_queue_dir/cups.sock"
if [ "${#print_queue_socket}" -gt 100 ]; then
    print_queue_socket="/tmp/$print_queue_tag.sock"
fi
export CUPS_SERVER="$print_queue_socket"

print_queue_pdf_dir() { # QUEUE
    printf '%s\n' "$print_queue_dir/pdf/$1"
}

# lpstat -r exits with 0 whether or not the scheduler answers; only its words tell.
print_queue_answers() {
    [ "$(LC_ALL=C lpstat -r 2>/dev/null)" = "scheduler is running" ]
}

print_queue_running() {
    local pid
    pid=$(cat "$print_queue_dir/cupsd.pid" 2>/dev/null) || return 1
    [ -n "$pid" ] && [ -r "/proc/$pid/cmdline" ] || return 1
    tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "cupsd .*$print_queue_dir/cups/cupsd.conf" || return 1
    print_queue_answers
}

print_queue_write_config() {
    local cups="$print_queue_dir/cups"
    mkdir -p "$cups/ppd" "$cups/ssl" "$print_queue_dir"/{spool,cache,state,tmp,log,cups-pdf-spool}
    chmod 0755 "$print_queue_dir"
    cat >"$cups/cups-files.conf" <<EOF
# Written by scripts/lib/print-queue.sh
ServerRoot $cups
RequestRoot $print_queue_dir/spool
CacheDir $print_queue_dir/cache
StateDir $print_queue_dir/state
TempDir $print_queue_dir/tmp
ErrorLog $print_queue_dir/log/error_log
AccessLog $print_queue_dir/log/access_log
PageLog $print_queue_dir/log/page_log
SystemGroup root
PeerCred on
FatalErrors none
EOF
    cat >"$cups/cupsd.conf" <<EOF
# Written by scripts/lib/print-queue.sh
LogLevel warn
Listen $print_queue_socket
Browsing No
WebInterface No
DefaultAuthType None
MaxJobs 200
PreserveJobHistory Yes
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
    Allow all
  </Limit>
</Policy>
EOF
}

# The 600-dpi PPD: the cups-pdf PPD with every resolution but 600 dpi taken out.
print_queue_ppd600() { # SOURCE TARGET
    sed -e 's/^\*DefaultResolution:.*/*DefaultResolution: 600dpi/' \
        -e '/^\*Resolution [0-9]*dpi/{/^\*Resolution 600dpi/!d}' \
        -e 's/^\*NickName:.*"/*NickName:      "Generic CUPS-PDF Printer, 600 dpi"/' \
        "$1" >"$2"
}

# cups-pdf's own settings for one queue, in /etc/cups/cups-pdf-<URI name>.conf.
print_queue_write_cups_pdf_config() { # QUEUE
    local queue=$1 uri_name="$print_queue_tag-${1#tolvinark-}"
    mkdir -p "$print_queue_dir/partial/$queue" "$print_queue_dir/pdf/$queue"
    cat >"/etc/cups/cups-pdf-$uri_name.conf" <<EOF
# Written by $print_queue_root/scripts/lib/print-queue.sh for its print queue $queue
Out $print_queue_dir/partial/$queue
Spool $print_queue_dir/cups-pdf-spool
Log $print_queue_dir/log
LogType 3
Label 2
Grp lp
AnonUser
UserUMask 0022
PostProcessing $print_queue_root/scripts/lib/print-queue-finished
EOF
    printf '%s\n' "cups-pdf:/$uri_name"
}

print_queue_start() {
    if [ "$(id -u)" -ne 0 ]; then
        echo "print-queue: needs root (cups-pdf runs only as root)" >&2
        return 1
    fi
    if ! [ -x /usr/sbin/cupsd ] || ! [ -x /usr/lib/cups/backend/cups-pdf ]; then
        echo "print-queue: cupsd or cups-pdf is missing; run scripts/setup" >&2
        return 1
    fi
    if ! print_queue_running; then
        print_queue_write_config
        rm -f "$print_queue_socket"
        setsid /usr/sbin/cupsd -f -c "$print_queue_dir/cups/cupsd.conf" \
            -s "$print_queue_dir/cups/cups-files.conf" \
            </dev/null >>"$print_queue_dir/log/cupsd.out" 2>&1 9>&- &
        echo $! >"$print_queue_dir/cupsd.pid"
        local tries=0
        until print_queue_answers; do
            tries=$((tries + 1))
            if [ "$tries" -gt 100 ] || ! kill -0 "$(cat "$print_queue_dir/cupsd.pid")" 2>/dev/null; then
                echo "print-queue: the scheduler did not answer; see $print_queue_dir/log/" >&2
                return 1
            fi
            sleep 0.1
        done
    fi
    local source_ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd queue uri ppd out
    for queue in "${print_queue_names[@]}"; do
        uri=$(print_queue_write_cups_pdf_config "$queue")
        ppd=$source_ppd
        if [ "$queue" = tolvinark-pdf600 ]; then
            ppd="$print_queue_dir/tolvinark-pdf600.ppd"
            print_queue_ppd600 "$source_ppd" "$ppd"
        fi
        # lpadmin always warns that PPD drivers are deprecated (cups-pdf has nothing else), so
        # its output is shown only when it fails.
        if ! out=$(lpadmin -p "$queue" -E -v "$uri" -P "$ppd" -o PageSize=A4 \
            -o printer-error-policy=abort-job 2>&1); then
            echo "$out" >&2
            return 1
        fi
        cupsenable "$queue"
        cupsaccept "$queue"
    done
    # Wine takes the scheduler's default printer as its own, and without one the first.
    lpadmin -d "${print_queue_names[0]}"
}

print_queue_stop() {
    local pid
    pid=$(cat "$print_queue_dir/cupsd.pid" 2>/dev/null) || return 0
    if [ -r "/proc/$pid/cmdline" ] &&
        tr '\0' ' ' <"/proc/$pid/cmdline" | grep -q "cupsd .*$print_queue_dir/cups/cupsd.conf"; then
        kill "$pid"
        local tries=0
        while kill -0 "$pid" 2>/dev/null && [ "$tries" -lt 50 ]; do
            sleep 0.1
            tries=$((tries + 1))
        done
    fi
    rm -f "$print_queue_dir/cupsd.pid" "$print_queue_socket"
}
