"""Independent check of an upload message as the simulator received it.

The message must be: the upload command, one IEEE 488.2 definite-length
block, and the terminator right after the block's last byte. Prints the
command text before the block and the block's 16-bit values.

usage: check_block.py WIRE_FILE big|little
"""
import sys

from pyvisa.util import from_ieee_block

data = open(sys.argv[1], "rb").read()
big = sys.argv[2] == "big"
start = data.index(b"#")
digits = int(data[start + 1:start + 2])
length = int(data[start + 2:start + 2 + digits])
end = start + 2 + digits + length
if data[end:] != b"\n":
    sys.exit("bytes after the block: %r" % data[end:end + 16])
values = from_ieee_block(data[start:], datatype="h", is_big_endian=big)
if len(values) * 2 != length:
    sys.exit("block holds %d values for %d bytes" % (len(values), length))
print(data[:start].decode("ascii"))
print(" ".join(str(v) for v in values))
