#pragma once

#include "blog/PostCancel.h"
#include "blog/PostProgressSink.h"
#include "blog/PostProtocol.h"

#include <QStringList>

#include <memory>
#include <optional>

// Keeps everything a transfer reports.
class RecordingSink final : public PostProgressSink
{
public:
    void SetCancel(std::shared_ptr<PostCancel> handle) override { cancel = std::move(handle); }
    void OnProgress(int, const QString& text, float) override { steps.append(text); }
    void OnComplete(std::int32_t result, const QString& message) override
    {
        outcome = PostProtocol::Outcome{result, message};
    }

    std::shared_ptr<PostCancel> cancel;
    QStringList steps;
    std::optional<PostProtocol::Outcome> outcome;
};
