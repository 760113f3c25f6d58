#pragma once
// The exception of the catalogue database layer: an error code and the
// message text. Thrown only by connections whose throw-exceptions flag is
// set; ReportError shows the text to the user.

#include <QString>
#include <exception>

class QWidget;

class CUniDbException : public std::exception
{
public:
    CUniDbException() = default;
    CUniDbException(unsigned int code, const QString &text);

    unsigned int ErrorCode() const { return m_nCode; }
    const QString &ErrorText() const { return m_strText; }
    const char *what() const noexcept override;

    // Shows the text in a message box with the exclamation icon and
    // returns the box's result. flags and helpId stand in the report's
    // call form (the box's style, a help topic); the box takes neither, so
    // both are ignored.
    int ReportError(unsigned int flags = 0, unsigned int helpId = 0,
                    QWidget *parent = nullptr) const;

private:
    unsigned int m_nCode = 0;
    QString m_strText;
    QByteArray m_what;
};
