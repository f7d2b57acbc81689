#include "pages/BlogPosting.h"

#include "posting/ConnectionStatusDialog.h"
#include "posting/SubmitPost.h"
#include "vocabulary/AppServices.h"
#include "vocabulary/PageHost.h"
#include "vocabulary/Session.h"

namespace BlogPosting {

namespace {
StatusRunner& Runner()
{
    static StatusRunner runner;
    return runner;
}
} // namespace

void SetStatusRunner(StatusRunner runner)
{
    Runner() = std::move(runner);
}

Outcome Run(const Session& session, PageHost& host, const PostRequest& request, const QString& url)
{
    // The page's dialog, when the host is one, so the status dialog sits over it.
    ConnectionStatusDialog status(dynamic_cast<QWidget*>(&host));
    SubmitPostOptions options;
    if (AppServices* services = session.Services()) {
        options.ensureConnection = [services](const QUrl& target, PostProgressSink* sink) {
            return services->EnsureDataConnection(target.toString(), sink);
        };
    }
    if (!SubmitPost(request, url, &status, options)) {
        // Nothing is under way, so no empty status dialog is left waiting for the user.
        host.ShowMessage(QStringLiteral("Blogger"), QStringLiteral("Posting falied"));
        return Outcome::NotStarted;
    }
    const int result = Runner() ? Runner()(status) : status.exec();
    return result == QDialog::Accepted ? Outcome::Accepted : Outcome::Failed;
}

} // namespace BlogPosting
