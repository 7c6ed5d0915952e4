#!/usr/bin/env python3
# make_foreign_rtf.py DIR: an RTF document another word processor writes, for editor_bench
# FILE.rtf: an HTML page of about 700 KB of words in bold, italics, many colours, another
# face and links, with headings, centred paragraphs, lists and small tables, converted by
# LibreOffice (soffice --headless) into DIR/foreign.rtf (about 1.5 MB).
import os
import random
import subprocess
import sys

out_dir = sys.argv[1] if len(sys.argv) > 1 else sys.exit("usage: make_foreign_rtf.py DIR")
os.makedirs(out_dir, exist_ok=True)
random.seed(4)
words = ("the quick brown fox jumps over lazy dog planning scorecard coaching goal measure team result "
         "quarter month year café naïve résumé – “quoted” ‘single’ €uro").split()
page = ['<html><head><meta charset="utf-8"></head><body>']
length, p = 0, 0
while length < 700000:
    p += 1
    if p % 25 == 0:
        page.append('<table border="1"><tr><td>cell a %d</td><td><b>cell b</b></td><td>c</td></tr>'
                    '<tr><td>x</td><td>y</td><td>z</td></tr></table>' % p)
    if p % 17 == 0:
        page.append('<ul>' + ''.join('<li>item %d %s</li>' % (i, random.choice(words)) for i in range(4)) + '</ul>')
    parts = []
    for w in range(random.randint(20, 120)):
        word, r = random.choice(words), random.random()
        if r < 0.08:
            word = '<b>%s</b>' % word
        elif r < 0.14:
            word = '<i>%s</i>' % word
        elif r < 0.17:
            word = '<span style="color:#%06x">%s</span>' % (random.randrange(1 << 24) & 0x7f7f7f, word)
        elif r < 0.19:
            word = '<font face="Courier New">%s</font>' % word
        elif r < 0.20:
            word = '<a href="http://x/%d">%s</a>' % (w, word)
        parts.append(word)
    text = ' '.join(parts)
    length += len(text)
    tag = 'h2' if p % 30 == 0 else 'p'
    align = ' align="center"' if p % 11 == 0 else ''
    page.append('<%s%s>%s</%s>' % (tag, align, text, tag))
page.append('</body></html>')
html = os.path.join(out_dir, 'foreign.html')
with open(html, 'w', encoding='utf-8') as f:
    f.write('\n'.join(page))
subprocess.run(['soffice', '--headless', '--convert-to', 'rtf:Rich Text Format', '--outdir', out_dir, html],
               check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
os.remove(html)
