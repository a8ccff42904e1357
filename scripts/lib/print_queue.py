"""The project's print queues: a CUPS scheduler of the work tree's own with two PDF queues
(cups-pdf), so that printing tests run on a machine where no service is started and leave the
system's CUPS alone. Needs root, as cups-pdf runs only as root.

    scripts/print-queue start|stop|status|env|server   (env: eval "$(scripts/print-queue env)")

    tolvinark-pdf300  the cups-pdf driver as shipped: Wine prints to it at 300 dpi
                      (VERTRES 3508, HORZRES 2479 on A4)
    tolvinark-pdf600  the same driver offering 600 dpi only (VERTRES 7016, HORZRES 4958)

Everything lives under build/print-queue/: the scheduler's configuration (cups/), its socket
(cups.sock; clients find it through CUPS_SERVER), its and cups-pdf's logs (log/) and the PDFs,
pdf/<queue>/job_<id>.pdf, one a job ("request id is tolvinark-pdf300-7" gives job_7.pdf). A PDF
appears there only once it is whole: cups-pdf writes into partial/ and print-queue-finished
moves it, 0.2 to 0.7 s after EndDoc. The printable area is the whole 595 x 842 pt page. Wine
lists the printers in the order of QUEUES and takes the first as its default; it reads the
queues anew in every program it starts, and without CUPS_SERVER sees none.

cups-pdf reads its settings from /etc/cups only, one file per device URI: the URIs carry a hash
of the work tree, so that several work trees on one machine keep their PDFs apart.
"""

import fcntl
import hashlib
import os
import re
import shlex
import signal
import subprocess
import sys
import time
from contextlib import contextmanager
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
DIR = ROOT / "build" / "print-queue"
QUEUES = ("tolvinark-pdf300", "tolvinark-pdf600")
TAG = "tolvinark-" + hashlib.md5(str(ROOT).encode()).hexdigest()[:8]
# A domain socket path must fit in 108 bytes; a deep work tree gets one under /tmp instead.
SOCKET = DIR / "cups.sock" if len(str(DIR / "cups.sock")) <= 100 else Path(f"/tmp/{TAG}.sock")
CUPSD_CONF = DIR / "cups" / "cupsd.conf"
PID_FILE = DIR / "cupsd.pid"
SOURCE_PPD = Path("/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd")
ENV = dict(os.environ, CUPS_SERVER=str(SOCKET), LC_ALL="C")

CUPS_FILES = f"""ServerRoot {DIR}/cups
RequestRoot {DIR}/spool
CacheDir {DIR}/cache
StateDir {DIR}/state
TempDir {DIR}/tmp
ErrorLog {DIR}/log/error_log
AccessLog {DIR}/log/access_log
PageLog {DIR}/log/page_log
SystemGroup root
PeerCred on
FatalErrors none
"""
CUPSD = f"""LogLevel warn
Listen {SOCKET}
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
"""
CUPS_PDF = """# Written by {root}/scripts/lib/print_queue.py for its print queue {queue}
Out {dir}/partial/{queue}
Spool {dir}/cups-pdf-spool
Log {dir}/log
LogType 3
Label 2
Grp lp
AnonUser
UserUMask 0022
PostProcessing {root}/scripts/lib/print-queue-finished
"""


def run(*command, check=True):
    return subprocess.run(command, env=ENV, capture_output=True, text=True, check=check)


def answers():
    # lpstat -r exits with 0 whether or not the scheduler answers; only its words tell.
    return run("lpstat", "-r", check=False).stdout.strip() == "scheduler is running"


def scheduler_pid():
    """The pid of this work tree's scheduler, or None when it does not run."""
    try:
        pid = int(PID_FILE.read_text())
        command = Path(f"/proc/{pid}/cmdline").read_bytes().replace(b"\0", b" ").decode()
    except (OSError, ValueError):
        return None
    return pid if f"cupsd -f -c {CUPSD_CONF}" in command else None


def running():
    return scheduler_pid() is not None and answers()


@contextmanager
def _lock():
    """Starting and stopping one at a time, when several tests ask at once."""
    DIR.mkdir(parents=True, exist_ok=True)
    with open(f"{DIR}.lock", "w") as lock:
        fcntl.flock(lock, fcntl.LOCK_EX)
        yield


def _start_scheduler():
    for sub in ("cups/ppd", "cups/ssl", "spool", "cache", "state", "tmp", "log",
                "cups-pdf-spool"):
        (DIR / sub).mkdir(parents=True, exist_ok=True)
    DIR.chmod(0o755)
    (DIR / "cups" / "cups-files.conf").write_text(CUPS_FILES)
    CUPSD_CONF.write_text(CUPSD)
    SOCKET.unlink(missing_ok=True)
    with open(DIR / "log" / "cupsd.out", "ab") as log:
        cupsd = subprocess.Popen(["/usr/sbin/cupsd", "-f", "-c", str(CUPSD_CONF), "-s",
                                  str(DIR / "cups" / "cups-files.conf")], stdin=subprocess.DEVNULL,
                                 stdout=log, stderr=log, start_new_session=True)
    PID_FILE.write_text(str(cupsd.pid))
    for _ in range(100):
        if answers():
            return
        if cupsd.poll() is not None:
            break
        time.sleep(0.1)
    raise RuntimeError(f"the scheduler did not answer; see {DIR}/log/")


def start():
    """Starts the scheduler unless it runs and (re)makes the queues."""
    if os.geteuid() != 0:
        raise RuntimeError("needs root (cups-pdf runs only as root)")
    if not (os.access("/usr/sbin/cupsd", os.X_OK) and
            os.access("/usr/lib/cups/backend/cups-pdf", os.X_OK)):
        raise RuntimeError("cupsd or cups-pdf is missing; run scripts/setup")
    with _lock():
        if not running():
            _start_scheduler()
        for queue in QUEUES:
            uri_name = f"{TAG}-{queue.removeprefix('tolvinark-')}"
            for sub in ("partial", "pdf"):
                (DIR / sub / queue).mkdir(parents=True, exist_ok=True)
            Path(f"/etc/cups/cups-pdf-{uri_name}.conf").write_text(
                CUPS_PDF.format(root=ROOT, dir=DIR, queue=queue))
            ppd = SOURCE_PPD
            if queue == "tolvinark-pdf600":  # the PPD with every resolution but 600 dpi taken out
                ppd = DIR / f"{queue}.ppd"
                text = re.sub(r"(?m)^\*DefaultResolution:.*", "*DefaultResolution: 600dpi",
                              SOURCE_PPD.read_text(encoding="latin-1"))
                text = re.sub(r"(?m)^\*Resolution (?!600dpi)[0-9]+dpi.*\n", "", text)
                ppd.write_text(re.sub(r'(?m)^\*NickName:.*"',
                                      '*NickName:      "Generic CUPS-PDF Printer, 600 dpi"', text),
                              encoding="latin-1")
            # lpadmin always warns that PPD drivers are deprecated (cups-pdf has nothing else),
            # so its output is shown only when it fails.
            done = run("lpadmin", "-p", queue, "-E", "-v", f"cups-pdf:/{uri_name}", "-P", str(ppd),
                       "-o", "PageSize=A4", "-o", "printer-error-policy=abort-job", check=False)
            if done.returncode:
                raise RuntimeError(done.stdout + done.stderr)
            run("cupsenable", queue)
            run("cupsaccept", queue)
        # Wine takes the scheduler's default printer as its own, and without one the first.
        run("lpadmin", "-d", QUEUES[0])


def stop():
    with _lock():
        pid = scheduler_pid()
        if pid is not None:
            os.kill(pid, signal.SIGTERM)
            for _ in range(50):
                if not Path(f"/proc/{pid}").exists():
                    break
                time.sleep(0.1)
        PID_FILE.unlink(missing_ok=True)
        SOCKET.unlink(missing_ok=True)


# ---------------------------------------------------------------- the PDFs

def pdfs(queue):
    """The finished PDFs of a queue, oldest job first."""
    def job(path):
        match = re.match(r"job_(\d+)\.pdf$", path.name)
        return (int(match.group(1)) if match else -1), path.name
    return sorted((DIR / "pdf" / queue).glob("*.pdf"), key=job)


def snapshot():
    """The PDFs there are now, per queue: hand it to new_pdfs and wait_for_pdf."""
    return {queue: {p.name for p in pdfs(queue)} for queue in QUEUES}


def new_pdfs(before):
    """The PDFs that came since `before`, per queue, oldest job first."""
    return {queue: [p for p in pdfs(queue) if p.name not in before.get(queue, set())]
            for queue in QUEUES}


def jobs():
    """lpstat's list of the unfinished jobs on the queues."""
    return run("lpstat", "-o", check=False).stdout.strip()


def wait_for_pdfs(queue, before, count, timeout=60.0):
    """The first `count` PDFs that came on `queue` since `before`, oldest job first. Fails at
    once, naming it, if a job came out on another queue instead."""
    deadline = time.monotonic() + timeout
    while True:
        fresh = new_pdfs(before)
        if len(fresh[queue]) >= count:
            return fresh[queue][:count]
        elsewhere = [p for q, found in fresh.items() if q != queue for p in found]
        assert not elsewhere, f"expected PDFs on {queue}, got {elsewhere[0]}"
        assert time.monotonic() < deadline, \
            f"{len(fresh[queue])} of {count} PDFs on {queue} within {timeout:g} s; jobs: {jobs()!r}"
        time.sleep(0.1)


def wait_for_pdf(queue, before, timeout=60.0):
    return wait_for_pdfs(queue, before, 1, timeout)[0]


def main(command="status"):
    if command in ("start", "stop"):
        try:
            globals()[command]()
        except RuntimeError as error:
            print(f"print-queue: {error}", file=sys.stderr)
            return 1
    elif command == "status":
        if not running():
            print("print-queue: not running")
            return 3
        print(f"CUPS_SERVER={SOCKET}\n{run('lpstat', '-v').stdout}", end="")
        for queue in QUEUES:
            print(f"{queue} PDFs: {DIR / 'pdf' / queue}")
    elif command in ("env", "server"):
        print(f"export CUPS_SERVER={shlex.quote(str(SOCKET))}" if command == "env" else SOCKET)
    else:
        print("usage: scripts/print-queue start|stop|status|env|server", file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:2]))
