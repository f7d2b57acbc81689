#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

// The posting proxy's wire protocol: addresses, the Auth value, the request headers, the
// progress and error texts, and how the proxy's one-line answer is judged.
namespace PostProtocol {

// Result codes of a transfer; negative means failure.
inline constexpr std::int32_t Code(std::uint32_t bits)
{
    return static_cast<std::int32_t>(bits);
}
inline constexpr std::int32_t kWrongResponse = Code(0x80070057); // no space in the answer
inline constexpr std::int32_t kUnreadableCode = Code(0x8000FFFF);
inline constexpr std::int32_t kAborted = Code(0x80004004);

// Transfer failures, in the order of the error text table.
enum InternetError : std::uint32_t
{
    kInvalidUrl = 0x800C0002,
    kNoSession = 0x800C0003,
    kCannotConnect = 0x800C0004,
    kResourceNotFound = 0x800C0005,
    kObjectNotFound = 0x800C0006,
    kDataNotAvailable = 0x800C0007,
    kDownloadFailure = 0x800C0008,
    kAuthenticationRequired = 0x800C0009,
    kNoValidMedia = 0x800C000A,
    kConnectionTimeout = 0x800C000B,
    kInvalidRequest = 0x800C000C,
    kUnknownProtocol = 0x800C000D,
    kSecurityProblem = 0x800C000E,
    kCannotLoadData = 0x800C000F,
    kCannotInstantiateObject = 0x800C0010,
    kUseDefaultProtocolHandler = 0x800C0011,
    kUseDefaultSetting = 0x800C0012,
    kQueryOptionUnknown = 0x800C0013,
    kRequestRedirected = 0x800C0014,
    kRedirectToDirectory = 0x800C0015,
    kCannotLockRequest = 0x800C0016,
};

// Progress steps of a transfer, with the numbers of the progress text table.
enum Status : int
{
    kFindingResource = 1,
    kConnecting = 2,
    kRedirecting = 3,
    kBeginDownloadData = 4,
    kDownloadingData = 5,
    kEndDownloadData = 6,
    kSendingRequest = 11,
};

// What the end of a transfer reports to the sink.
struct Outcome
{
    std::int32_t result = 0;
    QString message;
};

// The proxy's base address: NUTRAVA_PROXY_URL from the environment when set, otherwise the
// compiled-in one. PostUrl and TestUrl append "/post" and "/test".
QString ProxyBaseUrl();
QString PostUrl();
QString TestUrl();
QString BlogDomain();
// The blog's address as the proxy knows it: the blog name and the hosted-blog domain suffix.
QString BlogAddress(const QString& blogName);
QString SignUpUrl();

// "blog address, e-mail, password" joined by single spaces, nothing escaped.
QString JoinCredentials(const QString& blogAddress, const QString& email, const QString& password);

struct Credentials
{
    QString blogAddress;
    QString email;
    QString password;
};
// The inverse of JoinCredentials, as the proxy reads it: the password is everything after the
// second space, since it may hold spaces itself. Nothing when a space is missing.
std::optional<Credentials> SplitCredentials(const QString& credentials);
// Credentials in Windows-1252, each byte XORed with the shared key, then Base64 with padding.
QString EncodeAuth(const QString& credentials, std::uint8_t key);
// The inverse, as the proxy does it; for tools and tests.
QByteArray DecodeAuth(const QString& auth, std::uint8_t key);
std::uint8_t ScrambleKey();

inline constexpr char kContentType[] = "application/encoded-post-data";
inline constexpr char kProtoVersionPrefix[] = "1.0/";

// The body's fields, each Windows-1252 text ending in a zero byte. Nothing when the body does
// not end in one (a field cut short); an empty body has no fields.
std::optional<QStringList> SplitFields(const QByteArray& body);

// The proxy's one-line answer, "code message", in Windows-1252 as the client reads it.
QByteArray Answer(unsigned code, const QString& message);

// The three request headers, in the order they are sent.
QList<QPair<QByteArray, QByteArray>> RequestHeaders(const QString& auth, int versionMajor,
                                                    int versionMinor);

QString ProgressText(int statusCode); // empty for codes outside the table
QString ErrorText(std::int32_t result);
// Judges the proxy's answer: "code message", code below 300 a success.
Outcome JudgeResponse(const QString& response);

} // namespace PostProtocol
