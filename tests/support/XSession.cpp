#include "support/XSession.h"

#include <QDeadlineTimer>
#include <QStandardPaths>
#include <QThread>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

using namespace Qt::StringLiterals;

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;
template <typename T> Reply<T> reply(T* value)
{
    return Reply<T>(value, &std::free);
}

xcb_atom_t atom(xcb_connection_t* connection, const char* name)
{
    const auto answer = reply(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, uint16_t(strlen(name)), name), nullptr));
    return answer ? answer->atom : xcb_atom_t(XCB_ATOM_NONE);
}

QByteArray property(xcb_connection_t* connection, xcb_window_t window, xcb_atom_t name,
                    xcb_atom_t type)
{
    const auto answer = reply(xcb_get_property_reply(
        connection, xcb_get_property(connection, 0, window, name, type, 0, 1024), nullptr));
    if (!answer)
        return {};
    return QByteArray(static_cast<const char*>(xcb_get_property_value(answer.get())),
                      xcb_get_property_value_length(answer.get()));
}

} // namespace

QString XSession::missingPrograms()
{
    QStringList missing;
    for (const char* program : {"Xvfb", "trayer", "xdotool"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(program)).isEmpty())
            missing << QString::fromLatin1(program);
    return missing.join(u", "_s);
}

XSession::~XSession()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    for (QProcess* process : {&m_tray, &m_server}) {
        if (process->state() != QProcess::NotRunning) {
            process->terminate();
            if (!process->waitForFinished(5000)) {
                process->kill();
                process->waitForFinished();
            }
        }
    }
}

bool XSession::start()
{
    // -displayfd: the server picks a free display and says which.
    m_server.start(u"Xvfb"_s, {u"-displayfd"_s, u"1"_s, u"-screen"_s, u"0"_s, u"1024x768x24"_s,
                               u"-nolisten"_s, u"tcp"_s});
    QDeadlineTimer deadline(10000);
    while (!m_server.canReadLine() && m_server.waitForReadyRead(int(deadline.remainingTime()))) {
    }
    if (!m_server.canReadLine()) {
        m_error = u"Xvfb did not start: "_s + m_server.errorString();
        return false;
    }
    m_display = u':' + QString::fromLatin1(m_server.readLine().trimmed());
    m_connection = xcb_connect(m_display.toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(m_connection)) {
        m_error = u"Could not connect to "_s + m_display;
        return false;
    }

    m_tray.setProcessEnvironment(environment(QProcessEnvironment::systemEnvironment()));
    m_tray.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_tray.start(u"trayer"_s, {u"--edge"_s, u"top"_s, u"--align"_s, u"right"_s, u"--widthtype"_s,
                               u"request"_s, u"--height"_s, u"24"_s, u"--SetDockType"_s, u"true"_s,
                               u"--transparent"_s, u"false"_s});
    // Ready once it owns the tray selection, as applications look for it.
    while (!trayReady() && !deadline.hasExpired() && m_tray.state() != QProcess::NotRunning)
        QThread::msleep(10);
    if (!trayReady()) {
        m_error = u"trayer did not take the tray"_s;
        return false;
    }
    return true;
}

bool XSession::trayReady() const
{
    const xcb_atom_t selection = atom(m_connection, "_NET_SYSTEM_TRAY_S0");
    const auto owner = reply(xcb_get_selection_owner_reply(
        m_connection, xcb_get_selection_owner(m_connection, selection), nullptr));
    return owner && owner->owner != XCB_WINDOW_NONE;
}

QProcessEnvironment XSession::environment(QProcessEnvironment base) const
{
    base.insert(u"DISPLAY"_s, m_display);
    base.insert(u"QT_QPA_PLATFORM"_s, u"xcb"_s);
    base.insert(u"DBUS_SESSION_BUS_ADDRESS"_s, u"unix:path=/nonexistent/zentrope-no-bus"_s);
    base.remove(u"WAYLAND_DISPLAY"_s);
    return base;
}

QList<XSession::Window> XSession::windows() const
{
    const xcb_atom_t netName = atom(m_connection, "_NET_WM_NAME");
    const xcb_atom_t utf8 = atom(m_connection, "UTF8_STRING");
    const xcb_atom_t netPid = atom(m_connection, "_NET_WM_PID");
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;

    QList<Window> found;
    const auto visit = [&](auto&& self, xcb_window_t parent, bool inTray) -> void {
        const auto tree = reply(
            xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, parent), nullptr));
        if (!tree)
            return;
        const xcb_window_t* children = xcb_query_tree_children(tree.get());
        for (int i = 0; i < xcb_query_tree_children_length(tree.get()); ++i) {
            Window window;
            window.id = children[i];
            window.inTray = inTray;
            QByteArray name = property(m_connection, window.id, netName, utf8);
            if (name.isEmpty())
                name = property(m_connection, window.id, XCB_ATOM_WM_NAME, XCB_ATOM_STRING);
            window.name = QString::fromUtf8(name);
            const QList<QByteArray> classes =
                property(m_connection, window.id, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING).split('\0');
            window.className = QString::fromUtf8(classes.value(1));
            const QByteArray pid = property(m_connection, window.id, netPid, XCB_ATOM_CARDINAL);
            if (pid.size() == 4)
                window.pid = *reinterpret_cast<const quint32*>(pid.constData());
            const auto attributes = reply(xcb_get_window_attributes_reply(
                m_connection, xcb_get_window_attributes(m_connection, window.id), nullptr));
            window.viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
            const auto geometry = reply(xcb_get_geometry_reply(
                m_connection, xcb_get_geometry(m_connection, window.id), nullptr));
            const auto origin = reply(xcb_translate_coordinates_reply(
                m_connection, xcb_translate_coordinates(m_connection, window.id, root, 0, 0),
                nullptr));
            if (geometry && origin)
                window.geometry =
                    QRect(origin->dst_x, origin->dst_y, geometry->width, geometry->height);
            found << window;
            self(self, window.id, inTray || window.className == u"trayer"_s);
        }
    };
    visit(visit, root, false);
    return found;
}

std::optional<XSession::Window> XSession::trayIconOf(qint64 pid) const
{
    for (const Window& window : windows())
        if (window.inTray && window.viewable && window.pid == pid)
            return window;
    return std::nullopt;
}

QList<XSession::Window> XSession::topLevelsOf(qint64 pid) const
{
    QList<Window> found = windows();
    found.removeIf([pid](const Window& window) {
        return window.inTray || !window.viewable || window.pid != pid;
    });
    return found;
}

bool XSession::run(const QString& program, const QStringList& arguments, int timeout) const
{
    QProcess process;
    process.setProcessEnvironment(environment(QProcessEnvironment::systemEnvironment()));
    process.start(program, arguments);
    return process.waitForFinished(timeout) && process.exitStatus() == QProcess::NormalExit &&
           process.exitCode() == 0;
}

bool XSession::click(const QPoint& point) const
{
    return run(u"xdotool"_s,
               {u"mousemove"_s, QString::number(point.x()), QString::number(point.y()), u"click"_s,
                u"1"_s},
               10000);
}

bool XSession::key(const QString& name) const
{
    return run(u"xdotool"_s, {u"key"_s, name}, 10000);
}

bool XSession::saveScreen(const QString& path) const
{
    return run(u"import"_s, {u"-window"_s, u"root"_s, path}, 20000);
}
