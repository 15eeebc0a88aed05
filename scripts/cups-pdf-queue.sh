#!/usr/bin/env bash
# Starts the CUPS scheduler when none runs and adds the printer queue
# ZW4410-PDF of cups-pdf, which writes every job as a PDF file into the
# job owner's ~/PDF. Safe to run again. Needs root (or sudo); works without
# an init system, as in a container: cupsd is started directly.
#   scripts/cups-pdf-queue.sh [QUEUE]
set -euo pipefail

queue=${1:-ZW4410-PDF}
ppd=lsb/usr/cups-pdf/CUPS-PDF_opt.ppd

sudo=()
if [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null; then
        sudo=(sudo)
    else
        echo "Need root (or sudo) to start CUPS and add the queue $queue" >&2
        exit 1
    fi
fi

for tool in cupsd lpadmin lpstat; do
    if ! command -v "$tool" >/dev/null && [ ! -x "/usr/sbin/$tool" ]; then
        echo "$tool is missing: run scripts/install-deps.sh first" >&2
        exit 1
    fi
done
export PATH="$PATH:/usr/sbin"

if ! lpstat -r 2>/dev/null | grep -q "scheduler is running"; then
    echo "Starting the CUPS scheduler"
    # cupsd forks into the background and answers once its socket is up.
    "${sudo[@]}" cupsd
    for _ in $(seq 50); do
        lpstat -r 2>/dev/null | grep -q "scheduler is running" && break
        sleep 0.2
    done
    lpstat -r | grep -q "scheduler is running" || {
        echo "The CUPS scheduler did not start" >&2
        exit 1
    }
fi

if ! lpstat -p "$queue" >/dev/null 2>&1; then
    echo "Adding the printer queue $queue (cups-pdf)"
    "${sudo[@]}" lpadmin -p "$queue" -E -v cups-pdf:/ -m "$ppd" \
        -D "PDF files in ~/PDF (cups-pdf)" 2>&1 | grep -v "deprecated" >&2 || true
fi
"${sudo[@]}" cupsenable "$queue"
"${sudo[@]}" cupsaccept "$queue"
lpstat -p "$queue"
