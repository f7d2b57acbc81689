#pragma once

#include <QString>

#include <cstdint>
#include <functional>

// The data connection blog transfers need. It is asked for once and held, once up, until the
// program ends; a failed attempt is reported to the user and tried again on the next post.
// The application's EnsureDataConnection delegates here.
class DataConnection final
{
public:
    static constexpr std::uint32_t kConnected = 0x10;
    static constexpr std::uint32_t kDisconnected = 0x20;
    static constexpr std::int32_t kFailed = static_cast<std::int32_t>(0x80004005);

    // What asking for a connection gave: the call's result and the connection status.
    struct Answer
    {
        std::int32_t result = 0;
        std::uint32_t status = kConnected;
    };
    using Probe = std::function<Answer()>;
    using MessagePresenter = std::function<void(const QString& text)>;

    // The system's reachability and a message box.
    DataConnection();
    DataConnection(Probe probe, MessagePresenter presenter);

    bool EnsureDataConnection();
    bool IsHeld() const { return m_held; }
    void Release() { m_held = false; }

    // "Connection cold not be established (code: 0x%08X, status: 0x%08X)"
    static QString FailureText(const Answer& answer);
    // Reachability is only a hint: an unknown state counts as connected and the transfer
    // reports what really happens.
    static Answer SystemReachability();

private:
    Probe m_probe;
    MessagePresenter m_presenter;
    bool m_held = false;
};
