"""The check list (点検リスト), tenken.qvf: the findings of the pre-claim check,
40 lines a page, with a column to tick each one off on paper.

Fields: Nengetu (the processing month), Page ("1 / 3"), and per line n the
columns Kubun, Bangou, Syurui, Sinryouka, Renban, Basyo and Naiyou + n.
"""

from qvf import FRAME, LABEL_PT, RULE, TITLE_PT, Layout

LINES = 40
X0 = 100
HEAD_Y = 330
HEAD_H = 60
LINE_H = 60
FIGURE_PT = 8
HEAD_PT = 8  # the five characters of 保険者番号 fit their column
SMALL_PT = 7  # the place and the finding wrap onto a second line
# (caption, field stem or None for the tick column, width, size, align, wraps)
COLUMNS = [
    ("済", None, 50, FIGURE_PT, "center", False),
    ("区分", "Kubun", 80, FIGURE_PT, "center", False),
    ("保険者番号", "Bangou", 160, FIGURE_PT, "center", False),
    ("種類", "Syurui", 290, FIGURE_PT, "left", False),
    ("診療科", "Sinryouka", 90, FIGURE_PT, "center", False),
    ("連番", "Renban", 70, FIGURE_PT, "right", False),
    ("箇所", "Basyo", 440, SMALL_PT, "left", True),
    ("内容", "Naiyou", 720, SMALL_PT, "left", True),
]
INSET = 8


def check_list_layout():
    layout = Layout()
    layout.text(X0, 140, 1900, 110, "点　検　リ　ス　ト", size=TITLE_PT, bold=True)
    layout.field("Nengetu", X0, 260, 900, 60, size=LABEL_PT)
    layout.field("Page", X0 + 1400, 260, 500, 60, size=LABEL_PT, align="right")

    width = sum(c[2] for c in COLUMNS)
    bottom = HEAD_Y + HEAD_H + LINE_H * LINES
    layout.box(X0, HEAD_Y, width, bottom - HEAD_Y, FRAME)
    layout.hline(X0, X0 + width, HEAD_Y + HEAD_H, FRAME)
    for n in range(1, LINES):
        layout.hline(X0, X0 + width, HEAD_Y + HEAD_H + LINE_H * n, RULE)
    x = X0
    for i, (caption, stem, w, size, align, wraps) in enumerate(COLUMNS):
        if i:
            layout.vline(x, HEAD_Y, bottom, RULE)
        layout.text(x, HEAD_Y, w, HEAD_H, caption, size=HEAD_PT)
        if stem:
            for n in range(1, LINES + 1):
                y = HEAD_Y + HEAD_H + LINE_H * (n - 1)
                layout.field(f"{stem}{n}", x + INSET, y, w - 2 * INSET, LINE_H, size=size,
                             align=align, multiline=wraps)
        else:
            for n in range(1, LINES + 1):
                y = HEAD_Y + HEAD_H + LINE_H * (n - 1)
                layout.box(x + 12, y + 17, 26, 26, RULE)
        x += w
    return layout


def check_list_layouts():
    return {"tenken.qvf": check_list_layout()}
