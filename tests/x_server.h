// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The real program in a real X server: keys through xdotool, the window frame's close box as a
// window manager would press it, and what the windows show read back from the screen. With a
// Windows program given, it runs that under Wine, whose windows are X windows too.

#include "driver.h"
#include "screen.h"

#include <QProcess>
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>

inline QString xdotool(const QStringList &arguments)
{
    QProcess process;
    process.start("xdotool", arguments);
    if (!process.waitForFinished(10000))
        return {};
    return QString::fromLocal8Bit(process.readAllStandardOutput()).trimmed();
}

class XServer final : public Driver
{
public:
    explicit XServer(const QString &windowsProgram)
        : m_windowsProgram(windowsProgram)
        , m_x(xcb_connect(nullptr, nullptr))
    {
        m_protocols = atom("WM_PROTOCOLS");
        m_deleteWindow = atom("WM_DELETE_WINDOW");
    }
    ~XServer() override
    {
        stop();
        xcb_disconnect(m_x);
    }

    bool connected() const { return !xcb_connection_has_error(m_x); }
    xcb_connection_t *connection() const { return m_x; }
    bool isWindows() const { return !m_windowsProgram.isEmpty(); }
    const QString &windowsProgram() const { return m_windowsProgram; }
    QProcess &program() { return m_program; }
    xcb_window_t id(const Window &window) const { return window.toUInt(); }

    void start() override
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.remove("QT_QPA_PLATFORM");
        m_program.setProcessEnvironment(environment);
        m_program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_program.setStandardErrorFile(QString());
        if (isWindows())
            m_program.start("wine", {m_windowsProgram});
        else
            m_program.start(LEZOMAT_BINARY, QStringList());
        m_program.waitForStarted();
    }

    void stop() override
    {
        if (m_program.state() != QProcess::NotRunning) {
            m_program.kill();
            m_program.waitForFinished();
        }
    }

    bool running() override { return m_program.state() == QProcess::Running; }

    bool endsWith(int status) override
    {
        return m_program.waitForFinished(10000) && m_program.exitStatus() == QProcess::NormalExit
            && m_program.exitCode() == status;
    }

    QList<Window> shownWindows(const QString &title) override
    {
        const QString found = xdotool({"search", "--onlyvisible", "--name", "^" + title + "$"});
        return found.split('\n', Qt::SkipEmptyParts);
    }

    QRect geometry(const Window &window) override
    {
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_x)).data->root;
        std::unique_ptr<xcb_get_geometry_reply_t, decltype(&free)> size(
            xcb_get_geometry_reply(m_x, xcb_get_geometry(m_x, id(window)), nullptr), &free);
        std::unique_ptr<xcb_translate_coordinates_reply_t, decltype(&free)> origin(
            xcb_translate_coordinates_reply(
                m_x, xcb_translate_coordinates(m_x, id(window), root, 0, 0), nullptr),
            &free);
        if (!size || !origin)
            return {};
        return QRect(origin->dst_x, origin->dst_y, size->width, size->height);
    }

    // Centred on the 1280 x 1024 screen. With no window manager to tell it the frame's size, Qt
    // allows 10 pixels left and 40 above for one, and centres the window within that. Wine
    // centres the frame it would draw itself, whose caption lies above the client area: the
    // client area is centred across, and somewhat below the middle.
    bool isCentred(QRect client) override
    {
        if (!isWindows())
            return client.topLeft()
                == QPoint(640 - client.width() / 2 - 10, 512 - client.height() / 2 - 40);
        const QPoint offCentre = client.center() - QPoint(640, 512);
        return std::abs(offCentre.x()) <= 1 && offCentre.y() >= 0 && offCentre.y() <= 20;
    }

    // With no window manager nothing gives a window the keyboard focus, so the test does.
    void pressKeys(const Window &window, const QString &keys) override
    {
        xdotool({"windowfocus", "--sync", window});
        xdotool(QStringList {"key", "--delay", "50"} + keys.split(u' '));
    }

    void type(const Window &window, const QString &text) override
    {
        xdotool({"windowfocus", "--sync", window});
        xdotool({"type", text});
    }

    // What a window manager sends when the close box of the frame is pressed.
    void closeThroughFrame(const Window &window) override
    {
        xcb_client_message_event_t event {};
        event.response_type = XCB_CLIENT_MESSAGE;
        event.format = 32;
        event.window = id(window);
        event.type = m_protocols;
        event.data.data32[0] = m_deleteWindow;
        event.data.data32[1] = XCB_CURRENT_TIME;
        xcb_send_event(m_x, false, id(window), XCB_EVENT_MASK_NO_EVENT,
                       reinterpret_cast<const char *>(&event));
        xcb_flush(m_x);
    }

    bool itemShown(const Window &exercise) override { return ::itemShown(m_x, id(exercise)); }
    bool pictureShown(const Window &exercise) override { return ::pictureShown(m_x, id(exercise)); }
    bool inkShown(const Window &exercise) override
    {
        const auto ink = [](int r, int g, int b) { return r < 100 && g < 100 && b < 100; };
        return countPixels(m_x, id(exercise), QRect(352, 288, 225, 97), ink) > 20;
    }

    QByteArray property(const Window &window, const char *name)
    {
        const auto cookie = xcb_get_property(m_x, false, id(window), atom(name),
                                             XCB_GET_PROPERTY_TYPE_ANY, 0, 1 << 20);
        std::unique_ptr<xcb_get_property_reply_t, decltype(&free)> reply(
            xcb_get_property_reply(m_x, cookie, nullptr), &free);
        if (!reply)
            return {};
        return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                          xcb_get_property_value_length(reply.get()));
    }

private:
    xcb_atom_t atom(const char *name)
    {
        const auto cookie = xcb_intern_atom(m_x, false, uint16_t(strlen(name)), name);
        std::unique_ptr<xcb_intern_atom_reply_t, decltype(&free)> reply(
            xcb_intern_atom_reply(m_x, cookie, nullptr), &free);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }

    const QString m_windowsProgram;
    xcb_connection_t *m_x;
    xcb_atom_t m_protocols = 0;
    xcb_atom_t m_deleteWindow = 0;
    QProcess m_program;
};
