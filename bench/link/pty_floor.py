#!/usr/bin/env python3
"""What the machine's pseudo-terminals cost a paced exchange, without the program or Qt.

A "programmer" on the slave sends a frame the moment the previous answer is in; a
"radio" on the master waits until the frame would have crossed a 9600 baud 8N1 line
(1.0417 ms a byte) and answers at that speed, each byte waited out awake so it leaves
on time. A read is 4 bytes out and 22 back per block, a write 22 out and 1 back. What
the total exceeds the line's limit by is the floor no program on this machine gets under.
Usage: pty_floor.py read|write [BLOCKS]
"""
import os
import pty
import select
import sys
import time
import tty

BYTE_S = 10 / 9600
SHAPES = {"read": (4, 22), "write": (22, 1)}


def main() -> None:
    operation = sys.argv[1] if len(sys.argv) > 1 else "read"
    request, reply = SHAPES[operation]
    blocks = int(sys.argv[2]) if len(sys.argv) > 2 else 300
    master, slave = pty.openpty()
    tty.setraw(slave)
    child = os.fork()
    if child == 0:
        for _ in range(blocks):
            os.write(slave, b"\x55" * request)
            got = 0
            while got < reply:
                select.select([slave], [], [])
                got += len(os.read(slave, 64))
        os._exit(0)
    began = time.perf_counter()
    for _ in range(blocks):
        got = 0
        first = None
        while got < request:
            select.select([master], [], [])
            got += len(os.read(master, 64))
            first = first if first is not None else time.perf_counter()
        start = first + request * BYTE_S
        for k in range(reply):
            due = start + (k + 1) * BYTE_S
            ahead = due - time.perf_counter()
            if ahead > 0.0003:
                time.sleep(ahead - 0.0003)
            while time.perf_counter() < due:
                pass
            os.write(master, b"\xff")
    total = time.perf_counter() - began
    os.waitpid(child, 0)
    limit = blocks * (request + reply) * BYTE_S
    print(f"{operation + ' floor':<14} {total * 1000:7.0f} ms  line limit {limit * 1000:.0f} ms  "
          f"(+{(total - limit) * 100 / limit:.2f}%, {(total - limit) / blocks * 1e6:.0f} us per block)")


if __name__ == "__main__":
    main()
