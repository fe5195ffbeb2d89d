#!/usr/bin/env python3
"""Makes the shipped art under resources/art/: templates (kvlt), backgrounds
(bg), textures (bmbrush) and clip art (clipart). Needs Python 3 only.

Usage: scripts/art/generate.py [--preview FOLDER]
--preview also writes an SVG of every metafile into FOLDER for viewing.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backgrounds  # noqa: E402
import clipart  # noqa: E402
import templates  # noqa: E402
import textures  # noqa: E402

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', '..'))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('--preview')
    parser.add_argument('--out', default=os.path.join(ROOT, 'resources', 'art'))
    args = parser.parse_args()
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
    folders = {k: os.path.join(args.out, k) for k in ('kvlt', 'bg', 'bmbrush', 'clipart')}
    for f in folders.values():
        os.makedirs(f, exist_ok=True)
    print('templates', templates.generate(folders['kvlt']))
    print('backgrounds', backgrounds.generate(folders['bg'], args.preview))
    print('textures', textures.generate(folders['bmbrush']))
    print('clip art', clipart.generate(folders['clipart'], args.preview))


if __name__ == '__main__':
    main()
