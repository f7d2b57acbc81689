#pragma once

#include <QByteArray>
#include <QNetworkReply>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <cstdint>
#include <memory>

class PostCancel;
class QNetworkAccessManager;
class PostProgressSink;
class PostRequest;

// One running POST to the posting proxy. It reports its steps and its end to the sink and
// deletes itself once the transfer has ended. Start it through SubmitPost.
class PostTransfer final : public QObject
{
    Q_OBJECT

public:
    // The proxy's answer is one line; anything beyond this is not read.
    static constexpr qsizetype kMaxResponseBytes = 64 * 1024;
    static constexpr qsizetype kReadPiece = 100;

    PostTransfer(const PostRequest& request, const QUrl& url, PostProgressSink* sink,
                 std::chrono::milliseconds timeout);
    ~PostTransfer() override;

    // The handle the sink keeps: cancels this transfer; releasing it detaches the sink.
    std::shared_ptr<PostCancel> CancelHandle();
    void Start();
    void Cancel();
    void DetachSink() { m_sink = nullptr; }

    static std::int32_t ResultOfNetworkError(QNetworkReply::NetworkError error);
    // One manager serves every post of the program, so connections and caches are shared.
    static QNetworkAccessManager& Network();

private:
    void Progress(int statusCode, float fraction = 0.0f);
    void RequestSent();
    void ReadResponse();
    void OnFinished();
    void OnTimeout();
    void EndWithAnswer();
    void End(std::int32_t result, const QString& message);
    void DropReply();

    QUrl m_url;
    QByteArray m_body;
    QString m_auth;
    PostProgressSink* m_sink;
    QPointer<QNetworkReply> m_reply;
    QTimer m_timer; // bounds the whole transfer
    QByteArray m_response;
    bool m_requestSent = false;
    bool m_beganDownload = false;
    bool m_ended = false;
};
