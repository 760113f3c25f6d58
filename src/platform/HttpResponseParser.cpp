#include "platform/HttpResponseParser.h"
#include "platform/HttpLine.h"

#include <algorithm>
#include <cctype>

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// The characters of a header name (RFC 9110 "tchar").
bool IsTokenChar(char c)
{
    if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || IsDigit(c))
        return true;
    return c != '\0' && QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool IsToken(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), IsTokenChar);
}

} // namespace

HttpResponseParser::HttpResponseParser(qsizetype maxBody) : m_maxBody(maxBody)
{
}

QByteArray HttpResponseParser::header(QByteArrayView name) const
{
    for (const auto &h : m_headers) {
        if (h.first.compare(name, Qt::CaseInsensitive) == 0)
            return h.second;
    }
    return QByteArray();
}

HttpResponseParser::State HttpResponseParser::feed(QByteArrayView bytes)
{
    if (m_state != State::Incomplete || bytes.isEmpty())
        return m_state;
    m_started = true;
    m_buffer.append(bytes);
    parse();
    return m_state;
}

HttpResponseParser::State HttpResponseParser::close()
{
    if (m_state != State::Incomplete)
        return m_state;
    if (m_phase == Phase::BodyToClose) {
        m_phase = Phase::Done;
        m_state = State::Complete;
        m_buffer.clear();
        m_pos = 0;
    } else {
        fail(Error::BrokenOff);
    }
    return m_state;
}

bool HttpResponseParser::fail(Error error)
{
    m_state = State::Failed;
    m_error = error;
    // Nothing of an answer that failed is kept, however far it had come.
    m_body.clear();
    m_buffer.clear();
    m_pos = 0;
    return false;
}

bool HttpResponseParser::nextLine(QByteArray *line, qsizetype maxLength, Error tooLong)
{
    switch (TakeHttpLine(m_buffer, &m_pos, maxLength, line)) {
    case HttpLineRead::Line:
        return true;
    case HttpLineRead::NeedMore:
        return false;
    case HttpLineRead::TooLong:
        return fail(tooLong);
    case HttpLineRead::Malformed:
        break;
    }
    return fail(Error::Malformed);
}

bool HttpResponseParser::parseStatusLine(const QByteArray &line)
{
    // "HTTP/1.x 200 OK"; some servers leave out the reason and its blank.
    if (line.size() < 12 || !line.startsWith("HTTP/1.") || !IsDigit(line.at(7)) ||
        line.at(8) != ' ' || !IsDigit(line.at(9)) || !IsDigit(line.at(10)) ||
        !IsDigit(line.at(11)) || (line.size() > 12 && line.at(12) != ' '))
        return fail(Error::Malformed);
    const int status = line.mid(9, 3).toInt();
    if (status < 100 || status > 599)
        return fail(Error::Malformed);
    m_status = status;
    m_reason = line.mid(13).trimmed();
    return true;
}

bool HttpResponseParser::parseHeaderLine(const QByteArray &line)
{
    // Obsolete line folding is not read.
    if (line.startsWith(' ') || line.startsWith('\t'))
        return fail(Error::Malformed);
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0 || !IsToken(QByteArrayView(line).first(colon)))
        return fail(Error::Malformed);
    const QByteArray value = line.mid(colon + 1).trimmed();
    for (const char c : value) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\t') || u == 0x7f)
            return fail(Error::Malformed);
    }
    if (m_headers.size() >= kMaxHeaders)
        return fail(Error::Malformed);
    m_headers.append({line.left(colon), value});
    return true;
}

bool HttpResponseParser::startBody()
{
    if (m_status < 200) {
        // An interim answer; a switch of protocols was never asked for.
        if (m_status == 101 || ++m_interim > kMaxInterim)
            return fail(Error::Malformed);
        m_headers.clear();
        m_status = 0;
        m_reason.clear();
        m_headBytes = 0;
        m_phase = Phase::StatusLine;
        return true;
    }
    if (m_status == 204 || m_status == 304) {
        m_phase = Phase::Done;
        return true;
    }
    bool hasLength = false;
    bool hasCoding = false;
    QList<QByteArray> codings;
    QByteArray length;
    for (const auto &h : m_headers) {
        if (h.first.compare("Transfer-Encoding", Qt::CaseInsensitive) == 0) {
            hasCoding = true;
            for (const QByteArray &part : h.second.split(',')) {
                const QByteArray coding = part.trimmed().toLower();
                if (!coding.isEmpty())
                    codings << coding;
            }
        } else if (h.first.compare("Content-Length", Qt::CaseInsensitive) == 0) {
            hasLength = true;
            for (const QByteArray &part : h.second.split(',')) {
                const QByteArray value = part.trimmed();
                if (value.isEmpty() || !std::all_of(value.begin(), value.end(), IsDigit) ||
                    (!length.isEmpty() && value != length))
                    return fail(Error::Malformed);
                length = value;
            }
        }
    }
    if (hasCoding) {
        // Only chunks are understood; a length beside them leaves open where
        // the answer ends.
        if (hasLength || codings != QList<QByteArray>{"chunked"})
            return fail(Error::Malformed);
        m_headBytes = 0;
        m_phase = Phase::ChunkSize;
        return true;
    }
    if (!hasLength) {
        m_phase = Phase::BodyToClose;
        return true;
    }
    qsizetype digits = 0;
    while (digits < length.size() - 1 && length.at(digits) == '0')
        ++digits;
    length = length.mid(digits);
    if (length.size() > 15)
        return fail(Error::TooLarge);
    const qint64 size = length.toLongLong();
    if (size > m_maxBody)
        return fail(Error::TooLarge);
    m_remaining = size;
    m_phase = size > 0 ? Phase::Body : Phase::Done;
    return true;
}

bool HttpResponseParser::takeBody(QByteArrayView bytes)
{
    if (m_body.size() + bytes.size() > m_maxBody)
        return fail(Error::TooLarge);
    m_body.append(bytes);
    return true;
}

void HttpResponseParser::parse()
{
    QByteArray line;
    while (m_state == State::Incomplete) {
        const qsizetype before = m_pos;
        switch (m_phase) {
        case Phase::StatusLine:
        case Phase::Headers: {
            if (m_phase == Phase::StatusLine && m_pos < m_buffer.size() &&
                m_buffer.at(m_pos) != 'H' && m_buffer.at(m_pos) != '\r' &&
                m_buffer.at(m_pos) != '\n') {
                // Not an answer in HTTP (a TLS record, say): no need to wait
                // for the line's end.
                fail(Error::Malformed);
                break;
            }
            if (!nextLine(&line, kMaxHeadBytes - m_headBytes, Error::Malformed))
                break;
            m_headBytes += m_pos - before;
            if (m_phase == Phase::StatusLine) {
                // Empty lines before an answer are read past.
                if (!line.isEmpty() && parseStatusLine(line))
                    m_phase = Phase::Headers;
            } else if (line.isEmpty()) {
                startBody();
            } else {
                parseHeaderLine(line);
            }
            continue;
        }
        case Phase::Trailers:
            if (!nextLine(&line, kMaxHeadBytes - m_headBytes, Error::Malformed))
                break;
            m_headBytes += m_pos - before;
            m_framingBytes += m_pos - before;
            // Trailer fields are read past and not kept.
            if (line.isEmpty())
                m_phase = Phase::Done;
            continue;
        case Phase::Body:
        case Phase::ChunkData: {
            const qsizetype take = qMin<qsizetype>(m_remaining, m_buffer.size() - m_pos);
            if (take == 0)
                break;
            if (!takeBody(QByteArrayView(m_buffer).sliced(m_pos, take)))
                break;
            m_pos += take;
            m_remaining -= take;
            if (m_remaining == 0)
                m_phase = m_phase == Phase::Body ? Phase::Done : Phase::ChunkDataEnd;
            continue;
        }
        case Phase::BodyToClose:
            if (m_pos < m_buffer.size())
                takeBody(QByteArrayView(m_buffer).sliced(m_pos));
            m_pos = m_buffer.size();
            break;
        case Phase::ChunkSize: {
            if (!nextLine(&line, 1024, Error::Malformed))
                break;
            m_framingBytes += m_pos - before;
            if (m_framingBytes > kMaxHeadBytes + m_maxBody) {
                fail(Error::TooLarge);
                break;
            }
            // Hex digits, then perhaps blanks and extensions after ";".
            qsizetype digits = 0;
            while (digits < line.size() && isxdigit(static_cast<unsigned char>(line.at(digits))))
                ++digits;
            const QByteArray rest = line.mid(digits).trimmed();
            if (digits == 0 || (!rest.isEmpty() && !rest.startsWith(';'))) {
                fail(Error::Malformed);
                break;
            }
            QByteArray hex = line.left(digits);
            while (hex.size() > 1 && hex.at(0) == '0')
                hex.remove(0, 1);
            if (hex.size() > 8) {
                fail(Error::TooLarge);
                break;
            }
            const qint64 size = hex.toLongLong(nullptr, 16);
            if (size == 0) {
                m_phase = Phase::Trailers;
            } else if (m_body.size() + size > m_maxBody) {
                fail(Error::TooLarge);
            } else {
                m_remaining = size;
                m_phase = Phase::ChunkData;
            }
            continue;
        }
        case Phase::ChunkDataEnd:
            if (!nextLine(&line, 0, Error::Malformed))
                break;
            m_framingBytes += m_pos - before;
            m_phase = Phase::ChunkSize;
            continue;
        case Phase::Done:
            m_state = State::Complete;
            // What follows the answer is not read.
            m_buffer.clear();
            m_pos = 0;
            continue;
        }
        break; // more bytes are needed
    }
    if (m_pos > 0) {
        m_buffer.remove(0, m_pos);
        m_pos = 0;
    }
}
