"""The six claim forms (請求書), seikyuu1.qvf to seikyuu6.qvf.

Field numbers follow the entry screens' row index i as n = i + 1: row r of
the 一般 section has its 入院 line at n = 2r - 1 and its 外来 line at n = 2r,
row r of the 退職 section at n = 2r + 9 and n = 2r + 10. The 退職 rows 2 and 3
have no boxes on the screen; their fields exist but never print.
"""

from dataclasses import dataclass

from blocks import date_pieces, era_line, institution_block, month_pieces, qr_corner
from qvf import (CAPTION_PT, CODE_PT, FRAME, LABEL_PT, RULE, TITLE_PT, Layout,
                 em, line_item)


@dataclass
class Column:
    caption: str
    field: str  # field name stem; the field number follows it
    digits: int
    width: int


@dataclass
class Row:
    caption: str
    number: int  # row number r within its section
    shown: bool = True


@dataclass
class Section:
    caption: str
    first_number: int  # field number of row 1's 入院 line
    rows: list


@dataclass
class ClaimKind:
    kind: int
    title: str
    group_caption: str  # outer vertical caption; empty for a single caption column
    sections: list
    columns: list
    food_columns: list
    pharmacy: bool
    bangou_digits: int
    department: bool
    counts: list  # (caption, field) pairs printed below the grid
    hidden_counts: list  # fields the routines may set that this form does not show
    qr_fields: int


def _treatment(day_caption, widths):
    captions = ["件　数", day_caption, "点　数", "一部負担金\n（円）"]
    stems = ["Kensuu", "Jitunissuu", "Tensuu", "Futankin"]
    digits = [4, 6, 8, 8]
    return [Column(c, s, d, w) for c, s, d, w in zip(captions, stems, digits, widths)]


MEDICAL = _treatment("診療実日数", [120, 170, 220, 220])
FOOD = [Column("件　数", "Keisuu2_", 4, 120), Column("回　数", "Nissuu", 6, 170),
        Column("金　額\n（円）", "Kingaku", 8, 220),
        Column("標準負担額\n（円）", "Futangaku", 8, 220)]
DENTAL = _treatment("診療実日数", [260, 340, 430, 430])
PHARMACY = _treatment("処方箋受付回数", [260, 340, 430, 430])


def _general_retired(general_rows, retired_rows):
    return [Section("一般被保険者", 1, [Row(c, r + 1) for r, c in enumerate(general_rows)]),
            Section("退職者医療", 11,
                    [Row(retired_rows[0], 1), Row("", 2, False), Row("", 3, False),
                     Row(retired_rows[1], 4), Row(retired_rows[2], 5)])]


MEDICAL_ROWS = _general_retired(
    ["七〇以上一般", "七〇以上七割", "十／九／八割", "七割", "六歳未満"],
    ["本人", "被扶養者", "六歳未満"])
DENTAL_ROWS = _general_retired(
    ["70以上\n(一般･低所得)", "70以上7割", "10･9･8割", "7割", "6歳未満"],
    ["本　人", "被扶養者", "6歳未満"])


def _late(first, second):
    return [Section("後期高齢", 1, [Row(first, 1), Row(second, 2)])]


WELFARE = [("①　公　　費", "Kouhi"), ("②　福祉（子障母精後）", "Uba")]
ATOMIC = [("原　爆　等", "Kouhi")]

KINDS = [
    ClaimKind(1, "診療報酬請求書（医科）", "国民健康保険", MEDICAL_ROWS, MEDICAL, FOOD, False, 6,
              True, WELFARE, [], 6),
    ClaimKind(2, "診療報酬請求書（医科）", "", _late("九割", "七割"), MEDICAL, FOOD, False, 8,
              True, ATOMIC, ["Uba"], 2),
    ClaimKind(3, "診療報酬請求書（歯科）", "国民健康保険", DENTAL_ROWS, DENTAL, [], False, 6,
              False, WELFARE, [], 6),
    ClaimKind(4, "診療報酬請求書（歯科）", "", _late("９割", "７割"), DENTAL, [], False, 8, False,
              ATOMIC, ["Uba"], 2),
    ClaimKind(5, "調剤報酬請求書", "国民健康保険", DENTAL_ROWS, PHARMACY, [], True, 6, False,
              WELFARE, [], 6),
    ClaimKind(6, "調剤報酬請求書", "", _late("９割", "７割"), PHARMACY, [], True, 8, False,
              ATOMIC, ["Uba"], 2),
]

# Grid geometry.
GRID_X = 80
GRID_Y = 880
GROUP_COL = 55  # one vertical caption column
ROW_CAPTION_COL = 220
LINE_CAPTION_COL = 110
HEAD_GROUP_H = 60
HEAD_COLUMN_H = 90
LINE_H = 70
PHARMACY_LINE_H = 90  # one line per row, tall enough for a two-line row caption
CODE_CELL = 55


def spaced(text, height, size):
    """Spreads a vertical caption with full-width blanks when the column has room."""
    wide = "　".join(text)
    return wide if em(size, len(wide)) <= height - 40 else text


def _header(layout, kind):
    era_line(layout, 150, 130, 80, 11, month_pieces("Nen1", "Tuki1"))
    layout.text(650, 120, 800, 100, kind.title, size=TITLE_PT)
    layout.text(150, 250, 700, 60, "保険者（別記）殿", size=10.5, align="left")
    layout.text(150, 320, 700, 60, "下記のとおり請求します。", size=10.5, align="left")
    era_line(layout, 150, 420, 70, 10.5, date_pieces())
    institution_block(layout, 1000, 240, 1000, 400)


def _code_strip(layout, kind):
    caption_y, y, h = 690, 740, 80

    def captioned(x, count, caption):
        layout.text(x, caption_y, CODE_CELL * count, 50, caption, size=LABEL_PT)
        return layout.digit_boxes(x, y, count, CODE_CELL, h)

    x = 150
    right = captioned(x, kind.bangou_digits, "保険者番号")
    layout.field("Bangou", x, y, right - x, h, size=CODE_PT, align="right", pitch=CODE_CELL)
    x = right + 70
    right = captioned(x, 2, "県番号")
    layout.text(x, y, right - x, h, "23", size=CODE_PT, align="left", pitch=CODE_CELL)
    x = right + 70
    right = captioned(x, 7, "医療機関コード")
    layout.field("Code", x, y, right - x, h, size=CODE_PT, pitch=CODE_CELL)
    if kind.department:
        x = right + 70
        right = captioned(x, 2, "診療科")
        layout.field("Sinryouka", x, y, right - x, h, size=CODE_PT, align="right",
                     pitch=CODE_CELL)
        # Struck out unless the institution is a former general hospital.
        layout.flag("SinryoukaBox", [line_item(x, y + h, right, y, RULE)])


def _lines_of(kind, row):
    """(caption, field number, hidden field number) per printed line of a row."""
    inpatient = 2 * row.number - 1
    if kind.pharmacy:
        return [("請　求", inpatient + 1, inpatient)]
    return [("入　院", inpatient, None), ("入院外", inpatient + 1, None)]


def _figures(layout, columns, x, y, h, number, visible=True):
    for c in columns:
        layout.figure(f"{c.field}{number}", x, y, c.width, h, visible=visible)
        x += c.width


def _column_rules(layout, columns, x, y1, y2):
    for c in columns[:-1]:
        x += c.width
        layout.vline(x, y1, y2)


@dataclass
class GridGeometry:
    fig_x: float  # left edge of the first figure column
    food_x: float  # left edge of the meals block (= right when there is none)
    right: float
    body_y: float  # top of the first line
    line_h: float


def _geometry(kind):
    fig_x = GRID_X + 2 * GROUP_COL + ROW_CAPTION_COL + LINE_CAPTION_COL
    food_x = fig_x + sum(c.width for c in kind.columns)
    return GridGeometry(fig_x, food_x, food_x + sum(c.width for c in kind.food_columns),
                        GRID_Y + HEAD_GROUP_H + HEAD_COLUMN_H,
                        PHARMACY_LINE_H if kind.pharmacy else LINE_H)


def _headings(layout, kind, g):
    layout.text(GRID_X, GRID_Y, g.fig_x - GRID_X, g.body_y - GRID_Y, "区　　分")
    layout.text(g.fig_x, GRID_Y, g.food_x - g.fig_x, HEAD_GROUP_H, "療　養　の　給　付")
    layout.hline(g.fig_x, g.right, GRID_Y + HEAD_GROUP_H)
    for block_x, cols in ((g.fig_x, kind.columns), (g.food_x, kind.food_columns)):
        x = block_x
        for c in cols:
            layout.text(x, GRID_Y + HEAD_GROUP_H, c.width, HEAD_COLUMN_H, c.caption,
                        multiline="\n" in c.caption)
            x += c.width
    if kind.food_columns:
        layout.text(g.food_x, GRID_Y, g.right - g.food_x, HEAD_GROUP_H, "食事療養・生活療養")
        layout.vline(g.food_x, GRID_Y, g.body_y)
        _column_rules(layout, kind.food_columns, g.food_x, GRID_Y + HEAD_GROUP_H, g.body_y)
    layout.vline(g.fig_x, GRID_Y, g.body_y)
    layout.hline(GRID_X, g.right, g.body_y, 2)


def _hidden_row(layout, kind, g, first_number, y):
    """Fields of a row the screens never show: they exist, and never print."""
    for columns, x, number in ((kind.columns, g.fig_x, first_number),
                               (kind.columns, g.fig_x, first_number + 1),
                               (kind.food_columns, g.food_x, first_number)):
        _figures(layout, columns, x, y, g.line_h, number, visible=False)


def _row(layout, kind, g, number_base, row, y):
    """The lines of one row with their captions; returns the row's bottom."""
    row_y = y
    for l_index, (caption, number, hidden) in enumerate(_lines_of(kind, row)):
        if l_index:
            layout.hline(g.fig_x - LINE_CAPTION_COL, g.right, y)
        layout.text(g.fig_x - LINE_CAPTION_COL, y, LINE_CAPTION_COL, g.line_h, caption)
        _figures(layout, kind.columns, g.fig_x, y, g.line_h, number_base + number)
        if hidden is not None:
            _figures(layout, kind.columns, g.fig_x, y, g.line_h, number_base + hidden,
                     visible=False)
        if caption == "入　院" and kind.food_columns:
            _figures(layout, kind.food_columns, g.food_x, y, g.line_h, number_base + number)
            _column_rules(layout, kind.food_columns, g.food_x, y, y + g.line_h)
        y += g.line_h
    layout.text(g.fig_x - LINE_CAPTION_COL - ROW_CAPTION_COL + 5, row_y, ROW_CAPTION_COL - 10,
                y - row_y, row.caption, multiline="\n" in row.caption)
    return y


def _section(layout, kind, g, section, y):
    """The rows of one section and its vertical caption; returns its bottom."""
    section_y = y
    number_base = section.first_number - 1
    shown = [row for row in section.rows if row.shown]
    for row in section.rows:
        if not row.shown:
            _hidden_row(layout, kind, g, number_base + 2 * row.number - 1, section_y)
            continue
        y = _row(layout, kind, g, number_base, row, y)
        if row is not shown[-1]:
            layout.hline(g.fig_x - LINE_CAPTION_COL - ROW_CAPTION_COL, g.right, y)
    x = GRID_X + GROUP_COL if kind.group_caption else GRID_X
    w = GROUP_COL if kind.group_caption else 2 * GROUP_COL
    layout.text(x, section_y, w, y - section_y, spaced(section.caption, y - section_y, CAPTION_PT),
                size=CAPTION_PT, direction="vertical-writing")
    return y


def _grid(layout, kind):
    g = _geometry(kind)
    _headings(layout, kind, g)
    y = g.body_y
    for section in kind.sections:
        if y > g.body_y:
            layout.hline(GRID_X + (GROUP_COL if kind.group_caption else 0), g.right, y, 2)
        y = _section(layout, kind, g, section, y)
    if kind.group_caption:
        layout.text(GRID_X, g.body_y, GROUP_COL, y - g.body_y,
                    spaced(kind.group_caption, y - g.body_y, CAPTION_PT), size=CAPTION_PT,
                    direction="vertical-writing")
        layout.vline(GRID_X + GROUP_COL, g.body_y, y)
    for x in (g.fig_x - LINE_CAPTION_COL - ROW_CAPTION_COL, g.fig_x - LINE_CAPTION_COL, g.fig_x):
        layout.vline(x, g.body_y, y)
    _column_rules(layout, kind.columns, g.fig_x, GRID_Y + HEAD_GROUP_H, y)
    if kind.food_columns:
        layout.vline(g.food_x, g.body_y, y)
    layout.box(GRID_X, GRID_Y, g.right - GRID_X, y - GRID_Y, FRAME)
    return y


def _counts(layout, kind, top):
    caption_w, figure_w, head_h, row_h = 420, 160, 50, 70
    x = GRID_X
    layout.text(x, top, caption_w, head_h, "区　　分")
    layout.text(x + caption_w, top, figure_w, head_h, "件　数")
    y = top + head_h
    layout.hline(x, x + caption_w + figure_w, y, 2)
    for i, (caption, field) in enumerate(kind.counts):
        if i:
            layout.hline(x, x + caption_w + figure_w, y)
        layout.text(x + 20, y, caption_w - 40, row_h, caption, align="left")
        layout.figure(field, x + caption_w, y, figure_w, row_h)
        y += row_h
    for field in kind.hidden_counts:
        layout.figure(field, x + caption_w, top + head_h, figure_w, row_h, visible=False)
    layout.vline(x + caption_w, top, y)
    layout.box(x, top, caption_w + figure_w, y - top, FRAME)


def _qr(layout, kind):
    # QR1 carries the payload. The routines also size QR2 onwards, which never
    # receive data; they share QR1's box and stay hidden so they cannot take
    # room from the form.
    x, y = qr_corner(2500)
    for v in range(1, kind.qr_fields + 1):
        layout.qr(f"QR{v}", x, y, 2500, visible=(v == 1))


def build(kind):
    layout = Layout()
    _header(layout, kind)
    _code_strip(layout, kind)
    bottom = _grid(layout, kind)
    _counts(layout, kind, bottom + 70)
    _qr(layout, kind)
    return layout


def claim_layouts():
    return {f"seikyuu{k.kind}.qvf": build(k) for k in KINDS}
