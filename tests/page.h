// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The browser edition in a browser: each load of the page starts the program afresh; its
// windows are the page's sections, named by their ids, and the keys go to the page.

#include "browser.h"
#include "driver.h"

#include <QImage>
#include <cstdlib>

class Page final : public Driver
{
public:
    Page(const QString &browser, const QString &address)
        : m_browser(browser)
        , m_address(address)
    {
    }

    Browser &browser() { return m_browser; }

    void start() override { m_browser.request({{"do", "open"}, {"url", m_address}}); }
    void stop() override { }

    bool running() override
    {
        return m_browser.script("return document.querySelector('.ended') === null").toBool();
    }

    // The windows are gone, and the page says so with the status.
    bool endsWith(int status) override
    {
        QJsonValue ended;
        const auto hasEnded = [&] {
            ended = m_browser.script("const end = document.querySelector('.ended');"
                                     "return end && !document.querySelector('.form')"
                                     "    ? Number(end.dataset.status) : null");
            return ended.isDouble();
        };
        return waitFor(hasEnded) && ended.toInt() == status;
    }

    QList<Window> shownWindows(const QString &title) override
    {
        QList<Window> windows;
        const QJsonValue found = m_browser.script(
            "return [...document.querySelectorAll('.form')]"
            "    .filter(form => !form.hidden"
            "                    && form.querySelector('.caption').textContent == arguments[0])"
            "    .map(form => form.id)",
            {title});
        for (const QJsonValue &id : found.toArray())
            windows.append(id.toString());
        return windows;
    }

    QRect geometry(const Window &window) override
    {
        const QJsonArray box
            = m_browser
                  .script("const client = document.getElementById(arguments[0])"
                          "    .querySelector('.client').getBoundingClientRect();"
                          "return [client.x, client.y, client.width, client.height]",
                          {window})
                  .toArray();
        return QRectF(box[0].toDouble(), box[1].toDouble(), box[2].toDouble(), box[3].toDouble())
            .toRect();
    }

    // Centred in the page's view, with its title bar above the client area: the client area is
    // centred across, and somewhat below the middle.
    bool isCentred(QRect client) override
    {
        const QJsonArray view = m_browser.script("return [innerWidth, innerHeight]").toArray();
        const QPoint offCentre = client.center() - QPoint(view[0].toInt(), view[1].toInt()) / 2;
        return std::abs(offCentre.x()) <= 1 && offCentre.y() >= 0 && offCentre.y() <= 20;
    }

    void pressKeys(const Window &, const QString &keys) override
    {
        m_browser.request({{"do", "keys"}, {"keys", keys}});
    }

    void type(const Window &, const QString &text) override
    {
        m_browser.request({{"do", "type"}, {"text", text}});
    }

    void closeThroughFrame(const Window &window) override
    {
        m_browser.request({{"do", "click"}, {"selector", "#" + window + " .close"}});
    }

    bool itemShown(const Window &exercise) override { return controlShown(exercise, "txt_string"); }
    bool pictureShown(const Window &exercise) override
    {
        return controlShown(exercise, "Picture1");
    }

    // Dark pixels of the item's text in a picture of its label.
    bool inkShown(const Window &exercise) override
    {
        const QJsonValue picture = m_browser.request(
            {{"do", "shot"}, {"selector", "#" + exercise + " [data-name=txt_string]"}});
        const QImage label
            = QImage::fromData(QByteArray::fromBase64(picture.toString().toLatin1()));
        int ink = 0;
        for (int y = 0; y < label.height(); ++y) {
            for (int x = 0; x < label.width(); ++x)
                ink += qGray(label.pixel(x, y)) < 100;
        }
        return ink > 20;
    }

private:
    bool controlShown(const Window &window, const char *name)
    {
        return m_browser
            .script("const control = document.querySelector("
                    "    '#' + arguments[0] + ' [data-name=' + arguments[1] + ']');"
                    "return control !== null && !control.hidden",
                    {window, name})
            .toBool();
    }

    Browser m_browser;
    const QString m_address;
};
