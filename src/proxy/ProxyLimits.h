#pragma once

#include <QHostAddress>
#include <QList>
#include <QtGlobal>

#include <chrono>

// What the proxy takes from one client, and from all together, before it refuses or drops them.
struct ProxyLimits
{
    // Request line and headers must fit in a connection's buffer; a longer head is refused.
    qsizetype connectionMemory = 32 * 1024;
    qint64 maxBody = 1024 * 1024;
    // A longer post is still read, and thrown away, up to this size, so that the program hears
    // "too long" instead of a connection cut while it uploads; beyond it the connection is cut.
    qint64 maxDrainedBody = 16 * 1024 * 1024;
    int maxConnections = 1024;
    int maxConnectionsPerClient = 32;
    // Posts being received or published at once, from one client and from all: each holds its
    // body in memory.
    int maxPostsPerClient = 8;
    int maxPosts = 128;
    int listenBacklog = 1024;
    // A connection that neither sends nor takes a byte for this long is closed, whatever it is
    // in the middle of; an answer the client does not read counts as silence too.
    std::chrono::seconds idleTimeout{15};
    // Servers in front of the proxy (nginx): their connections are not limited as one client's,
    // and the client they name in X-Real-IP is the one limited and throttled.
    QList<QHostAddress> trustedProxies;
};
