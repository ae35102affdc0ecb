#!/usr/bin/env python3
"""Draws damage-car.raw: the car damage editor's top view of a 1998 Formula One
car, 120 x 294 pixels, one game palette index per pixel (rows top down).
Region k of the damage table is drawn with the marker index 96 + k (22: the
rest of the body); outlines, cockpit, helmet and background use other indices.
Run it from this folder to draw the picture again."""

W, H = 120, 294
BACKGROUND, OUTLINE, COCKPIT, HELMET, VISOR = 37, 4, 2, 39, 6
MARKER = 96

(NOSE, R_FRONT_WING, L_FRONT_WING, R_FENCE, L_FENCE, R_FRONT_SUSP, R_FRONT_WHEEL, L_FRONT_SUSP,
 L_FRONT_WHEEL, R_POD, L_POD, REAR, R_REAR_SUSP, R_REAR_WHEEL, L_REAR_SUSP, L_REAR_WHEEL,
 REAR_WING, R_REAR_WING, L_REAR_WING, TOP_REAR_WING, R_BARGE, L_BARGE, BODY) = range(23)

label = [[None] * W for _ in range(H)]


def inside_polygon(px, py, points):
    hit = False
    for i in range(len(points)):
        (x1, y1), (x2, y2) = points[i], points[i - 1]
        if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
            hit = not hit
    return hit


def polygon(value, points):
    for y in range(H):
        for x in range(W):
            if inside_polygon(x + 0.5, y + 0.5, points):
                label[y][x] = value


def mirrored(value_left, value_right, points):
    """A shape on the car's left (the viewer's left, nose up) and its mirror on the right."""
    polygon(value_left, points)
    polygon(value_right, [(W - x, y) for x, y in points])


def rounded_rect(value, x0, y0, x1, y1, r):
    for y in range(y0, y1):
        for x in range(x0, x1):
            cx = min(max(x + 0.5, x0 + r), x1 - r)
            cy = min(max(y + 0.5, y0 + r), y1 - r)
            if (x + 0.5 - cx) ** 2 + (y + 0.5 - cy) ** 2 <= r * r:
                label[y][x] = value


def ellipse(value, cx, cy, rx, ry):
    for y in range(H):
        for x in range(W):
            if ((x + 0.5 - cx) / rx) ** 2 + ((y + 0.5 - cy) / ry) ** 2 <= 1:
                label[y][x] = value


def arm(value, x0, y0, x1, y1, width):
    """A suspension arm: a thin quadrilateral from (x0, y0) to (x1, y1)."""
    dx, dy = x1 - x0, y1 - y0
    length = (dx * dx + dy * dy) ** 0.5
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    polygon(value, [(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


# Front suspension first: the wheels and the body cover the arms' ends.
for left, right, y_body, y_wheel in ((L_FRONT_SUSP, R_FRONT_SUSP, 58, 56), (L_FRONT_SUSP, R_FRONT_SUSP, 76, 70)):
    arm(left, 50, y_body, 20, y_wheel, 3)
    arm(right, W - 50, y_body, W - 20, y_wheel, 3)
for left, right, y_body, y_wheel in ((L_REAR_SUSP, R_REAR_SUSP, 220, 222), (L_REAR_SUSP, R_REAR_SUSP, 240, 236)):
    arm(left, 52, y_body, 22, y_wheel, 3)
    arm(right, W - 52, y_body, W - 22, y_wheel, 3)

# Wheels: narrow grooved fronts, wider rears.
rounded_rect(L_FRONT_WHEEL, 4, 42, 24, 88, 4)
rounded_rect(R_FRONT_WHEEL, W - 24, 42, W - 4, 88, 4)
rounded_rect(L_REAR_WHEEL, 1, 204, 26, 254, 4)
rounded_rect(R_REAR_WHEEL, W - 26, 204, W - 1, 254, 4)

# Side pods, with their rounded intakes, and the barge boards ahead of them.
mirrored(L_POD, R_POD, [(44, 126), (28, 132), (25, 140), (25, 196), (32, 214), (46, 222), (46, 126)])
mirrored(L_BARGE, R_BARGE, [(33, 96), (37, 96), (39, 124), (35, 124)])

# The body: monocoque from the nose to the engine, the engine cover and gearbox behind it.
polygon(BODY, [(52, 62), (68, 62), (74, 100), (76, 150), (76, 170), (44, 170), (44, 150), (46, 100)])
polygon(REAR, [(44, 170), (76, 170), (74, 214), (68, 250), (66, 262), (54, 262), (52, 250), (46, 214)])
ellipse(REAR, 60, 160, 9, 14)  # the airbox over the driver's head
polygon(NOSE, [(56, 4), (64, 4), (67, 18), (69, 40), (70, 64), (50, 64), (51, 40), (53, 18)])

# Front wing: two planes beside the nose, fences at their tips.
mirrored(L_FRONT_WING, R_FRONT_WING, [(9, 14), (52, 12), (51, 30), (9, 34)])
mirrored(L_FENCE, R_FENCE, [(4, 10), (9, 10), (9, 38), (4, 38)])

# Rear wing: the upper flap ahead of the main plane, end plates at both sides.
polygon(TOP_REAR_WING, [(28, 262), (92, 262), (92, 270), (28, 270)])
polygon(REAR_WING, [(28, 272), (92, 272), (92, 286), (28, 286)])
mirrored(L_REAR_WING, R_REAR_WING, [(21, 258), (28, 258), (28, 290), (21, 290)])

# Cockpit opening with the driver's helmet.
pixels = [[BACKGROUND if v is None else MARKER + v for v in row] for row in label]
for y in range(H):
    for x in range(W):
        if ((x + 0.5 - 60) / 8) ** 2 + ((y + 0.5 - 134) / 16) ** 2 <= 1:
            pixels[y][x] = COCKPIT
        if ((x + 0.5 - 60) / 6) ** 2 + ((y + 0.5 - 138) / 7) ** 2 <= 1:
            pixels[y][x] = HELMET if y > 134 or abs(x + 0.5 - 60) > 4 else VISOR

# One pixel of outline wherever two shapes meet (or a shape meets the background).
outlined = [row[:] for row in pixels]
for y in range(H):
    for x in range(W):
        here = label[y][x]
        right = label[y][x + 1] if x + 1 < W else None
        below = label[y + 1][x] if y + 1 < H else None
        if (here is not None or right is not None or below is not None) and (here != right or here != below):
            outlined[y][x] = OUTLINE

with open("damage-car.raw", "wb") as out:
    out.write(bytes(v for row in outlined for v in row))
