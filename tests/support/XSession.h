#pragma once

#include <QList>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QString>
#include <memory>
#include <optional>

struct xcb_connection_t;

// A desktop of our own for what only a real one shows: an X server (Xvfb) on
// a free display with a system tray (trayer, an XEmbed tray host at the top
// right). Windows are read over the X protocol; clicks and keys go through
// xdotool, as a person's would. Both programs end with the session.
class XSession
{
public:
    // A window as the X server has it.
    struct Window
    {
        quint32 id = 0;
        QString name;      // _NET_WM_NAME, else WM_NAME
        QString className; // WM_CLASS's class part
        qint64 pid = 0;    // _NET_WM_PID, 0 when not set
        QRect geometry;    // on the screen
        bool viewable = false;
        bool inTray = false; // embedded in the tray
    };

    // The programs a session needs that this machine lacks, or empty.
    static QString missingPrograms();

    XSession() = default;
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    // Starts the server and the tray; false with error() when either fails.
    bool start();
    QString error() const { return m_error; }

    // `base` with this display, Qt on X11, and no session bus (so a tray icon
    // can only go into our tray, and no desktop service of the user's answers).
    QProcessEnvironment environment(QProcessEnvironment base) const;

    // Every window below the root, parents before their children.
    QList<Window> windows() const;
    // The viewable window of process `pid` embedded in the tray.
    std::optional<Window> trayIconOf(qint64 pid) const;
    // The viewable top-level windows of process `pid` (not the tray icon).
    QList<Window> topLevelsOf(qint64 pid) const;

    bool click(const QPoint& point) const;
    bool key(const QString& name) const;
    // A picture of the whole screen (ImageMagick's import), when it is installed.
    bool saveScreen(const QString& path) const;

private:
    bool trayReady() const;
    // Runs `program` on this display; whether it ended well within `timeout` ms.
    bool run(const QString& program, const QStringList& arguments, int timeout) const;

    QProcess m_server;
    QProcess m_tray;
    QString m_display;
    QString m_error;
    xcb_connection_t* m_connection = nullptr;
};
