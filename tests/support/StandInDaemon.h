#pragma once

#include <QProcess>
#include <QTemporaryDir>

// The stand-in daemon from the built bundle, on a free port, with a home
// folder of its own. With `tls` it finds TestCertificates' server certificate
// as its localhost certificate and serves HTTPS, otherwise plain HTTP.
class StandInDaemon
{
public:
    explicit StandInDaemon(bool tls);
    ~StandInDaemon();

    // The port from its first line; 0 if it did not start.
    quint16 port() const { return m_port; }

private:
    QTemporaryDir m_home;
    QProcess m_process;
    quint16 m_port = 0;
};
