# Every sheet of a label library folder that one layout prints, read with a DOM parser:
# "BRAND PART", paper width and height, label width and height, across, down, and the
# top left corner of each label row by row, in points. Aliases take their equivalent's values.
import glob, os, re, sys, xml.dom.minidom as md
folder = sys.argv[1]
def length(text):
    m = re.fullmatch(r'\s*([-+0-9.eE]+)\s*(pt|in|mm|cm|pc)?\s*', text or '0')
    return float(m.group(1)) * {None: 1, 'pt': 1, 'in': 72, 'mm': 72 / 25.4, 'cm': 72 / 2.54, 'pc': 12}[m.group(2)]
papers = {p.getAttribute('id'): (length(p.getAttribute('width')), length(p.getAttribute('height')))
          for p in md.parse(os.path.join(folder, 'paper-sizes.xml')).getElementsByTagName('Paper-size')}
sheets, aliases, gone = {}, [], set()
for path in sorted(glob.glob(os.path.join(folder, '*-templates.xml'))):
    for t in md.parse(path).getElementsByTagName('Template'):
        key = (t.getAttribute('brand'), t.getAttribute('part'))
        if t.getAttribute('equiv'):
            aliases.append((key, (key[0], t.getAttribute('equiv'))))
            continue
        labels = [e for e in t.childNodes if e.nodeType == 1 and e.tagName.startswith('Label-')]
        layouts = [l for e in labels for l in e.getElementsByTagName('Layout')]
        if len(labels) != 1 or len(layouts) != 1 or labels[0].tagName == 'Label-cd':
            gone.add(key)
            continue
        e, l = labels[0], layouts[0]
        if e.tagName == 'Label-round':
            w = h = 2 * length(e.getAttribute('radius'))
        else:
            w, h = length(e.getAttribute('width')), length(e.getAttribute('height'))
        size = t.getAttribute('size')
        paper = (length(t.getAttribute('width')), length(t.getAttribute('height'))) if size == 'Other' else papers[size]
        nx, ny = int(l.getAttribute('nx')), int(l.getAttribute('ny'))
        a = {k: length(l.getAttribute(k)) for k in ('x0', 'y0', 'dx', 'dy')}
        corners = [(a['x0'] + c * a['dx'], a['y0'] + r * a['dy']) for r in range(ny) for c in range(nx)]
        sheets[key] = [paper[0], paper[1], w, h, nx, ny, corners]
for key, target in aliases:
    if target in sheets:
        sheets[key] = sheets[target]
for (brand, part), (pw, ph, w, h, nx, ny, corners) in sorted(sheets.items()):
    print('\t'.join([brand + ' ' + part] + ['%.4f' % v for v in (pw, ph, w, h)] + [str(nx), str(ny)] +
                    ['%.4f,%.4f' % c for c in corners]))
