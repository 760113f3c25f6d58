#pragma once
// One line of an HTTP head or chunk framing, as the request parser of the
// listener and the answer parser of the client both read it: ended by LF,
// a CR before it dropped, never longer than its limit, with no CR or NUL
// inside.

#include <QByteArray>

enum class HttpLineRead
{
    Line,      // *line holds it, *pos stands behind its LF
    NeedMore,  // the line has not come whole yet
    TooLong,   // longer than the limit, whole or in part
    Malformed, // a CR or NUL inside the line
};

inline HttpLineRead TakeHttpLine(const QByteArray &buffer, qsizetype *pos, qsizetype maxLength,
                                 QByteArray *line)
{
    const qsizetype end = buffer.indexOf('\n', *pos);
    if (end < 0) {
        // The part of the line that has come, less a CR that may end it.
        return buffer.size() - *pos > maxLength + 1 ? HttpLineRead::TooLong
                                                    : HttpLineRead::NeedMore;
    }
    qsizetype length = end - *pos;
    if (length > 0 && buffer.at(end - 1) == '\r')
        --length;
    if (length > maxLength)
        return HttpLineRead::TooLong;
    *line = buffer.mid(*pos, length);
    if (line->contains('\r') || line->contains('\0'))
        return HttpLineRead::Malformed;
    *pos = end + 1;
    return HttpLineRead::Line;
}
