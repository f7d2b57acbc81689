#include "posting/PostTransfer.h"

#include "BuildInfo.h"
#include "blog/PostCancel.h"
#include "blog/PostProgressSink.h"
#include "blog/PostProtocol.h"
#include "blog/PostRequest.h"
#include "data/AnsiCodec.h"
#include "posting/BlogLog.h"

#include <QCoreApplication>
#include <QHostAddress>
#include <QNetworkAccessManager>
#include <QNetworkRequest>
#include <QPointer>

namespace {

// The sink's hold on a transfer. The transfer may be gone by the time the sink lets go.
class TransferCancel final : public PostCancel
{
public:
    explicit TransferCancel(PostTransfer* transfer) : m_transfer(transfer) {}
    ~TransferCancel() override
    {
        if (m_transfer)
            m_transfer->DetachSink();
    }
    void Cancel() override
    {
        if (m_transfer)
            m_transfer->Cancel();
    }

private:
    QPointer<PostTransfer> m_transfer;
};

} // namespace

QNetworkAccessManager& PostTransfer::Network()
{
    // Owned by the application object so that it goes before the event dispatcher does.
    static QPointer<QNetworkAccessManager> network;
    if (!network)
        network = new QNetworkAccessManager(QCoreApplication::instance());
    return *network;
}

PostTransfer::PostTransfer(const PostRequest& request, const QUrl& url, PostProgressSink* sink,
                           std::chrono::milliseconds timeout)
    : QObject(QCoreApplication::instance()), m_url(url), m_body(request.Body()),
      m_auth(request.Auth()), m_sink(sink)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(timeout);
    connect(&m_timer, &QTimer::timeout, this, &PostTransfer::OnTimeout);
}

PostTransfer::~PostTransfer()
{
    DropReply();
}

std::shared_ptr<PostCancel> PostTransfer::CancelHandle()
{
    return std::make_shared<TransferCancel>(this);
}

void PostTransfer::Start()
{
    QNetworkRequest request(m_url);
    for (const auto& [name, value] :
         PostProtocol::RequestHeaders(m_auth, NUTRAVA_VERSION_MAJOR, NUTRAVA_VERSION_MINOR))
        request.setRawHeader(name, value);
    // A compressed answer could expand far beyond what is read of it.
    request.setRawHeader(QByteArrayLiteral("Accept-Encoding"), QByteArrayLiteral("identity"));
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);

    qCDebug(lcBlog, "POST to %s, %lld body bytes",
            qPrintable(m_url.toDisplayString(QUrl::RemoveUserInfo)),
            static_cast<long long>(m_body.size()));
    // A name is looked up first; an address literal is not.
    if (QHostAddress literal; !literal.setAddress(m_url.host()))
        Progress(PostProtocol::kFindingResource);

    m_reply = Network().post(request, m_body);
    m_reply->setReadBufferSize(kMaxResponseBytes);
    QNetworkReply* reply = m_reply;
    connect(reply, &QNetworkReply::socketStartedConnecting, this,
            [this] { Progress(PostProtocol::kConnecting); });
    connect(reply, &QNetworkReply::requestSent, this, &PostTransfer::RequestSent);
    connect(reply, &QNetworkReply::redirected, this,
            [this] { Progress(PostProtocol::kRedirecting); });
    connect(reply, &QNetworkReply::metaDataChanged, this, [this] {
        if (!m_beganDownload) {
            m_beganDownload = true;
            // Qt does not signal a request without a body as sent; the answer shows it was.
            RequestSent();
            Progress(PostProtocol::kBeginDownloadData);
        }
    });
    connect(reply, &QNetworkReply::readyRead, this, &PostTransfer::ReadResponse);
    connect(reply, &QNetworkReply::finished, this, &PostTransfer::OnFinished);
    m_timer.start();
}

void PostTransfer::Cancel()
{
    if (m_ended)
        return;
    qCDebug(lcBlog, "transfer cancelled");
    // Nothing is reported after a cancel, not even the abort.
    m_sink = nullptr;
    m_ended = true;
    DropReply();
    deleteLater();
}

void PostTransfer::RequestSent()
{
    if (!m_requestSent) {
        m_requestSent = true;
        Progress(PostProtocol::kSendingRequest);
    }
}

void PostTransfer::Progress(int statusCode, float fraction)
{
    qCDebug(lcBlog, "step %d", statusCode);
    if (m_sink)
        m_sink->OnProgress(statusCode, PostProtocol::ProgressText(statusCode), fraction);
}

void PostTransfer::ReadResponse()
{
    if (!m_reply || m_ended)
        return;
    bool readAny = false;
    while (m_response.size() < kMaxResponseBytes && m_reply->bytesAvailable() > 0) {
        const QByteArray piece =
            m_reply->read(std::min(kReadPiece, kMaxResponseBytes - m_response.size()));
        if (piece.isEmpty())
            break;
        m_response.append(piece);
        readAny = true;
    }
    if (readAny) {
        const qint64 total = m_reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
        Progress(PostProtocol::kDownloadingData,
                 total > 0 ? static_cast<float>(m_response.size()) / static_cast<float>(total)
                           : 0.0f);
    }
    if (m_response.size() >= kMaxResponseBytes && !m_reply->isFinished()) {
        // An answer this long is not the proxy's one line; judge what was read and stop.
        qCWarning(lcBlog, "answer longer than %lld bytes, the rest is ignored",
                  static_cast<long long>(kMaxResponseBytes));
        DropReply();
        EndWithAnswer();
    }
}

void PostTransfer::OnFinished()
{
    if (m_ended || !m_reply)
        return;
    ReadResponse();
    if (m_ended)
        return;
    const QNetworkReply::NetworkError error = m_reply->error();
    DropReply();
    if (error != QNetworkReply::NoError) {
        const std::int32_t result = ResultOfNetworkError(error);
        End(result, PostProtocol::ErrorText(result));
        return;
    }
    Progress(PostProtocol::kEndDownloadData, 1.0f);
    EndWithAnswer();
}

void PostTransfer::OnTimeout()
{
    if (m_ended)
        return;
    qCWarning(lcBlog, "transfer not ended within %lld ms",
              static_cast<long long>(m_timer.intervalAsDuration().count()));
    DropReply();
    End(PostProtocol::kConnectionTimeout,
        PostProtocol::ErrorText(PostProtocol::kConnectionTimeout));
}

void PostTransfer::EndWithAnswer()
{
    const PostProtocol::Outcome outcome =
        PostProtocol::JudgeResponse(AnsiCodec::Decode(m_response));
    End(outcome.result, outcome.message);
}

void PostTransfer::End(std::int32_t result, const QString& message)
{
    m_ended = true;
    m_timer.stop();
    qCDebug(lcBlog, "transfer ended with 0x%08x", static_cast<unsigned>(result));
    if (m_sink)
        m_sink->OnComplete(result, message);
    deleteLater();
}

void PostTransfer::DropReply()
{
    m_timer.stop();
    if (!m_reply)
        return;
    QNetworkReply* reply = m_reply;
    m_reply = nullptr;
    reply->disconnect(this);
    if (!reply->isFinished())
        reply->abort();
    reply->deleteLater();
}

std::int32_t PostTransfer::ResultOfNetworkError(QNetworkReply::NetworkError error)
{
    using namespace PostProtocol;
    using E = QNetworkReply;
    // Each Qt error to the closest Internet error of the error text table.
    static const std::pair<QNetworkReply::NetworkError, std::uint32_t> kClosest[] = {
        {E::ConnectionRefusedError, kCannotConnect},
        {E::ProxyConnectionRefusedError, kCannotConnect},
        {E::UnknownNetworkError, kCannotConnect},
        {E::UnknownProxyError, kCannotConnect},
        {E::HostNotFoundError, kResourceNotFound},
        {E::ProxyNotFoundError, kResourceNotFound},
        {E::TimeoutError, kConnectionTimeout},
        {E::ProxyTimeoutError, kConnectionTimeout},
        {E::RemoteHostClosedError, kDownloadFailure},
        {E::ProxyConnectionClosedError, kDownloadFailure},
        {E::TemporaryNetworkFailureError, kDownloadFailure},
        {E::ContentReSendError, kDownloadFailure},
        {E::NetworkSessionFailedError, kNoSession},
        {E::BackgroundRequestNotAllowedError, kNoSession},
        {E::SslHandshakeFailedError, kSecurityProblem},
        {E::InsecureRedirectError, kSecurityProblem},
        {E::ContentAccessDenied, kSecurityProblem},
        {E::TooManyRedirectsError, kRequestRedirected},
        {E::AuthenticationRequiredError, kAuthenticationRequired},
        {E::ProxyAuthenticationRequiredError, kAuthenticationRequired},
        {E::ContentNotFoundError, kObjectNotFound},
        {E::ContentGoneError, kObjectNotFound},
        {E::ContentOperationNotPermittedError, kInvalidRequest},
        {E::ContentConflictError, kInvalidRequest},
        {E::ProtocolInvalidOperationError, kInvalidRequest},
        {E::ProtocolUnknownError, kUnknownProtocol},
    };
    if (error == E::NoError)
        return 0;
    if (error == E::OperationCanceledError)
        return kAborted;
    for (const auto& [qtError, code] : kClosest) {
        if (qtError == error)
            return Code(code);
    }
    return Code(kDataNotAvailable); // server errors, protocol failures, unknown content errors
}
