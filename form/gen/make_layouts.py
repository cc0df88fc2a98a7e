#!/usr/bin/env python3
"""Writes the nine layout files into form/: run after changing a form here.

    python3 form/gen/make_layouts.py
"""

import os

from claim_forms import claim_layouts
from retained_list import retained_layouts
from summary_forms import summary_layouts

FORM_DIR = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def main():
    layouts = {**claim_layouts(), **summary_layouts(), **retained_layouts()}
    for name, layout in sorted(layouts.items()):
        layout.write(os.path.join(FORM_DIR, name))
        print(f"{name}: {len(layout.items)} items, {len(layout.fields)} fields")


if __name__ == "__main__":
    main()
