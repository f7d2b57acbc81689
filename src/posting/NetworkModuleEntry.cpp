// The network module's entry: what NetworkModule::Instance loads.
#include "blog/PostProgressSink.h"
#include "posting/NetworkModule.h"
#include "posting/PostTransfer.h"

#include <QNetworkInformation>

namespace {

class Module final : public NetworkModule
{
public:
    void StartPost(const PostRequest& request, const QUrl& url, PostProgressSink* sink,
                   std::chrono::milliseconds timeout) override
    {
        auto* transfer = new PostTransfer(request, url, sink, timeout);
        if (sink)
            sink->SetCancel(transfer->CancelHandle());
        transfer->Start();
    }

    DataConnection::Answer Reachability() override
    {
        if (!QNetworkInformation::instance() &&
            !QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability))
            return {};
        // A local or site network may well hold the user's own proxy, so only "disconnected"
        // refuses.
        if (QNetworkInformation::instance()->reachability() ==
            QNetworkInformation::Reachability::Disconnected)
            return {DataConnection::kFailed, DataConnection::kDisconnected};
        return {};
    }
};

} // namespace

extern "C" Q_DECL_EXPORT NetworkModule* NutravaNetworkModule()
{
    static Module module;
    return &module;
}
