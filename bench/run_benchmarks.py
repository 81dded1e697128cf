#!/usr/bin/env python3
"""Measures Norvel against the minimal renamer, side by side, in one run.

    cmake --preset bench && cmake --build --preset bench
    python3 bench/run_benchmarks.py [--build build/bench] [--runs 7] [--files 5000]

Corpora (made once in --work, default /tmp/norvel-bench):
  plain   FILES tagged files in 10 folders
  id3v2   the same, each file with a 64 KiB ID3v2 block in front
  nosync  one 300 MB file without a 0xFF byte: the header search crosses all of it
Each timed run renames a fresh copy of a corpus (warm cache) with -S and
output to /dev/null. Figures are medians; ratios are Norvel / yardstick, and
for the preview (-N) the preview / the real run on the plain corpus.
"""
import argparse
import os
import shutil
import statistics
import subprocess
import sys
import time


def timed(command):
    """Wall time of one run."""
    start = time.perf_counter()
    status = subprocess.run(command, stdout=subprocess.DEVNULL).returncode
    elapsed = time.perf_counter() - start
    if status != 0:
        sys.exit(f"{command[0]} failed with status {status}")
    return elapsed


def peak_kib(peak_rss, command):
    """Peak resident memory of a run, measured by a small launcher: a child
    forked from this interpreter would count the interpreter's pages too."""
    result = subprocess.run([peak_rss] + command, stdout=subprocess.DEVNULL,
                            stderr=subprocess.PIPE, text=True, check=True)
    return int(result.stderr.split()[-1])


def fresh_copy(pristine, work):
    shutil.rmtree(work, ignore_errors=True)
    subprocess.run(["cp", "-a", pristine, work], check=True)


def rename_corpus(name, pristine, tools, runs, files):
    norvel, minimal, peak_rss = tools
    work = pristine + ".work"
    command = [norvel, "-S", os.path.join(work, "*.mp3")]
    norvel_times, minimal_times = [], []
    for _ in range(runs):
        # Alternate the two so that drift in the machine hits both alike.
        fresh_copy(pristine, work)
        norvel_times.append(timed(command))
        fresh_copy(pristine, work)
        minimal_times.append(timed([minimal, work]))
    fresh_copy(pristine, work)
    peak = peak_kib(peak_rss, command)
    shutil.rmtree(work, ignore_errors=True)
    n, m = statistics.median(norvel_times), statistics.median(minimal_times)
    print(f"{name:8} norvel {n * 1e6 / files:7.1f} us/file   minimal {m * 1e6 / files:7.1f} us/file"
          f"   ratio {n / m:4.2f}   norvel peak {peak / 1024:5.1f} MiB")
    return n / m, peak


def preview_cost(pristine, norvel, runs, files):
    """The preview against the real run over the same corpus."""
    work = pristine + ".work"
    real_times, preview_times = [], []
    for _ in range(runs):
        fresh_copy(pristine, work)
        preview_times.append(timed([norvel, "-N", "-S", os.path.join(work, "*.mp3")]))
        fresh_copy(pristine, work)
        real_times.append(timed([norvel, "-S", os.path.join(work, "*.mp3")]))
    shutil.rmtree(work, ignore_errors=True)
    p, r = statistics.median(preview_times), statistics.median(real_times)
    print(f"preview  norvel -N {p * 1e6 / files:5.1f} us/file   real run {r * 1e6 / files:7.1f} us/file"
          f"   ratio {p / r:4.2f}")
    return p / r


def search_throughput(path, tools, runs):
    norvel, minimal, peak_rss = tools
    size = os.path.getsize(path)
    norvel_times, read_times = [], []
    for _ in range(runs):
        norvel_times.append(timed([norvel, path]))
        read_times.append(timed([minimal, "-r", path]))
    peak = peak_kib(peak_rss, [norvel, path])
    n, r = statistics.median(norvel_times), statistics.median(read_times)
    print(f"nosync   norvel {size / n / 2**20:7.0f} MiB/s   1 MiB read loop {size / r / 2**20:7.0f} MiB/s"
          f"   share {r / n:4.2f}   norvel peak {peak / 1024:5.1f} MiB")
    return r / n, peak


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--build", default="build/bench")
    parser.add_argument("--work", default="/tmp/norvel-bench")
    parser.add_argument("--runs", type=int, default=7)
    parser.add_argument("--files", type=int, default=5000)
    args = parser.parse_args()

    norvel = os.path.abspath(os.path.join(args.build, "renamer", "norvel"))
    minimal = os.path.abspath(os.path.join(args.build, "bench", "minimal_renamer"))
    samples = os.path.abspath(os.path.join(args.build, "tests", "support", "norvel-samples"))
    peak_rss = os.path.abspath(os.path.join(args.build, "bench", "peak_rss"))
    for program in (norvel, minimal, samples, peak_rss):
        if not os.access(program, os.X_OK):
            sys.exit(f"missing {program}: cmake --preset bench && cmake --build --preset bench")

    os.makedirs(args.work, exist_ok=True)
    corpora = {"plain": 0, "id3v2": 65536}
    for name, id3v2 in corpora.items():
        pristine = os.path.join(args.work, f"{name}-{args.files}")
        if not os.path.isdir(pristine):
            subprocess.run([samples, "corpus", pristine, str(args.files), "10", str(id3v2)], check=True)
    nosync = os.path.join(args.work, "nosync-300.mp3")
    if not os.path.exists(nosync):
        subprocess.run([samples, "nosync", nosync, "300"], check=True)

    print(f"{args.files} files in 10 folders, {args.runs} runs each, medians")
    tools = (norvel, minimal, peak_rss)
    results = {name: rename_corpus(name, os.path.join(args.work, f"{name}-{args.files}"),
                                   tools, args.runs, args.files)
               for name in corpora}
    preview = preview_cost(os.path.join(args.work, f"plain-{args.files}"), norvel, args.runs, args.files)
    share, peak = search_throughput(nosync, tools, args.runs)

    targets = [("plain ratio <= 1.3", results["plain"][0] <= 1.3),
               ("id3v2 ratio <= 1.4", results["id3v2"][0] <= 1.4),
               ("nosync share >= 0.5", share >= 0.5),
               ("preview ratio <= 1.0", preview <= 1.0),
               ("peak memory < 16 MiB", max(peak, *(r[1] for r in results.values())) < 16 * 1024)]
    for label, met in targets:
        print(f"  {'met    ' if met else 'MISSED '} {label}")


if __name__ == "__main__":
    main()
