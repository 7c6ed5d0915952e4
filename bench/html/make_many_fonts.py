#!/usr/bin/env python3
"""Writes a page of 100,000 runs, each in a colour of its own: every run needs a font of its
own, so reading it shows whether finding a font costs the same however many there are."""
import sys

runs = [f'<font color="#{(n * 2654435761) & 0xFFFFFF:06x}">w{n} </font>' for n in range(100_000)]
with open(sys.argv[1] if len(sys.argv) > 1 else 'many_fonts.html', 'w') as page:
    page.write('<html><body><p>' + ''.join(runs) + '</p></body></html>\n')
