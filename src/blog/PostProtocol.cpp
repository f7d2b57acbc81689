#include "blog/PostProtocol.h"

#include "BuildInfo.h"
#include "data/AnsiCodec.h"

#include <array>
#include <optional>

namespace PostProtocol {

namespace {

constexpr std::array<const char*, 21> kErrorTexts = {
    "The URL could not be parsed",
    "No Internet session was established",
    "The attempt to connect to the Internet has failed",
    "The server or proxy was not found. You may need to launch the web browser on your device to "
    "open your data connection, then return to KLV Blogger to post your results",
    "The object was not found",
    "An Internet connection was established, but the data cannot be retrieved",
    "The download has failed (the connection was interrupted)",
    "Authentication is needed to access the object",
    "The object is not in one of the acceptable Multipurpose Internet Mail Extensions (MIME) types",
    "The Internet connection has timed out",
    "The request was invalid",
    "The protocol is not known and no pluggable protocols have been entered that match",
    "A security problem was encountered",
    "The object could not be loaded",
    "CoCreateInstance failed",
    "Use the default protocol handler",
    "Use the default settings",
    "The requested option is unknown",
    "The request is being redirected",
    "The request is being redirected to a directory",
    "The requested resource could not be locked",
};

constexpr std::array<const char*, 14> kProgressTexts = {
    "Finding resource...",
    "Connecting...",
    "Server redirecting client...",
    "Beginning to download data...",
    "Downloading data...",
    "Ending data download...",
    "Beginning to download components...",
    "Installing components...",
    "Ending component download...",
    "Using cached copy...",
    "Sending request...",
    "CLSID available...",
    "MIME type available...",
    "Cache file name available...",
};

// Reads a number the way "%u" does: leading white space, an optional sign, at least one digit;
// what follows the digits is ignored. Too large a value saturates.
std::optional<std::uint32_t> ReadUnsigned(QStringView text)
{
    qsizetype i = 0;
    while (i < text.size() && (text[i] == u'\t' || text[i] == u'\n' || text[i] == u'\v' ||
                               text[i] == u'\f' || text[i] == u'\r' || text[i] == u' '))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == u'+' || text[i] == u'-'))
        negative = text[i++] == u'-';
    const qsizetype digitsStart = i;
    std::uint64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i].unicode() - u'0');
        if (value > 0xFFFFFFFFu)
            value = 0x100000000u; // stays out of range however many digits follow
    }
    if (i == digitsStart)
        return std::nullopt;
    if (value > 0xFFFFFFFFu)
        return 0xFFFFFFFFu;
    const auto result = static_cast<std::uint32_t>(value);
    return negative ? 0u - result : result;
}

} // namespace

QString ProxyBaseUrl()
{
    QString base = qEnvironmentVariable("NUTRAVA_PROXY_URL");
    if (base.isEmpty())
        base = QStringLiteral(NUTRAVA_DEFAULT_PROXY_URL);
    while (base.endsWith(u'/')) // the paths bring their own
        base.chop(1);
    return base;
}

QString PostUrl()
{
    return ProxyBaseUrl() + QStringLiteral("/post");
}
QString TestUrl()
{
    return ProxyBaseUrl() + QStringLiteral("/test");
}
QString BlogDomain()
{
    return QStringLiteral(NUTRAVA_BLOG_DOMAIN);
}
QString BlogAddress(const QString& blogName)
{
    return blogName + BlogDomain();
}
QString SignUpUrl()
{
    return QStringLiteral(NUTRAVA_SIGNUP_URL);
}
std::uint8_t ScrambleKey()
{
    return static_cast<std::uint8_t>(NUTRAVA_SCRAMBLE_KEY);
}

QString JoinCredentials(const QString& blogAddress, const QString& email, const QString& password)
{
    return blogAddress + u' ' + email + u' ' + password;
}

std::optional<Credentials> SplitCredentials(const QString& credentials)
{
    const qsizetype first = credentials.indexOf(u' ');
    const qsizetype second = first < 0 ? -1 : credentials.indexOf(u' ', first + 1);
    if (second < 0)
        return std::nullopt;
    return Credentials{credentials.left(first), credentials.mid(first + 1, second - first - 1),
                       credentials.mid(second + 1)};
}

std::optional<QStringList> SplitFields(const QByteArray& body)
{
    if (body.isEmpty())
        return QStringList();
    if (!body.endsWith('\0'))
        return std::nullopt;
    QStringList fields;
    qsizetype start = 0;
    while (start < body.size()) {
        const qsizetype end = body.indexOf('\0', start);
        fields.append(AnsiCodec::Decode(body.constData() + start, end - start));
        start = end + 1;
    }
    return fields;
}

QByteArray Answer(unsigned code, const QString& message)
{
    return QByteArray::number(code) + ' ' + AnsiCodec::Encode(message);
}

QString EncodeAuth(const QString& credentials, std::uint8_t key)
{
    QByteArray bytes = AnsiCodec::Encode(credentials);
    for (char& c : bytes)
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ key);
    return QString::fromLatin1(bytes.toBase64());
}

QByteArray DecodeAuth(const QString& auth, std::uint8_t key)
{
    const auto decoded = QByteArray::fromBase64Encoding(
        auth.toLatin1(), QByteArray::Base64Encoding | QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return {};
    QByteArray bytes = *decoded;
    for (char& c : bytes)
        c = static_cast<char>(static_cast<std::uint8_t>(c) ^ key);
    return bytes;
}

QList<QPair<QByteArray, QByteArray>> RequestHeaders(const QString& auth, int versionMajor,
                                                    int versionMinor)
{
    return {
        {QByteArrayLiteral("Content-Type"), QByteArray(kContentType)},
        {QByteArrayLiteral("Auth"), auth.toLatin1()},
        {QByteArrayLiteral("Proto-Version"), QByteArray(kProtoVersionPrefix) +
                                                 QByteArray::number(versionMajor) + '.' +
                                                 QByteArray::number(versionMinor)},
    };
}

QString ProgressText(int statusCode)
{
    if (statusCode < 1 || statusCode > static_cast<int>(kProgressTexts.size()))
        return {};
    return QString::fromLatin1(kProgressTexts[statusCode - 1]);
}

QString ErrorText(std::int32_t result)
{
    const auto code = static_cast<std::uint32_t>(result);
    if (code >= kInvalidUrl && code <= kCannotLockRequest)
        return QString::fromLatin1(kErrorTexts[code - kInvalidUrl]);
    return QString::asprintf("Unknown Error (code 0x%08x)", code);
}

Outcome JudgeResponse(const QString& response)
{
    const qsizetype space = response.indexOf(u' ');
    if (space < 0)
        return {kWrongResponse, QStringLiteral("Wrong server response")};
    const QString message = response.mid(space + 1);
    const std::optional<std::uint32_t> code = ReadUnsigned(QStringView(response).left(space));
    if (!code)
        return {kUnreadableCode, message};
    if (*code < 300)
        return {Code(0x00190000u | *code), message};
    return {Code(0x80190000u | *code), message};
}

} // namespace PostProtocol
