"""Building blocks for layout files (.qvf): a Layout collects static items and
named fields and writes them as the JSON the report engine loads.

Lengths are in 0.1 mm from the top-left corner of an A4 portrait page; font
sizes in points.
"""

import json

PAPER_W, PAPER_H = 2100, 2970

# Type sizes and rule widths every form shares.
TITLE_PT = 14
LABEL_PT = 9
CAPTION_PT = 7  # vertical and small captions
FIGURE_PT = 11
CODE_PT = 12  # one digit per printed box
FRAME = 3  # 0.3 mm
RULE = 1  # 0.1 mm

PT_TO_UNITS = 254 / 72  # one point in 0.1 mm


def em(points, count=1):
    """Width of `count` full-width characters at `points`, in 0.1 mm."""
    return points * PT_TO_UNITS * count


def _num(value):
    value = round(value, 1)
    return int(value) if value == int(value) else value


def _text_keys(size, align, valign, direction, multiline, pitch, font, bold):
    keys = {}
    if font != "mincho":
        keys["font"] = font
    keys["size"] = size
    if bold:
        keys["bold"] = True
    if align != "left":
        keys["align"] = align
    if valign != "middle":
        keys["valign"] = valign
    if direction != "horizontal":
        keys["direction"] = direction
    if multiline:
        keys["multiline"] = True
    if pitch:
        keys["pitch"] = _num(pitch)
    return keys


def text_item(x, y, w, h, text, size=LABEL_PT, align="center", valign="middle",
              direction="horizontal", multiline=False, pitch=0, font="mincho", bold=False):
    item = {"type": "text", "x": _num(x), "y": _num(y), "w": _num(w), "h": _num(h), "text": text}
    item.update(_text_keys(size, align, valign, direction, multiline, pitch, font, bold))
    return item


def line_item(x1, y1, x2, y2, width=RULE):
    return {"type": "line", "x1": _num(x1), "y1": _num(y1), "x2": _num(x2), "y2": _num(y2),
            "lineWidth": width}


def box_item(x, y, w, h, width=FRAME):
    return {"type": "box", "x": _num(x), "y": _num(y), "w": _num(w), "h": _num(h),
            "lineWidth": width}


def ellipse_item(x, y, w, h, width=RULE):
    return {"type": "ellipse", "x": _num(x), "y": _num(y), "w": _num(w), "h": _num(h),
            "lineWidth": width}


class Layout:
    def __init__(self):
        self.items = []
        self.fields = []

    # Static items -------------------------------------------------------
    def text(self, *args, **kwargs):
        self.items.append(text_item(*args, **kwargs))

    def line(self, *args, **kwargs):
        self.items.append(line_item(*args, **kwargs))

    def hline(self, x1, x2, y, width=RULE):
        self.line(x1, y, x2, y, width)

    def vline(self, x, y1, y2, width=RULE):
        self.line(x, y1, x, y2, width)

    def box(self, *args, **kwargs):
        self.items.append(box_item(*args, **kwargs))

    def ellipse(self, *args, **kwargs):
        self.items.append(ellipse_item(*args, **kwargs))

    def digit_boxes(self, x, y, count, cell_w, h):
        """A framed strip of `count` digit cells; returns its right edge."""
        self.box(x, y, cell_w * count, h)
        for i in range(1, count):
            self.vline(x + cell_w * i, y, y + h)
        return x + cell_w * count

    # Fields --------------------------------------------------------------
    def field(self, name, x, y, w, h, size=FIGURE_PT, align="left", valign="middle",
              multiline=False, pitch=0, text="", visible=True, font="mincho"):
        f = {"name": name, "type": "text", "x": _num(x), "y": _num(y), "w": _num(w),
             "h": _num(h)}
        f.update(_text_keys(size, align, valign, "horizontal", multiline, pitch, font, False))
        if text:
            f["text"] = text
        if not visible:
            f["visible"] = False
        self.fields.append(f)

    def figure(self, name, cell_x, y, cell_w, h, size=FIGURE_PT, visible=True, inset=10):
        """A right-aligned figure inside a grid cell, `inset` clear of its right rule."""
        self.field(name, cell_x + 2, y, cell_w - 2 - inset, h, size=size, align="right",
                   visible=visible)

    def flag(self, name, items, value=False):
        f = {"name": name, "type": "flag"}
        if value:
            f["value"] = True
        f["items"] = items
        self.fields.append(f)

    def qr(self, name, x, y, size, visible=True):
        f = {"name": name, "type": "qr", "x": _num(x), "y": _num(y), "size": size,
             "ecLevel": "M", "model": 2}
        if not visible:
            f["visible"] = False
        self.fields.append(f)

    # Output --------------------------------------------------------------
    def to_json(self):
        """One item or field per line, so that a change shows as a small diff."""
        def lines(entries):
            return ",\n".join("    " + json.dumps(e, ensure_ascii=False) for e in entries)

        return ("{\n"
                '  "qvf": 1,\n'
                '  "paper": {"size": "A4", "orientation": "portrait"},\n'
                f'  "defaults": {{"font": "mincho", "size": {LABEL_PT}, "lineWidth": {RULE}}},\n'
                '  "items": [\n' + lines(self.items) + "\n  ],\n"
                '  "fields": [\n' + lines(self.fields) + "\n  ]\n"
                "}\n")

    def write(self, path):
        with open(path, "w", encoding="utf-8") as out:
            out.write(self.to_json())
