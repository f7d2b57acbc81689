#include "posting/SubmitPost.h"

#include "posting/BlogLog.h"
#include "posting/NetworkModule.h"

bool SubmitPost(const PostRequest& request, const QString& url, PostProgressSink* sink,
                const SubmitPostOptions& options)
{
    const QUrl target(url, QUrl::StrictMode);
    if (options.ensureConnection && !options.ensureConnection(target, sink))
        return false;
    if (!target.isValid() || (target.scheme() != u"http" && target.scheme() != u"https") ||
        target.host().isEmpty()) {
        qCWarning(lcBlog, "not a posting address: %s",
                  qPrintable(target.toDisplayString(QUrl::RemoveUserInfo)));
        return false;
    }
    NetworkModule* network = NetworkModule::Instance();
    if (!network)
        return false;
    network->StartPost(request, target, sink, options.timeout);
    return true;
}
