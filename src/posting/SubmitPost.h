#pragma once

#include <QString>
#include <QUrl>

#include <chrono>
#include <functional>

class PostProgressSink;
class PostRequest;

// Makes sure the data connection is up before a transfer: the application's
// EnsureDataConnection. It has shown its own message when it answers false.
using ConnectionCheck = std::function<bool(const QUrl& url, PostProgressSink* sink)>;

struct SubmitPostOptions
{
    // Without one the transfer goes ahead, as on a platform without a connection manager.
    ConnectionCheck ensureConnection;
    // A transfer not ended within this time ends as timed out, whatever the proxy does.
    std::chrono::milliseconds timeout = std::chrono::seconds(90);
};

// Starts an asynchronous POST of the request to the URL. Returns false when no transfer was
// started (no data connection, an address that is not http or https, no network module);
// otherwise the outcome
// arrives later through the sink, whose SetCancel receives the transfer's cancel interface.
bool SubmitPost(const PostRequest& request, const QString& url, PostProgressSink* sink,
                const SubmitPostOptions& options = {});
