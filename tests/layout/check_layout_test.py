#!/usr/bin/env python3
"""Plants each kind of layout violation in a small tree and requires scripts/check-layout to
name it, and a clean tree to pass."""
import importlib.machinery
import importlib.util
import os
import sys
import tempfile

SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..', 'scripts',
                      'check-layout')
_loader = importlib.machinery.SourceFileLoader('check_layout', SCRIPT)
layout = importlib.util.module_from_spec(importlib.util.spec_from_loader('check_layout', _loader))
_loader.exec_module(layout)

CLEAN = {
    'base/holder.h': '#include <utility>\n',
    'base/holder_win.h': '#include <windows.h>\n',
    'threeds/diagnostics.h': '#include <cstdint>\n',
    'threeds/reader.cpp': '#include "threeds/diagnostics.h"\n#include "base/holder.h"\n',
    'viewer/pane_win.cpp': '#include "threeds/diagnostics.h"\n#include "base/holder_win.h"\n',
    'app/editor_win.cpp': '#include "threeds/reader.cpp"\n#include "viewer/pane_win.cpp"\n',
    'tests/anything_test.cpp': '#include "app/editor_win.cpp"\n#include <windows.h>\n',
    'tests/support/host_win.h': '#include "viewer/pane_win.cpp"\n',
}

# (files added to the clean tree, text the report must contain)
PLANTED = [
    ({'graphics/mesh.h': '#include "viewer/pane_win.cpp"\n'},
     'graphics/mesh.h:1: includes "viewer/pane_win.cpp": graphics/ may not include from viewer/'),
    ({'viewer/load.cpp': '#include "threeds/reader.cpp"\n'}, 'only app/ uses it'),
    ({'threeds/diagnostics.cpp': '#include "threeds/diagnostics.h"\n#include "base/holder.h"\n'},
     'threeds/diagnostics.cpp:2: the diagnostics unit includes "base/holder.h"'),
    ({'base/plain.h': '#include <Windows.h>\n'}, 'portable file includes the Windows header'),
    ({'graphics/shape.cpp': '#include "base/holder_win.h"\n'},
     'portable file includes "base/holder_win.h"'),
    ({'toolkit/tree_win.cpp': '#include <vector>\n'}, 'named *_win but includes no Windows'),
    ({'imagefile/bitmap.h': '#include "viewer/pane_win.cpp"\n',
      'viewer/bar.h': '#include "imagefile/bitmap.h"\n'},
     'folders include each other in a circle: viewer -> imagefile -> viewer'),
    ({'extra/thing.cpp': '\n'}, 'extra/: folder holds code but is not in the layout table'),
    ({'dialogs/pick.cpp': '#include "pick.h"\n'}, 'includes "pick.h", which is no file'),
    ({'tests/support/bytes.h': '#include "tests/support/host_win.h"\n'},
     'tests/support/bytes.h:1: portable file includes "tests/support/host_win.h"'),
    ({'tests/app/host.h': '#include "tests/support/host_win.h"\n'},
     'tests/app/host.h:1: portable file includes "tests/support/host_win.h"'),
    ({'bench/load_bench.cpp': '#include <windows.h>\n'},
     'bench/load_bench.cpp:1: portable file includes the Windows header <windows.h>'),
]


def problems_of(files):
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            os.makedirs(os.path.join(root, os.path.dirname(path)), exist_ok=True)
            with open(os.path.join(root, path), 'w') as out:
                out.write(text)
        return layout.check(root)


def main():
    failures = []
    clean = problems_of(CLEAN)
    if clean:
        failures.append('clean tree reported: %s' % clean)
    for planted, expected in PLANTED:
        found = problems_of({**CLEAN, **planted})
        if not any(expected in problem for problem in found):
            failures.append('planted %s: wanted "%s", got %s' % (list(planted), expected, found))
    if layout.find_cycle({'a': {'b'}, 'b': {'c'}, 'c': {'a'}}) != ['a', 'b', 'c', 'a']:
        failures.append('a circle in a table of arrows was not found')
    if layout.find_cycle(layout.ALLOWED):
        failures.append('the table of allowed folders has a circle')
    for failure in failures:
        print(failure)
    print('%d planted violations, %d failures' % (len(PLANTED), len(failures)))
    return 1 if failures else 0


if __name__ == '__main__':
    sys.exit(main())
