#pragma once

#include "blog/PostProgressSink.h"

#include <QDialog>

#include <memory>

class QLabel;
class QPushButton;

// The small modal dialog a blog transfer runs under: progress texts, an error that stays until
// "Close", and "Cancel" that aborts the transfer. Ends with Accepted when the proxy accepted,
// Rejected on failure or cancel. Notifications arrive as queued calls and are handled by the
// dialog's own event loop.
class ConnectionStatusDialog final : public QDialog, public PostProgressSink
{
    Q_OBJECT

public:
    explicit ConnectionStatusDialog(QWidget* parent = nullptr);
    ~ConnectionStatusDialog() override;

    void SetCancel(std::shared_ptr<PostCancel> cancel) override;
    void OnProgress(int statusCode, const QString& text, float fraction) override;
    void OnComplete(std::int32_t result, const QString& message) override;

    // A transfer that ended before the modal run started ends the run at once.
    int exec() override;
    void reject() override;

    QString StatusText() const;
    bool Failed() const { return m_failed; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ShowProgress(const QString& text);
    void ShowCompletion(std::int32_t result, const QString& message);
    void Finish(int result);
    QSize DialogUnits(int x, int y) const;

    std::shared_ptr<PostCancel> m_cancel;
    bool m_failed = false;
    bool m_finished = false; // no notification is shown once the dialog has ended
    QLabel* m_text;
    QPushButton* m_button;
};
