"""Pictures written and read back by Pillow, for the picture reader's tests.

usage: pillow_pictures.py write SOURCE.bmp FOLDER
           writes every kind of BMP and PNG Pillow makes from SOURCE as
           FOLDER/NAME.bmp or .png, and what Pillow reads back from it
       pillow_pictures.py read FILE...
           writes what Pillow reads from each FILE beside it

What is read back goes to NAME.rgb (red, green, blue a pixel, top row first)
and, for palette pictures, NAME.idx (one index a pixel, top row first).
"""
import os
import sys

from PIL import Image


def indices(image):
    """The stored indices of a palette picture as Pillow opened it."""
    if image.mode == "P":
        return bytes(image.getdata())
    if image.mode == "1":  # a black and white table: index 1 is white
        return bytes(1 if v else 0 for v in image.getdata())
    if image.mode == "L":  # a grey table whose index i is grey i
        return bytes(image.getdata())
    return None


def colours(image):
    """Red, green, blue of every pixel; 16-bit grey rounded to 8 bits."""
    if image.mode in ("I", "I;16"):
        grey = bytes((v * 255 + 32767) // 65535 for v in image.getdata())
        return bytes(b for g in grey for b in (g, g, g))
    return image.convert("RGB").tobytes()


def dump(path, palette_file):
    base = os.path.splitext(path)[0]
    with Image.open(path) as image:
        image.load()
        with open(base + ".rgb", "wb") as out:
            out.write(colours(image))
        stored = indices(image) if palette_file else None
        if stored is not None:
            with open(base + ".idx", "wb") as out:
                out.write(stored)


def write(source, folder):
    picture = Image.open(source).convert("RGB")
    width, height = picture.size
    grey = picture.convert("L")
    alpha = Image.linear_gradient("L").resize((width, height))
    rgba = picture.copy()
    rgba.putalpha(alpha)
    grey_alpha = grey.copy()
    grey_alpha.putalpha(alpha)
    adaptive = picture.convert("P", palette=Image.Palette.ADAPTIVE, colors=200)
    sixteen = picture.convert("P", palette=Image.Palette.ADAPTIVE, colors=16)
    four = picture.convert("P", palette=Image.Palette.ADAPTIVE, colors=4)
    deep = Image.new("I;16", (width, height))
    deep.putdata([g * 256 + (i * 37) % 256 for i, g in enumerate(grey.getdata())])

    pictures = {
        # name: (picture, save options, a palette file)
        "bmp-1": (picture.convert("1"), {}, True),
        "bmp-L": (grey, {}, True),
        "bmp-P": (adaptive, {}, True),
        "bmp-RGB": (picture, {}, False),
        "bmp-RGBA": (rgba, {}, False),
        "png-1": (picture.convert("1"), {}, False),
        "png-L": (grey, {}, False),
        "png-LA": (grey_alpha, {}, False),
        "png-P": (adaptive, {}, True),
        "png-P2": (four, {"bits": 2}, True),
        "png-P4": (sixteen, {"bits": 4}, True),
        "png-P-tRNS": (adaptive, {"transparency": 5}, True),
        "png-RGB": (picture, {}, False),
        "png-RGBA": (rgba, {}, False),
        "png-I16": (deep, {}, False),
    }
    for name, (image, options, palette_file) in pictures.items():
        path = os.path.join(folder, name + ("." + name[:3]))
        image.save(path, **options)
        dump(path, palette_file)


def main():
    if len(sys.argv) == 4 and sys.argv[1] == "write":
        write(sys.argv[2], sys.argv[3])
    elif len(sys.argv) >= 3 and sys.argv[1] == "read":
        for path in sys.argv[2:]:
            dump(path, True)
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
