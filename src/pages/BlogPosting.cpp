#include "pages/BlogPosting.h"

#include "blog/ConnectionStatusDialog.h"
#include "blog/SubmitPost.h"
#include "vocabulary/PageHost.h"

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

Outcome Run(PageHost& host, const PostRequest& request, const QString& url)
{
    // The page's dialog, when the host is one, so the status dialog sits over it.
    ConnectionStatusDialog status(dynamic_cast<QWidget*>(&host));
    if (!SubmitPost(request, url, &status)) {
        // Nothing is under way, so no empty status dialog is left waiting for the user.
        host.ShowMessage(QStringLiteral("Blogger"), QStringLiteral("Posting falied"));
        return Outcome::NotStarted;
    }
    const int result = Runner() ? Runner()(status) : status.exec();
    return result == QDialog::Accepted ? Outcome::Accepted : Outcome::Failed;
}

} // namespace BlogPosting
