"""The summary tables (総括表): soukatu1.qvf for 医 and 歯, soukatu3.qvf for 薬.

soukatu1 numbers its eight lines n = 1 to 8: 一般 入院, 一般 外来, 退職 入院,
退職 外来, 後期高齢 入院, 後期高齢 外来, 合計 入院, 合計 外来; 食事 exists on
the 入院 lines only. soukatu3 has the 外来 lines alone, n = 1 to 4.
"""

from blocks import date_pieces, era_line, era_line_width, institution_block, month_pieces, qr_corner
from qvf import CODE_PT, FRAME, LABEL_PT, PAPER_W, RULE, Layout

SUMMARY_TITLE_PT = 18
SUMMARY_FIGURE_PT = 12
QR_SIZE = 3200  # the routines set 32 mm

GRID_X = 180
GRID_Y = 900
HEAD_H = 120
LINE_H = 90
ROW_CAPTION_COL = 300
LINE_CAPTION_COL = 160
CODE_CELL = 55

SECTIONS = ["一　　般", "退　職　者", "後期高齢", "合　　計"]


def _header(layout, subject):
    mark_x = 1820
    pieces = month_pieces("Nen3", "Tuki3", "　" + subject)
    x = (PAPER_W - era_line_width(SUMMARY_TITLE_PT, pieces)) / 2
    era_line(layout, x, 130, 110, SUMMARY_TITLE_PT, pieces)
    # Table kind mark (医, 歯, 薬) in its box.
    layout.box(mark_x, 120, 150, 150, FRAME)
    layout.field("Hyoubetu", mark_x, 120, 150, 150, size=20, align="center")

    era_line(layout, 150, 310, 70, 10.5, date_pieces("提出"))
    layout.text(1220, 300, 270, 80, "医療機関コード", size=LABEL_PT)
    right = layout.digit_boxes(1500, 300, 7, CODE_CELL, 80)
    layout.field("Code", 1500, 300, right - 1500, 80, size=CODE_PT, pitch=CODE_CELL)

    layout.text(150, 440, 800, 70, "愛知県国民健康保険団体連合会　殿", size=10.5, align="left")
    layout.text(150, 520, 800, 70, "下記のとおり提出します。", size=10.5, align="left")
    institution_block(layout, 1000, 420, 1000, 400)


def _grid(layout, columns, line_captions, numbered_lines, food_from=None):
    """Draws the grid. `columns` are (caption, field stem, width); `numbered_lines`
    gives per section the field numbers of its lines. Columns from index
    `food_from` on are printed on 入院 lines only and struck out on the others."""
    fig_x = GRID_X + ROW_CAPTION_COL + LINE_CAPTION_COL
    right = fig_x + sum(w for _, _, w in columns)
    layout.text(GRID_X, GRID_Y, ROW_CAPTION_COL + LINE_CAPTION_COL, HEAD_H, "区　　分")
    x = fig_x
    for caption, _, w in columns:
        layout.text(x, GRID_Y, w, HEAD_H, caption, multiline="\n" in caption)
        x += w
    y = GRID_Y + HEAD_H
    layout.hline(GRID_X, right, y, 2)
    for s_index, (section, numbers) in enumerate(zip(SECTIONS, numbered_lines)):
        section_y = y
        for l_index, number in enumerate(numbers):
            if l_index:
                layout.hline(fig_x - LINE_CAPTION_COL, right, y)
            layout.text(fig_x - LINE_CAPTION_COL, y, LINE_CAPTION_COL, LINE_H,
                        line_captions[l_index] if len(numbers) > 1 else line_captions[-1])
            x = fig_x
            inpatient = len(numbers) > 1 and l_index == 0
            for c_index, (_, stem, w) in enumerate(columns):
                if food_from is not None and c_index >= food_from and not inpatient:
                    layout.line(x, y + LINE_H, x + w, y)  # no meals outside hospital
                else:
                    layout.figure(f"{stem}{number}", x, y, w, LINE_H, size=SUMMARY_FIGURE_PT)
                x += w
            y += LINE_H
        layout.text(GRID_X, section_y, ROW_CAPTION_COL, y - section_y, section, size=10.5)
        if s_index < len(SECTIONS) - 1:
            # The 合計 lines are set apart by a heavier rule.
            layout.hline(GRID_X, right, y, 2 if s_index == len(SECTIONS) - 2 else RULE)
    layout.vline(GRID_X + ROW_CAPTION_COL, GRID_Y + HEAD_H, y)  # 区分 heads both columns
    x = GRID_X + ROW_CAPTION_COL
    for w in [LINE_CAPTION_COL] + [w for _, _, w in columns[:-1]]:
        x += w
        layout.vline(x, GRID_Y, y)
    layout.box(GRID_X, GRID_Y, right - GRID_X, y - GRID_Y, FRAME)
    return y


def _counts(layout, top):
    caption_w, figure_w, head_h, row_h = 520, 220, 60, 80
    x = GRID_X
    layout.text(x, top, caption_w, head_h, "区　　分")
    layout.text(x + caption_w, top, figure_w, head_h, "件　数")
    y = top + head_h
    layout.hline(x, x + caption_w + figure_w, y, 2)
    for i, (caption, field) in enumerate([("(1)　公　　費", "Kouhi"),
                                         ("(2)　福祉（子障母精後）", "Fukusi")]):
        if i:
            layout.hline(x, x + caption_w + figure_w, y)
        layout.text(x + 20, y, caption_w - 40, row_h, caption, size=10.5, align="left")
        layout.figure(field, x + caption_w, y, figure_w, row_h, size=SUMMARY_FIGURE_PT)
        y += row_h
    layout.vline(x + caption_w, top, y)
    layout.box(x, top, caption_w + figure_w, y - top, FRAME)


def _qr(layout):
    x, y = qr_corner(QR_SIZE)
    layout.qr("QR1", x, y, QR_SIZE)


def medical_dental():
    layout = Layout()
    _header(layout, "診療報酬総括表")
    columns = [("件　数", "Kensuu", 220), ("実日数", "Jitunissuu", 300),
               ("点　数", "Tensuu", 380), ("食事療養・\n生活療養（円）", "Syokuji", 380)]
    bottom = _grid(layout, columns, ["入　院", "入院外"],
                   [[1, 2], [3, 4], [5, 6], [7, 8]], food_from=3)
    _counts(layout, bottom + 80)
    _qr(layout)
    return layout


def pharmacy():
    layout = Layout()
    _header(layout, "調剤報酬総括表")
    columns = [("件　数", "Kensuu", 260), ("枚　数", "Jitunissuu", 340),
               ("点　数", "Tensuu", 420)]
    bottom = _grid(layout, columns, ["入院外"], [[1], [2], [3], [4]])
    _counts(layout, bottom + 80)
    _qr(layout)
    return layout


def summary_layouts():
    return {"soukatu1.qvf": medical_dental(), "soukatu3.qvf": pharmacy()}
