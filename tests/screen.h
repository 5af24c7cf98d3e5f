// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// What the real exercise window shows, read back from the X server.

#include <QRect>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <xcb/xcb.h>

// How many pixels of the window's area match the test, which is given red, green and blue.
inline int countPixels(xcb_connection_t *x, xcb_window_t window, QRect area,
                       const std::function<bool(int, int, int)> &test)
{
    const auto cookie
        = xcb_get_image(x, XCB_IMAGE_FORMAT_Z_PIXMAP, window, int16_t(area.x()), int16_t(area.y()),
                        uint16_t(area.width()), uint16_t(area.height()), ~0u);
    std::unique_ptr<xcb_get_image_reply_t, decltype(&free)> image(
        xcb_get_image_reply(x, cookie, nullptr), &free);
    if (!image)
        return -1;
    // Depth 24 comes as four bytes a pixel: blue, green, red, unused.
    const uint8_t *pixel = xcb_get_image_data(image.get());
    const int pixels = xcb_get_image_data_length(image.get()) / 4;
    int count = 0;
    for (int i = 0; i < pixels; ++i, pixel += 4)
        count += test(pixel[2], pixel[1], pixel[0]);
    return count;
}

// The colour of one pixel, as 0xRRGGBB.
inline int pixelColour(xcb_connection_t *x, xcb_window_t window, QPoint at)
{
    int colour = -1;
    countPixels(x, window, QRect(at, QSize(1, 1)), [&](int r, int g, int b) {
        colour = r << 16 | g << 8 | b;
        return true;
    });
    return colour;
}

// The exercise window's client area starts at client within the X window: at its origin where the
// X window is the exercise window's own.
//
// The item's label is opaque in another colour than the window's; its lowest rows lie below the
// picture box, so they tell whether the label is shown even during a pause.
inline bool itemShown(xcb_connection_t *x, xcb_window_t window, QPoint client = {})
{
    const int background = pixelColour(x, window, client + QPoint(5, 5));
    const auto label = [&](int r, int g, int b) { return (r << 16 | g << 8 | b) != background; };
    return countPixels(x, window, QRect(352, 378, 225, 7).translated(client), label) > 1000;
}

// The smiling face of the reward picture.
inline bool pictureShown(xcb_connection_t *x, xcb_window_t window, QPoint client = {})
{
    const auto yellow = [](int r, int g, int b) { return r > 200 && g > 150 && b < 100; };
    return countPixels(x, window, QRect(384, 264, 153, 113).translated(client), yellow) > 100;
}

// The top-left corner of the exercise window's client area on Wine's virtual desktop, found from a
// point of its background near that corner: the window is centred, its client area 1016 x 734.
inline QPoint exerciseOnDesktop(xcb_connection_t *x, xcb_window_t desktop, QPoint middle)
{
    const QPoint inside = middle - QPoint(508, 367) + QPoint(100, 120);
    const int background = pixelColour(x, desktop, inside);
    QPoint corner = inside;
    while (corner.x() > 0 && pixelColour(x, desktop, corner - QPoint(1, 0)) == background)
        corner.rx() -= 1;
    while (corner.y() > 0 && pixelColour(x, desktop, corner - QPoint(0, 1)) == background)
        corner.ry() -= 1;
    return corner;
}
