#!/bin/bash
# Checks the programs a user gets from a Windows build folder: each is a stripped PE32 GUI
# program for i386 (no COFF symbol table, no debug sections) and kestrel.exe stays under
# 1.5 MB.
#   bash scripts/check-shipped.sh build/win32
set -uo pipefail
dir=${1:?build folder}
exec python3 - "$dir/viewer/win32/kestrel.exe" "$dir/options/win32/kestrelset.exe" <<'PY'
import os, struct, sys

status = 0
for exe in sys.argv[1:]:
    name = os.path.basename(exe)
    try:
        data = open(exe, 'rb').read()
    except OSError as e:
        print(f"check-shipped: {name}: {e.strerror}")
        status = 1
        continue
    problems = []
    pe = struct.unpack_from('<I', data, 0x3C)[0]
    if data[pe:pe + 4] != b'PE\0\0':
        problems.append('not a PE file')
    else:
        machine, sections, _, symtab, nsyms, optsize = struct.unpack_from('<HHIIIH', data, pe + 4)
        opt = pe + 24
        magic = struct.unpack_from('<H', data, opt)[0]
        subsystem = struct.unpack_from('<H', data, opt + 68)[0]
        if machine != 0x14C or magic != 0x10B:
            problems.append('not PE32 for i386')
        if subsystem != 2:
            problems.append('not a GUI program')
        if symtab or nsyms:
            problems.append('has a symbol table')
        table = opt + optsize
        for i in range(sections):
            raw = data[table + 40 * i:table + 40 * i + 8].rstrip(b'\0')
            if raw.startswith(b'.debug') or raw.startswith(b'/'):
                problems.append('has debug sections')
                break
    size = len(data)
    if name == 'kestrel.exe' and size >= 1.5 * 1024 * 1024:
        problems.append(f'{size} bytes (limit 1.5 MB)')
    if problems:
        print(f"check-shipped: {name}: {', '.join(problems)}")
        status = 1
    else:
        print(f"check-shipped: {name}: stripped PE32 GUI program, {size} bytes")
sys.exit(status)
PY
