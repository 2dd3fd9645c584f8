#!/usr/bin/env python3
"""Prints the table of ratios from the benchmark's JSON output: for each
transform and input, ours against the best peer and against memcpy, and the
targets that the core is held to."""
import json
import sys

MB = 1e6
GB = 1e9

# (row, peer that the target names, least ratio) and (row, least bytes/s).
RATIO_TARGETS = [
    ("Cp874ToUtf16/thai", "icu", 2), ("Cp874ToUtf16/ascii", "icu", 2),
    ("Utf16ToCp874/thai", "icu", 2), ("Utf16ToCp874/ascii", "icu", 2),
    ("Utf16ToEntities/thai", "icu-xml-decimal", 10),
]
SPEED_TARGETS = [
    ("Cp874ToPercent/thai", 1 * GB), ("Cp874ToPercent/ascii", 1 * GB),
    ("EscapesToUtf16/percent-thai", 1 * GB), ("EscapesToUtf16/entities-thai", 1 * GB),
    ("EscapesToUtf16/percent-ascii", 1 * GB), ("EscapesToUtf16/entities-ascii", 1 * GB),
]


def main():
    data = json.load(open(sys.argv[1]) if len(sys.argv) > 1 else sys.stdin)
    rows = {}
    order = []
    for b in data["benchmarks"]:
        if b.get("run_type") == "aggregate" or "bytes_per_second" not in b:
            continue
        name = b.get("run_name", b["name"]).replace("/real_time", "")
        row, who = name.rsplit("/", 1)
        if row not in rows:
            rows[row] = {}
            order.append(row)
        rows[row][who] = b["bytes_per_second"]

    print(f"{'transform / input':36} {'ours MB/s':>10} {'best peer':>16} {'peer MB/s':>10}"
          f" {'ours/peer':>9} {'ours/memcpy':>11}")
    for row in order:
        r = rows[row]
        ours = r.get("ours")
        if ours is None:
            continue
        peers = {k: v for k, v in r.items() if k not in ("ours", "memcpy")}
        best = max(peers, key=peers.get) if peers else None
        peer_text = f"{best:>16} {peers[best] / MB:10.0f} {ours / peers[best]:9.2f}" if best \
            else f"{'-':>16} {'-':>10} {'-':>9}"
        memcpy = f"{ours / r['memcpy']:11.2f}" if "memcpy" in r else f"{'-':>11}"
        print(f"{row:36} {ours / MB:10.0f} {peer_text} {memcpy}")

    print()
    print("targets:")
    failed = 0
    for row, peer, least in RATIO_TARGETS:
        r = rows.get(row, {})
        if "ours" not in r or peer not in r:
            print(f"  {row}: not measured")
            failed += 1
            continue
        ratio = r["ours"] / r[peer]
        ok = ratio >= least
        failed += not ok
        print(f"  {row}: {ratio:.2f} x {peer} (at least {least}) {'met' if ok else 'NOT met'}")
    for row, least in SPEED_TARGETS:
        r = rows.get(row, {})
        if "ours" not in r:
            print(f"  {row}: not measured")
            failed += 1
            continue
        ok = r["ours"] >= least
        failed += not ok
        print(f"  {row}: {r['ours'] / GB:.2f} GB/s (at least {least / GB:.0f}) {'met' if ok else 'NOT met'}")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
