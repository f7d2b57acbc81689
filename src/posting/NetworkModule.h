#pragma once

#include "posting/DataConnection.h"

#include <chrono>

class PostProgressSink;
class PostRequest;
class QUrl;

// Qt Network and the libraries it brings cost every start time and memory that only a post
// needs, so the transfer lives in a module of its own (libnutrava_network.so, beside the
// program in the build, in lib/nutrava when installed), loaded at the first post.
class NetworkModule
{
public:
    virtual ~NetworkModule() = default;

    // Starts a PostTransfer, hands the sink its cancel handle; the transfer ends itself.
    virtual void StartPost(const PostRequest& request, const QUrl& url, PostProgressSink* sink,
                           std::chrono::milliseconds timeout) = 0;
    // The system's reachability (DataConnection::SystemReachability).
    virtual DataConnection::Answer Reachability() = 0;

    // The module, loaded on the first call; null, with the reason logged, when it cannot be.
    static NetworkModule* Instance();

    // The module's one exported function, returning its instance.
    static constexpr char kEntry[] = "NutravaNetworkModule";
};
