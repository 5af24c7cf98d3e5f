// SPDX-FileCopyrightText: 2026 The Lezomat developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/application.h"

#include "platform/toolkit.h"

#include <QApplication>
#include <QDirIterator>
#include <QIcon>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace platform {

// What stands for the display the program could not open, to name it in the one line it gives.
static QByteArray displayName()
{
    for (const char *variable : {"WAYLAND_DISPLAY", "DISPLAY"}) {
        if (const QByteArray name = qgetenv(variable); !name.isEmpty())
            return name;
    }
    return {};
}

// The toolkit's messages while it opens the display. It reports a display it cannot open as a
// fatal error, in several lines that blame the installation, and then aborts; the program
// replaces all of that with one line of its own and a failure status. Messages of an opening
// that succeeds are passed on unchanged once it has.
class DisplayOpening
{
public:
    explicit DisplayOpening(const Identity &identity)
    {
        s_name = identity.name;
        s_previous = qInstallMessageHandler(&DisplayOpening::handle);
    }
    ~DisplayOpening()
    {
        qInstallMessageHandler(s_previous);
        for (const auto &[type, category, text] : s_held)
            qt_message_output(type, QMessageLogContext(nullptr, 0, nullptr, category.constData()),
                              text);
        s_held.clear();
    }

private:
    struct Message
    {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void handle(QtMsgType type, const QMessageLogContext &context, const QString &message)
    {
        if (type != QtFatalMsg) {
            s_held.append({type, context.category, message});
            return;
        }
        const QByteArray display = displayName();
        if (display.isEmpty())
            std::fprintf(stderr,
                         "%s: no display to show the windows on; start it in a desktop session\n",
                         s_name);
        else
            std::fprintf(stderr, "%s: cannot open the display %s\n", s_name, display.constData());
        std::fflush(stderr);
        // The toolkit is half set up: nothing of it may run on, not even its clean-up at exit.
        std::_Exit(EXIT_FAILURE);
    }

    static inline const char *s_name = nullptr;
    static inline QtMessageHandler s_previous = nullptr;
    static inline QList<Message> s_held;
};

// The program's own pictures of its icon, which are also what it installs into the icon theme.
// Asking the desktop's icon theme first would cost a tenth of the start-up for the same pictures.
static QIcon programIcon()
{
    QIcon icon;
    for (QDirIterator picture(QStringLiteral(":/icons"), QDir::Files); picture.hasNext();)
        icon.addFile(picture.next());
    return icon;
}

int run(int argc, char *argv[], const Identity &identity, void (*start)())
{
    if (const auto answered = answerCommandLine(argc, argv, identity))
        return *answered;

    // The desktop file name is the Wayland app id and, as the application name, the X11 window
    // class: both then match the desktop entry.
    QApplication::setApplicationName(QString::fromLatin1(identity.desktopId));
    QApplication::setApplicationVersion(QString::fromLatin1(identity.version));
    QApplication::setDesktopFileName(QString::fromLatin1(identity.desktopId));
    std::optional<DisplayOpening> opening(identity);
    QApplication application(argc, argv);
    opening.reset();
    QApplication::setWindowIcon(programIcon());

    start();
    return exitStatus();
}

} // namespace platform
