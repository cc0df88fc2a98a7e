"""The retained list (総括表（控）), soukatu2.qvf: 25 summary lines a page.

Each line n has two halves: 入院 on top (groups g = 1 一般, 2 退職, 3 後期高齢)
and 入院外 below (g = 4, 5, 6), with 件数, 実日数 and 点数 per group, and the
meals total on the 入院 half. The switches the list routine sets per table
kind:
  Sen0        the rule between the insurer names and the 入院/入院外 captions,
  Sen1..25    the rule between a line's two halves,
  lblNyugai   the captions 入院 (2n - 1) and 入院外 (2n),
  SyasenA n   strikes out the whole meals cell (pharmacy has no meals),
  SyasenB n   strikes out the 入院外 half of the meals cell.
"""

from qvf import CAPTION_PT, FRAME, LABEL_PT, RULE, TITLE_PT, Layout, em, line_item

LINES = 25
X0 = 52
NAME_COL = 218
NAME_PT = 8  # two lines of seven characters of an insurer name fit a line of the list
CAPTION_COL = 78
# Each figure column holds its widest value (4, 6 and 9 digits at 11 pt) with
# at least 0.5 mm of paper to the rules on both sides; the insets share the
# room out between the two sides.
GROUP_COLS = [("件数", "Kensuu", 107), ("実日数", "Jitunissuu", 155), ("点数", "Tensuu", 228)]
FIGURE_INSETS = {"Kensuu": 5, "Jitunissuu": 5, "Tensuu": 6, "Syokuji": 6}
MEALS_COL = 230
GROUPS = ["一　　般", "退　　職", "後　期　高　齢"]

HEAD_Y = 170
HEAD_GROUP_H = 60
HEAD_COLUMN_H = 80
BODY_Y = HEAD_Y + HEAD_GROUP_H + HEAD_COLUMN_H
LINE_H = 100
HALF = LINE_H / 2

TITLE_X = 420
TITLE = "平成　　　年　　月分　診療報酬総括表"


def _heading(layout):
    # The routine writes the title with blanks for the era year (3 characters
    # from the third) and the month (2 characters from the seventh).
    layout.field("lblMidasi", TITLE_X, 60, em(TITLE_PT, len(TITLE)) + 10, 90, size=TITLE_PT,
                 text=TITLE)
    layout.field("Nen1", TITLE_X + em(TITLE_PT, 2), 60, em(TITLE_PT, 3), 90, size=TITLE_PT,
                 align="center")
    layout.field("Tuki1", TITLE_X + em(TITLE_PT, 6), 60, em(TITLE_PT, 2), 90, size=TITLE_PT,
                 align="center")
    layout.field("Hyoubetu", TITLE_X + em(TITLE_PT, len(TITLE)) + 10, 60, em(TITLE_PT, 3) + 10, 90,
                 size=TITLE_PT)
    layout.box(1870, 60, 100, 90, FRAME)
    layout.text(1870, 60, 100, 90, "控", size=TITLE_PT)


def _columns():
    """Left edges of the group columns and of the meals column."""
    x = X0 + NAME_COL + CAPTION_COL
    groups = []
    for _ in GROUPS:
        groups.append(x)
        x += sum(w for _, _, w in GROUP_COLS)
    return groups, x


def _table_heading(layout, group_xs, meals_x):
    right = meals_x + MEALS_COL
    layout.text(X0, HEAD_Y, NAME_COL + CAPTION_COL, HEAD_GROUP_H + HEAD_COLUMN_H, "保険者名")
    group_w = sum(w for _, _, w in GROUP_COLS)
    for g, (caption, x) in enumerate(zip(GROUPS, group_xs), start=1):
        layout.text(x, HEAD_Y, group_w, HEAD_GROUP_H, caption)
        cx = x
        for caption_c, stem, w in GROUP_COLS:
            y = HEAD_Y + HEAD_GROUP_H
            if stem == "Jitunissuu":
                # 実日数 for 医 and 歯, 枚数 for 薬: the routine writes it.
                layout.field(f"lblJitunissuu{g}", cx, y, w, HEAD_COLUMN_H, size=LABEL_PT,
                             align="center", text=caption_c)
            else:
                layout.text(cx, y, w, HEAD_COLUMN_H, caption_c)
            cx += w
        layout.hline(x, x + group_w, HEAD_Y + HEAD_GROUP_H)
    layout.text(meals_x, HEAD_Y, MEALS_COL, HEAD_GROUP_H + HEAD_COLUMN_H,
                "食事療養・\n生活療養（円）", multiline=True)
    layout.hline(X0, right, BODY_Y, 2)


def _lines(layout, group_xs, meals_x):
    right = meals_x + MEALS_COL
    caption_x = X0 + NAME_COL
    for n in range(1, LINES + 1):
        top = BODY_Y + (n - 1) * LINE_H
        layout.field(f"Hokensya{n}", X0 + 8, top + 3, NAME_COL - 16, LINE_H - 6,
                     size=NAME_PT, multiline=True)
        layout.field(f"lblNyugai{2 * n - 1}", caption_x, top, CAPTION_COL, HALF,
                     size=CAPTION_PT, align="center", text="入院")
        layout.field(f"lblNyugai{2 * n}", caption_x, top + HALF, CAPTION_COL, HALF,
                     size=CAPTION_PT, align="center", text="入院外")
        for half, first_group in ((0, 1), (HALF, 4)):
            for g, x in enumerate(group_xs, start=first_group):
                for _, stem, w in GROUP_COLS:
                    layout.figure(f"{stem}{g}_{n}", x, top + half, w, HALF, inset=FIGURE_INSETS[stem])
                    x += w
        layout.figure(f"Syokuji{n}", meals_x, top, MEALS_COL, HALF, inset=FIGURE_INSETS["Syokuji"])
        layout.flag(f"Sen{n}", [line_item(caption_x, top + HALF, right, top + HALF, RULE)],
                    value=True)
        layout.flag(f"SyasenA{n}", [line_item(meals_x, top + LINE_H, right, top, RULE)])
        layout.flag(f"SyasenB{n}", [line_item(meals_x, top + LINE_H, right, top + HALF, RULE)],
                    value=True)
        if n < LINES:
            layout.hline(X0, right, top + LINE_H)


def _rules(layout, group_xs, meals_x):
    bottom = BODY_Y + LINES * LINE_H
    right = meals_x + MEALS_COL
    caption_x = X0 + NAME_COL
    layout.flag("Sen0", [line_item(caption_x, BODY_Y, caption_x, bottom, RULE)], value=True)
    for x in group_xs:
        layout.vline(x, HEAD_Y, bottom, 2)
        for _, _, w in GROUP_COLS[:-1]:
            x += w
            layout.vline(x, HEAD_Y + HEAD_GROUP_H, bottom)
    layout.vline(meals_x, HEAD_Y, bottom, 2)
    layout.box(X0, HEAD_Y, right - X0, bottom - HEAD_Y, FRAME)
    return bottom


def _totals(layout, top):
    x = 1080
    for caption, field in (("公費件数合計", "Kouhi"), ("福祉件数合計", "Uba")):
        layout.text(x, top, 280, 70, caption)
        layout.box(x + 280, top, 180, 70, FRAME)
        layout.figure(field, x + 280, top, 180, 70)
        x += 480


def retained_list():
    layout = Layout()
    _heading(layout)
    group_xs, meals_x = _columns()
    _table_heading(layout, group_xs, meals_x)
    _lines(layout, group_xs, meals_x)
    bottom = _rules(layout, group_xs, meals_x)
    _totals(layout, bottom + 15)
    return layout


def retained_layouts():
    return {"soukatu2.qvf": retained_list()}
