#pragma once

#include <QString>

#include <cstdint>
#include <memory>

class PostCancel;

// Where a blog transfer reports its progress and its end (the status dialog in the program).
class PostProgressSink
{
public:
    // Keeps the transfer's cancel interface, letting go of any earlier one.
    virtual void SetCancel(std::shared_ptr<PostCancel> cancel) = 0;
    // One step of the transfer: a status code of PostProtocol::Status, its text and the
    // fraction done (0 when the total is unknown).
    virtual void OnProgress(int statusCode, const QString& text, float fraction) = 0;
    // The end of the transfer: result negative on failure, with the text to show.
    virtual void OnComplete(std::int32_t result, const QString& message) = 0;

protected:
    ~PostProgressSink() = default;
};
