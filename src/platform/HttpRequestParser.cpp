#include "platform/HttpRequestParser.h"
#include "platform/HttpLine.h"

#include "platform/NamedEncoding.h"

#include <QStringDecoder>

#include <algorithm>
#include <cctype>

namespace {

// The characters of a method or a header name (RFC 9110 "tchar").
bool IsTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return true;
    switch (c) {
    case '!':
    case '#':
    case '$':
    case '%':
    case '&':
    case '\'':
    case '*':
    case '+':
    case '-':
    case '.':
    case '^':
    case '_':
    case '`':
    case '|':
    case '~':
        return true;
    default:
        return false;
    }
}

bool IsToken(QByteArrayView text)
{
    if (text.isEmpty())
        return false;
    for (const char c : text) {
        if (!IsTokenChar(c))
            return false;
    }
    return true;
}

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The comma-separated elements of every header of that name, trimmed and in
// lower case, empty ones left out.
QList<QByteArray> ListValues(const HttpRequest &request, QByteArrayView name)
{
    QList<QByteArray> values;
    for (const auto &header : request.headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray &part : header.second.split(',')) {
            const QByteArray value = part.trimmed().toLower();
            if (!value.isEmpty())
                values << value;
        }
    }
    return values;
}

bool HasHeader(const HttpRequest &request, QByteArrayView name)
{
    for (const auto &header : request.headers) {
        if (header.first.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    }
    return false;
}

// The value of the parameter "charset" of a Content-Type, without quotes.
QByteArray CharsetOf(QByteArrayView contentType)
{
    const QList<QByteArray> parts = contentType.toByteArray().split(';');
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QByteArray part = parts.at(i).trimmed();
        const qsizetype eq = part.indexOf('=');
        if (eq < 0 || part.left(eq).trimmed().toLower() != "charset")
            continue;
        QByteArray value = part.mid(eq + 1).trimmed();
        if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
            value = value.mid(1, value.size() - 2);
        return value.trimmed();
    }
    return QByteArray();
}

// The encoding named in an XML declaration at the start of the text.
QByteArray XmlDeclarationEncoding(QByteArrayView body)
{
    if (!body.startsWith("<?xml"))
        return QByteArray();
    const qsizetype end = body.indexOf("?>");
    if (end < 0)
        return QByteArray();
    const QByteArrayView declaration = body.first(end);
    const qsizetype at = declaration.indexOf("encoding");
    if (at < 0)
        return QByteArray();
    qsizetype i = at + 8;
    while (i < declaration.size() && (declaration[i] == ' ' || declaration[i] == '='))
        ++i;
    if (i >= declaration.size() || (declaration[i] != '"' && declaration[i] != '\''))
        return QByteArray();
    const char quote = declaration[i];
    const qsizetype close = declaration.indexOf(quote, i + 1);
    if (close < 0)
        return QByteArray();
    return declaration.sliced(i + 1, close - i - 1).toByteArray();
}

} // namespace

QByteArray HttpRequest::header(QByteArrayView name) const
{
    for (const auto &h : headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

bool HttpRequest::keepAlive() const
{
    const QList<QByteArray> connection = ListValues(*this, "Connection");
    if (connection.contains("close"))
        return false;
    return minorVersion >= 1 || connection.contains("keep-alive");
}

bool HttpRequest::expectsContinue() const
{
    return minorVersion >= 1 && header("Expect").compare("100-continue", Qt::CaseInsensitive) == 0;
}

HttpRequestParser::HttpRequestParser(qsizetype maxBody) : m_maxBody(maxBody)
{
}

HttpRequestParser::State HttpRequestParser::feed(QByteArrayView bytes)
{
    if (m_state == State::Failed)
        return m_state;
    m_buffer.append(bytes);
    if (m_state == State::Incomplete)
        parse();
    return m_state;
}

bool HttpRequestParser::headComplete() const
{
    return m_state == State::Complete ||
           (m_phase != Phase::RequestLine && m_phase != Phase::Headers);
}

bool HttpRequestParser::requestLineComplete() const
{
    return m_state == State::Complete || m_phase != Phase::RequestLine;
}

bool HttpRequestParser::started() const
{
    return m_headBytes > 0 || m_phase != Phase::RequestLine || m_pos < m_buffer.size();
}

HttpRequest HttpRequestParser::takeRequest()
{
    HttpRequest request = std::move(m_request);
    m_request = HttpRequest();
    m_phase = Phase::RequestLine;
    m_state = State::Incomplete;
    m_headBytes = 0;
    m_remaining = 0;
    parse();
    return request;
}

qsizetype HttpRequestParser::heldBytes() const
{
    return m_buffer.capacity() + m_headBytes + m_request.body.capacity();
}

bool HttpRequestParser::fail(int status)
{
    m_state = State::Failed;
    m_errorStatus = status;
    // Nothing of a failed request is needed again: its bytes and what was
    // read of it go at once, not when the connection has closed.
    m_buffer = QByteArray();
    m_pos = 0;
    m_request = HttpRequest();
    return false;
}

bool HttpRequestParser::nextLine(QByteArray *line, qsizetype maxLength, int tooLongStatus)
{
    switch (TakeHttpLine(m_buffer, &m_pos, maxLength, line)) {
    case HttpLineRead::Line:
        return true;
    case HttpLineRead::NeedMore:
        return false;
    case HttpLineRead::TooLong:
        return fail(tooLongStatus);
    case HttpLineRead::Malformed:
        break;
    }
    return fail(400);
}

bool HttpRequestParser::parseRequestLine(const QByteArray &line)
{
    const QList<QByteArray> parts = line.split(' ');
    if (parts.size() != 3 || !IsToken(parts.at(0)) || parts.at(1).isEmpty())
        return fail(400);
    for (const char c : parts.at(1)) {
        if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f)
            return fail(400);
    }
    const QByteArray &version = parts.at(2);
    if (version.size() != 8 || !version.startsWith("HTTP/") || !IsDigit(version.at(5)) ||
        version.at(6) != '.' || !IsDigit(version.at(7)))
        return fail(400);
    if (version.at(5) != '1')
        return fail(505);
    m_request.method = parts.at(0);
    m_request.target = parts.at(1);
    m_request.minorVersion = version.at(7) - '0';
    return true;
}

bool HttpRequestParser::parseHeaderLine(const QByteArray &line)
{
    // A continuation line (obsolete line folding) is refused, as HTTP/1.1
    // allows a server to.
    if (line.startsWith(' ') || line.startsWith('\t'))
        return fail(400);
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || !IsToken(QByteArrayView(line).first(colon)))
        return fail(400);
    const QByteArray value = line.mid(colon + 1).trimmed();
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return fail(400);
    }
    if (m_request.headers.size() >= kMaxHeaders)
        return fail(431);
    m_request.headers.append({line.left(colon), value});
    return true;
}

bool HttpRequestParser::startBody()
{
    if (HasHeader(m_request, "Transfer-Encoding")) {
        // A length and a transfer coding at once is the classic way to make
        // two servers disagree on where a request ends.
        if (m_request.minorVersion == 0 || HasHeader(m_request, "Content-Length"))
            return fail(400);
        const QList<QByteArray> codings = ListValues(m_request, "Transfer-Encoding");
        if (codings != QList<QByteArray>{"chunked"})
            return fail(501);
        m_phase = Phase::ChunkSize;
        return true;
    }
    QByteArray length;
    for (const auto &header : m_request.headers) {
        if (header.first.compare("Content-Length", Qt::CaseInsensitive) != 0)
            continue;
        for (const QByteArray &part : header.second.split(',')) {
            const QByteArray value = part.trimmed();
            if (value.isEmpty() || !std::all_of(value.begin(), value.end(), IsDigit))
                return fail(400);
            if (!length.isEmpty() && value != length)
                return fail(400);
            length = value;
        }
    }
    qsizetype digits = 0;
    while (digits < length.size() - 1 && length.at(digits) == '0')
        ++digits;
    length = length.mid(digits);
    if (length.size() > 15)
        return fail(413);
    const qint64 size = length.isEmpty() ? 0 : length.toLongLong();
    if (size > m_maxBody)
        return fail(413);
    m_remaining = size;
    m_phase = size > 0 ? Phase::Body : Phase::Done;
    return true;
}

void HttpRequestParser::parse()
{
    QByteArray line;
    while (m_state == State::Incomplete) {
        const qsizetype before = m_pos;
        switch (m_phase) {
        case Phase::RequestLine:
        case Phase::Headers:
        case Phase::Trailers: {
            if (m_phase == Phase::RequestLine && m_pos < m_buffer.size() &&
                m_buffer.at(m_pos) != '\r' && m_buffer.at(m_pos) != '\n' &&
                !IsTokenChar(m_buffer.at(m_pos))) {
                // Not a method: no need to wait for the line's end.
                fail(400);
                break;
            }
            if (!nextLine(&line, kMaxHeadBytes - m_headBytes, 431))
                break;
            m_headBytes += m_pos - before;
            if (m_phase == Phase::RequestLine) {
                // Empty lines before a request are allowed and skipped.
                if (!line.isEmpty() && parseRequestLine(line))
                    m_phase = Phase::Headers;
            } else if (m_phase == Phase::Headers) {
                if (line.isEmpty())
                    startBody();
                else
                    parseHeaderLine(line);
            } else if (line.isEmpty()) {
                m_phase = Phase::Done;
            }
            // Trailer fields are read past and not kept.
            continue;
        }
        case Phase::Body:
        case Phase::ChunkData: {
            const qsizetype take = qMin<qsizetype>(m_remaining, m_buffer.size() - m_pos);
            reserveBody(take);
            m_request.body.append(QByteArrayView(m_buffer).sliced(m_pos, take));
            m_pos += take;
            m_remaining -= take;
            if (m_remaining == 0) {
                m_phase = m_phase == Phase::Body ? Phase::Done : Phase::ChunkDataEnd;
                continue;
            }
            break;
        }
        case Phase::ChunkSize: {
            if (!nextLine(&line, 1024, 400))
                break;
            // Hex digits, then perhaps blanks and extensions after ";".
            qsizetype digits = 0;
            while (digits < line.size() && isxdigit(static_cast<unsigned char>(line.at(digits))))
                ++digits;
            const QByteArray rest = line.mid(digits).trimmed();
            if (digits == 0 || (!rest.isEmpty() && !rest.startsWith(';'))) {
                fail(400);
                break;
            }
            QByteArray hex = line.left(digits);
            while (hex.size() > 1 && hex.at(0) == '0')
                hex.remove(0, 1);
            if (hex.size() > 8) {
                fail(413);
                break;
            }
            const qint64 size = hex.toLongLong(nullptr, 16);
            if (size == 0) {
                m_phase = Phase::Trailers;
            } else if (m_request.body.size() + size > m_maxBody) {
                fail(413);
            } else {
                m_remaining = size;
                m_phase = Phase::ChunkData;
            }
            continue;
        }
        case Phase::ChunkDataEnd:
            if (!nextLine(&line, 0, 400))
                break;
            m_phase = Phase::ChunkSize;
            continue;
        case Phase::Done:
            m_state = State::Complete;
            continue;
        }
        break; // more bytes are needed
    }
    if (m_pos == m_buffer.size()) {
        // Read whole: the buffer a piece of the connection came in goes.
        m_buffer = QByteArray();
        m_pos = 0;
    } else if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
}

void HttpRequestParser::reserveBody(qsizetype take)
{
    // Left to itself the buffer would grow to the next power of two: a body
    // of the limit would take twice the limit.
    QByteArray &body = m_request.body;
    const qsizetype needed = body.size() + take;
    if (needed <= body.capacity())
        return;
    const qsizetype announced = m_phase == Phase::Body ? body.size() + m_remaining : m_maxBody;
    body.reserve(qMin(announced, qMax(needed, 2 * body.capacity())));
}

QString HttpBodyText(QByteArrayView contentType, QByteArrayView body)
{
    if (body.startsWith("\xEF\xBB\xBF"))
        return QString::fromUtf8(body.sliced(3));
    if (body.startsWith("\xFF\xFE"))
        return QStringDecoder(QStringDecoder::Utf16LE).decode(body.sliced(2));
    if (body.startsWith("\xFE\xFF"))
        return QStringDecoder(QStringDecoder::Utf16BE).decode(body.sliced(2));
    QByteArray encoding = CharsetOf(contentType);
    if (encoding.isEmpty())
        encoding = XmlDeclarationEncoding(body);
    return DecodeNamedEncoding(body, encoding);
}

QString HtmlBodyText(QByteArrayView contentType, QByteArrayView body)
{
    if (const auto bom = QStringConverter::encodingForData(body))
        return QStringDecoder(*bom).decode(body);
    const QByteArray charset = CharsetOf(contentType);
    if (!charset.isEmpty()) {
        QStringDecoder declared(charset.constData());
        if (declared.isValid())
            return declared.decode(body);
    }
    QStringDecoder page = QStringDecoder::decoderForHtml(body);
    if (page.isValid())
        return page.decode(body);
    return QString::fromUtf8(body);
}

QByteArray HttpReason(int status)
{
    switch (status) {
    case 100:
        return "Continue";
    case 200:
        return "OK";
    case 400:
        return "Bad Request";
    case 404:
        return "Not Found";
    case 405:
        return "Method Not Allowed";
    case 408:
        return "Request Timeout";
    case 411:
        return "Length Required";
    case 413:
        return "Content Too Large";
    case 415:
        return "Unsupported Media Type";
    case 431:
        return "Request Header Fields Too Large";
    case 500:
        return "Internal Server Error";
    case 501:
        return "Not Implemented";
    case 503:
        return "Service Unavailable";
    case 505:
        return "HTTP Version Not Supported";
    default:
        return "Status";
    }
}

QByteArray HttpResponse(int status, QByteArrayView contentType, QByteArrayView body, bool keepAlive,
                        QByteArrayView extraHeaders)
{
    QByteArray response =
        "HTTP/1.1 " + QByteArray::number(status) + ' ' + HttpReason(status) + "\r\n";
    if (!contentType.isEmpty())
        response += "Content-Type: " + contentType.toByteArray() + "\r\n";
    response += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
    if (!keepAlive)
        response += "Connection: close\r\n";
    response += extraHeaders.toByteArray();
    response += "\r\n";
    response += body.toByteArray();
    return response;
}
