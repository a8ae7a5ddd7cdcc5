"""What Linux knows about the Wine processes of one prefix: CPU time, context
switches and memory, read from /proc. Every Windows process under Wine is a Linux
process whose comm is the executable's name; wineserver is a plain Linux process."""
import os

CLOCK_TICKS = os.sysconf("SC_CLK_TCK")


def _read(path):
    try:
        with open(path, "rb") as f:
            return f.read().decode("utf-8", "replace")
    except OSError:
        return None


def _prefix_of(pid):
    environ = _read(f"/proc/{pid}/environ")
    if environ is None:
        return None
    for entry in environ.split("\0"):
        if entry.startswith("WINEPREFIX="):
            return entry[len("WINEPREFIX="):]
    return None


def wine_processes(prefix):
    """{pid: comm} of every process running in this Wine prefix."""
    found = {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        if _prefix_of(name) != prefix:
            continue
        comm = _read(f"/proc/{name}/comm")
        if comm:
            found[int(name)] = comm.strip()
    return found


def find_process(prefix, executable):
    """The pid of the one process of this prefix running `executable` (case ignored)."""
    wanted = executable.lower()[:15]  # comm holds 15 characters at most
    for pid, comm in wine_processes(prefix).items():
        if comm.lower() == wanted:
            return pid
    return None


def _thread_counts(pid, tid):
    """(cpu ns, context switches) of one thread; None when it has gone."""
    schedstat = _read(f"/proc/{pid}/task/{tid}/schedstat")
    status = _read(f"/proc/{pid}/task/{tid}/status")
    if status is None:
        return None
    switches = 0
    for line in status.splitlines():
        if line.startswith(("voluntary_ctxt_switches:", "nonvoluntary_ctxt_switches:")):
            switches += int(line.split()[1])
    if schedstat:
        cpu_ns = int(schedstat.split()[0])
    else:  # no schedstat in this kernel: tick resolution
        fields = _read(f"/proc/{pid}/task/{tid}/stat").rsplit(")", 1)[1].split()
        cpu_ns = (int(fields[11]) + int(fields[12])) * 1_000_000_000 // CLOCK_TICKS
    return cpu_ns, switches


def sample_threads(pid):
    """{tid: (cpu ns, context switches)} of every live thread of the process."""
    threads = {}
    try:
        tids = os.listdir(f"/proc/{pid}/task")
    except OSError:
        return threads
    for tid in tids:
        counts = _thread_counts(pid, tid)
        if counts:
            threads[tid] = counts
    return threads


def delta(before, after):
    """CPU ns and context switches between two samples of one process. A thread born
    in between counts whole; one that ended in between is lost to both sums."""
    cpu = switches = 0
    for tid, (cpu_after, switches_after) in after.items():
        cpu_before, switches_before = before.get(tid, (0, 0))
        cpu += cpu_after - cpu_before
        switches += switches_after - switches_before
    return cpu, switches


def process_cpu_ms(pid):
    """CPU time the whole process has used, dead threads included (tick resolution)."""
    stat = _read(f"/proc/{pid}/stat")
    if stat is None:
        return None
    fields = stat.rsplit(")", 1)[1].split()
    return (int(fields[11]) + int(fields[12])) * 1000 / CLOCK_TICKS


def memory_kib(pid):
    """(VmRSS, private = Private_Clean + Private_Dirty) in KiB."""
    rss = private = None
    for line in (_read(f"/proc/{pid}/status") or "").splitlines():
        if line.startswith("VmRSS:"):
            rss = int(line.split()[1])
    rollup = _read(f"/proc/{pid}/smaps_rollup")
    if rollup:
        private = 0
        for line in rollup.splitlines():
            if line.startswith(("Private_Clean:", "Private_Dirty:")):
                private += int(line.split()[1])
    return rss, private


def memory_by_mapping(pid):
    """{mapping: [resident KiB, private KiB]} from /proc/<pid>/smaps: a DLL or program
    by its file name, "[heap]" and the like by theirs, everything unnamed as
    "anonymous"."""
    result = {}
    counts = None
    for line in (_read(f"/proc/{pid}/smaps") or "").splitlines():
        head = line.split(None, 5)
        if len(head) >= 5 and "-" in head[0] and not head[0].endswith(":"):
            path = head[5].strip() if len(head) == 6 else ""
            name = os.path.basename(path) if path.startswith("/") else (path or "anonymous")
            counts = result.setdefault(name, [0, 0])
        elif counts is None:
            continue
        elif line.startswith("Rss:"):
            counts[0] += int(line.split()[1])
        elif line.startswith(("Private_Clean:", "Private_Dirty:")):
            counts[1] += int(line.split()[1])
    return result
