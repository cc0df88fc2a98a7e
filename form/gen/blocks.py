"""Parts that the claim forms and the summary tables share: the era month and
date lines with their fill-in fields, the institution block with the seal
circle, the QR symbol corner."""

from qvf import CAPTION_PT, FRAME, LABEL_PT, PAPER_H, PAPER_W, RULE, em

# The era year and month are two digits; their boxes take 2.5 characters of
# the surrounding text so the digits sit centred in the blank.
_NUMBER_EMS = 2.5
# Type is set on whole device pixels, which can make a caption a hair wider
# than its nominal size; each caption's box allows for that.
_SLACK = 3


def era_line(layout, x, y, h, size, pieces):
    """Text and fill-in fields on one line, left to right.

    `pieces` are captions (str) and field names (tuple ("field", name)); a
    field takes the room of 2.5 characters. Returns the right edge."""
    for piece in pieces:
        if isinstance(piece, tuple):
            w = em(size, _NUMBER_EMS)
            layout.field(piece[1], x, y, w, h, size=size, align="center")
        else:
            w = em(size, len(piece)) + _SLACK
            layout.text(x, y, w, h, piece, size=size, align="left")
        x += w
    return x


def era_line_width(size, pieces):
    return sum(em(size, _NUMBER_EMS) if isinstance(p, tuple) else em(size, len(p)) + _SLACK
               for p in pieces)


def month_pieces(nen, tuki, suffix=""):
    pieces = ["平成", ("field", nen), "年", ("field", tuki), "月分"]
    return pieces + [suffix] if suffix else pieces


def date_pieces(suffix=""):
    pieces = ["平成", ("field", "Nen2"), "年", ("field", "Tuki2"), "月",
              ("field", "Niti2"), "日"]
    return pieces + [suffix] if suffix else pieces


def institution_block(layout, x, y, w, h):
    """Framed block: captions at the left, the settings' lines (address, name,
    telephone, representative) in the field "Jyusyo", the seal circle at the
    bottom right, outside the text so a long line cannot run into it."""
    caption_w = 250
    seal = 110
    layout.box(x, y, w, h, FRAME)
    layout.vline(x + caption_w, y, y + h, RULE)
    layout.text(x + 10, y + 10, caption_w - 20, h - 20,
                "保険医療機関の\n所在地及び名称\n\n電話番号\n開設者氏名",
                size=LABEL_PT, align="left", multiline=True)
    text_x = x + caption_w + 20
    layout.field("Jyusyo", text_x, y + 20, x + w - seal - 30 - text_x, h - 40, size=10,
                 valign="top", multiline=True)
    seal_x = x + w - seal - 15
    seal_y = y + h - seal - 15
    layout.ellipse(seal_x, seal_y, seal, seal, RULE)
    layout.text(seal_x, seal_y, seal, seal, "印", size=CAPTION_PT)


# The QR symbol sits in the bottom right corner; its box ends 10 mm inside the
# paper edges, leaving room beyond the four-module quiet zone.
def qr_corner(symbol_size_hundredths):
    side = symbol_size_hundredths / 10
    return PAPER_W - 150 - side, PAPER_H - 100 - side
