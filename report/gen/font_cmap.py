"""The character-to-glyph map of a TrueType or OpenType font (cmap formats 4
and 12), read without any font library."""

import struct
def cmap(path):
    """Code point -> glyph index of the font file at `path`."""
    d=open(path,'rb').read()
    n=struct.unpack('>H',d[4:6])[0]
    tables={}
    for i in range(n):
        tag,cs,off,ln=struct.unpack('>4sIII',d[12+16*i:28+16*i]); tables[tag]=off
    c=tables[b'cmap']; nt=struct.unpack('>H',d[c+2:c+4])[0]
    best=None
    for i in range(nt):
        pid,eid,off=struct.unpack('>HHI',d[c+4+8*i:c+12+8*i])
        fmt=struct.unpack('>H',d[c+off:c+off+2])[0]
        if fmt==12: best=(12,c+off)
        elif fmt==4 and best is None: best=(4,c+off)
    fmt,o=best; m={}
    if fmt==12:
        ng=struct.unpack('>I',d[o+12:o+16])[0]
        for i in range(ng):
            s,e,g=struct.unpack('>III',d[o+16+12*i:o+28+12*i])
            for k in range(s,e+1): m[k]=g+k-s
    else:
        segx2=struct.unpack('>H',d[o+6:o+8])[0]; seg=segx2//2
        ends=struct.unpack('>%dH'%seg,d[o+14:o+14+segx2])
        starts=struct.unpack('>%dH'%seg,d[o+16+segx2:o+16+2*segx2])
        deltas=struct.unpack('>%dh'%seg,d[o+16+2*segx2:o+16+3*segx2])
        ro=o+16+3*segx2
        ranges=struct.unpack('>%dH'%seg,d[ro:ro+segx2])
        for i in range(seg):
            for k in range(starts[i],ends[i]+1):
                if k==0xFFFF: continue
                if ranges[i]==0: g=(k+deltas[i])&0xFFFF
                else:
                    a=ro+2*i+ranges[i]+2*(k-starts[i]); g=struct.unpack('>H',d[a:a+2])[0]
                    if g: g=(g+deltas[i])&0xFFFF
                if g: m[k]=g
    return m
