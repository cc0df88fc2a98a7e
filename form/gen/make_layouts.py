#!/usr/bin/env python3
"""Writes the layout files into form/: run after changing a form here.

    python3 form/gen/make_layouts.py           write the files
    python3 form/gen/make_layouts.py --check   fail when a file differs from
                                               what the generator makes

The pages in docs/forms are the layout test's sample prints at 100 dpi:
    TABULON_FORM_SAMPLES=/tmp/forms ctest --test-dir build -R layout_fields
    pdftoppm -r 100 -png -singlefile /tmp/forms/seikyuu1.pdf docs/forms/seikyuu1
"""

import os
import sys

from check_list import check_list_layouts
from claim_forms import claim_layouts
from retained_list import retained_layouts
from summary_forms import summary_layouts

FORM_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main(argv):
    check = "--check" in argv
    layouts = {**claim_layouts(), **summary_layouts(), **retained_layouts(),
               **check_list_layouts()}
    stale = []
    for name, layout in sorted(layouts.items()):
        path = os.path.join(FORM_DIR, name)
        if check:
            with open(path, encoding="utf-8") as current:
                if current.read() != layout.to_json():
                    stale.append(name)
        else:
            layout.write(path)
            print(f"{name}: {len(layout.items)} items, {len(layout.fields)} fields")
    for name in stale:
        print(f"{name} differs from form/gen: edit the generator, then run it", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
