#include "posting/DataConnection.h"

#include "posting/BlogLog.h"
#include "posting/NetworkModule.h"
#include "skin/ScreenMessageBox.h"

namespace {
void ShowFailure(const QString& text)
{
    ScreenMessageBox::Show(nullptr, QMessageBox::Critical, QStringLiteral("Nutrava"), text);
}
} // namespace

DataConnection::DataConnection() : DataConnection(&SystemReachability, &ShowFailure) {}

DataConnection::DataConnection(Probe probe, MessagePresenter presenter)
    : m_probe(std::move(probe)), m_presenter(std::move(presenter))
{
}

bool DataConnection::EnsureDataConnection()
{
    if (m_held)
        return true;
    const Answer answer = m_probe();
    if (answer.result >= 0 && answer.status == kConnected) {
        m_held = true;
        return true;
    }
    const QString text = FailureText(answer);
    qCWarning(lcBlog).noquote() << text;
    m_presenter(text);
    return false;
}

QString DataConnection::FailureText(const Answer& answer)
{
    return QString::asprintf("Connection cold not be established (code: 0x%08X, status: 0x%08X)",
                             static_cast<unsigned>(answer.result), answer.status);
}

DataConnection::Answer DataConnection::SystemReachability()
{
    // Without the network module no post can go out: say so as a connection that failed.
    NetworkModule* module = NetworkModule::Instance();
    return module ? module->Reachability() : Answer{kFailed, kDisconnected};
}
