#pragma once

#include <QString>

#include <functional>

class ConnectionStatusDialog;
class PageHost;
class PostRequest;
class Session;

// One blog transfer as the pages run it: the request goes out under the status dialog, which
// shows progress and failures and lets the user cancel. Only the connection check may block;
// the transfer itself runs while the dialog's loop keeps the window alive.
namespace BlogPosting {

enum class Outcome
{
    NotStarted, // "Posting falied" was shown
    Failed,     // refused, failed or cancelled: the status dialog said so
    Accepted,   // the proxy accepted
};

// The session's services, when it has them, check the data connection first.
Outcome Run(const Session& session, PageHost& host, const PostRequest& request, const QString& url);

// Runs the status dialog modally and returns its result; tests answer it without blocking.
using StatusRunner = std::function<int(ConnectionStatusDialog& dialog)>;
void SetStatusRunner(StatusRunner runner); // empty restores the modal run

} // namespace BlogPosting
