#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Writes the page's index.html: the template with the list of shipped maps
and the game's icon.

    make_page.py TEMPLATE README MAPS_FOLDER ICON OUTPUT

Each map's entry (its name, its facts and its preview) is taken from the
README's list of shipped maps, so the page and the README say the same. Every
map file in MAPS_FOLDER must have its entry there, and every entry its file:
a map added without its description stops the build here, with its name.
"""
import base64
import html
import pathlib
import re
import sys

ENTRY = re.compile(
    r"^\*\*(?P<title>[^*\n]+)\*\* \(`maps/(?P<file>[^`]+)\.tvm`\): (?P<facts>[^\n]+)\n\n"
    r"```\n(?P<preview>.*?)```",
    re.MULTILINE | re.DOTALL,
)
MAPS_MARK = "<!-- the shipped maps -->"
ICON_MARK = "<!-- the icon -->"


def shipped_maps_section(readme: str) -> str:
    start = readme.find("### The shipped maps")
    if start < 0:
        raise SystemExit("make_page: the README has no section 'The shipped maps'")
    end = readme.find("\n### ", start + 1)
    return readme[start : end if end >= 0 else len(readme)]


def facts_and_shape(facts: str) -> tuple:
    """The README's line is "SIZE, CELLS, MINES (DENSITY); WHAT IT IS, MORE...".
    The page keeps the figures and the first words on the map's shape; the
    rest speaks of the files beside the README."""
    figures, _, about = facts.partition(";")
    shape = re.split(r"[,;.]", about.strip(), maxsplit=1)[0].strip()
    return figures.strip(), shape


def map_item(entry: re.Match) -> str:
    name = entry["file"]
    figures, shape = facts_and_shape(entry["facts"])
    preview = entry["preview"].rstrip("\n")
    return (
        f'<li><button type="button" class="map" data-map="{html.escape(name)}">'
        f'<span class="map-title">{html.escape(entry["title"])}</span>'
        f'<span class="map-facts">{html.escape(figures)}</span>'
        f'<span class="map-shape">{html.escape(shape)}</span>'
        f'<pre class="preview" aria-hidden="true">{html.escape(preview)}</pre>'
        f"</button></li>"
    )


def main() -> None:
    if len(sys.argv) != 6:
        raise SystemExit("usage: make_page.py TEMPLATE README MAPS_FOLDER ICON OUTPUT")
    template, readme, maps_folder, icon, output = (pathlib.Path(a) for a in sys.argv[1:])
    entries = list(ENTRY.finditer(shipped_maps_section(readme.read_text(encoding="utf-8"))))
    described = {entry["file"] for entry in entries}
    shipped = {path.stem for path in maps_folder.glob("*.tvm")}
    if shipped - described:
        raise SystemExit(
            "make_page: no entry in the README's shipped maps for "
            + ", ".join(sorted(shipped - described))
        )
    if described - shipped:
        raise SystemExit(
            "make_page: the README describes maps that are not in maps/: "
            + ", ".join(sorted(described - shipped))
        )
    page = template.read_text(encoding="utf-8")
    for mark in (MAPS_MARK, ICON_MARK):
        if mark not in page:
            raise SystemExit(f"make_page: the template has no '{mark}'")
    items = "\n".join(map_item(entry) for entry in entries)
    # The icon goes inside the page, so the site stays the files it is.
    icon_data = base64.b64encode(icon.read_bytes()).decode("ascii")
    link = f'<link rel="icon" type="image/png" href="data:image/png;base64,{icon_data}">'
    output.write_text(page.replace(MAPS_MARK, items).replace(ICON_MARK, link), encoding="utf-8")


if __name__ == "__main__":
    main()
