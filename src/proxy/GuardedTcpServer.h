#pragma once

#include "proxy/ProxyLimits.h"

#include <QTcpServer>

class RequestLog;

// A TCP server that puts a RequestGuard on every connection before the HTTP server gets it,
// and turns away connections beyond the limit.
class GuardedTcpServer final : public QTcpServer
{
public:
    GuardedTcpServer(const ProxyLimits& limits, const RequestLog& log, QObject* parent = nullptr);

protected:
    void incomingConnection(qintptr descriptor) override;

private:
    const ProxyLimits& m_limits;
    const RequestLog& m_log;
    int m_open = 0;
};
