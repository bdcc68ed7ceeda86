#!/usr/bin/python3
# Reads the main window of a running Selvanor through AT-SPI, as a screen
# reader does, and checks that its controls have Dutch names and
# descriptions. Prints PASS/FAIL lines; exits 1 on a failure, 77 when the
# accessibility bus cannot be read.
import sys
import time

try:
    import gi
    gi.require_version('Atspi', '2.0')
    from gi.repository import Atspi
except (ImportError, ValueError) as e:
    print(f"SKIP: AT-SPI cannot be read from Python here ({e}); Debian packages python3-gi, gir1.2-atspi-2.0")
    sys.exit(77)

failures = 0


def check(ok, what):
    global failures
    print(("PASS: " if ok else "FAIL: ") + what)
    if not ok:
        failures += 1


def children(node):
    for i in range(node.get_child_count()):
        child = node.get_child_at_index(i)
        if child is not None:
            yield child


def walk(node):
    yield node
    for child in children(node):
        yield from walk(child)


def main_window():
    for _ in range(100):
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            if app.get_name() == 'Selvanor':
                for frame in children(app):
                    if (frame.get_name() or '').startswith('Korviden'):
                        return frame
        time.sleep(0.2)
    return None


frame = main_window()
if frame is None:
    print("FAIL: no main window of Selvanor on the accessibility bus")
    sys.exit(1)
check(True, "the main window on the accessibility bus: " + frame.get_name())

nodes = [(n.get_role_name(), n.get_name() or '', n.get_description() or '') for n in walk(frame)]
controls = [n for n in nodes if n[0] in ('spin button', 'push button', 'list', 'image', 'text')]
check(len(controls) >= 8, f"{len(controls)} controls in the main window")
for role, name, description in controls:
    check(name != '' and description != '', f"{role} «{name}»: «{description}»")

for role, name in [('spin button', 'Jaar'), ('spin button', 'Maand'), ('spin button', 'Dag'),
                   ('spin button', 'Uur'), ('push button', 'Nu'), ('image', 'Maanbeeld'),
                   ('image', 'Schijngestalte'), (None, 'Datumpaneel'), (None, 'Plaatselijke schaal')]:
    check(any(role in (None, r) and n == name for r, n, _ in nodes), f"a {role or 'part'} named «{name}»")
readouts = [n for r, n, _ in nodes if r == 'label' and n.startswith('Coördinaten')]
check(len(readouts) == 1, f"the read-out says what it shows: {readouts}")
sys.exit(1 if failures else 0)
