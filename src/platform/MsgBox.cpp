#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>

#include <cstdio>
#include <memory>

const QString kMsgBoxTitle = QStringLiteral("Y A Q 2");

namespace {

MsgBoxResponder &responder()
{
    static MsgBoxResponder r;
    return r;
}

bool &windowless()
{
    static bool w = false;
    return w;
}

// The box of a run without windows: its text on standard error, closed by
// a line break, and the answer that agrees to nothing.
MsgBoxAnswer tellOnStandardError(const MsgBoxRequest &request)
{
    const QByteArray line = request.text.toUtf8() + '\n';
    std::fwrite(line.constData(), 1, size_t(line.size()), stderr);
    std::fflush(stderr);
    MsgBoxAnswer answer;
    switch (request.type) {
    case MB_OK:
        answer.button = IDOK;
        break;
    case MB_YESNO:
        answer.button = IDNO;
        break;
    default:
        answer.button = IDCANCEL;
        break;
    }
    return answer;
}

// A Yes/No question. Qt would take "No" for Escape and for the window's
// close button; here both leave the box without an answer, which the
// callers tell apart from a "No" that gives something up.
class CQuestionBox : public QMessageBox
{
public:
    using QMessageBox::QMessageBox;

protected:
    void keyPressEvent(QKeyEvent *event) override
    {
        if (event->matches(QKeySequence::Cancel)) {
            event->accept();
            done(QMessageBox::Cancel);
            return;
        }
        QMessageBox::keyPressEvent(event);
    }
    void closeEvent(QCloseEvent *event) override
    {
        QDialog::closeEvent(event);
        setResult(QMessageBox::Cancel);
    }
};

QMessageBox::StandardButtons buttonsFor(int type)
{
    switch (type) {
    case MB_OKCANCEL:
        return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_YESNOCANCEL:
        return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO:
        return QMessageBox::Yes | QMessageBox::No;
    default:
        return QMessageBox::Ok;
    }
}

int resultFor(int button)
{
    switch (button) {
    case QMessageBox::Yes:
        return IDYES;
    case QMessageBox::No:
        return IDNO;
    case QMessageBox::Cancel:
        return IDCANCEL;
    default:
        return IDOK;
    }
}

// The text as the box can show it in `rows` rows of `columns` characters:
// a word longer than a row (which the box cannot wrap) is broken, and what
// does not fit is cut, "…" marking the cut. A text that fits stays as it is.
QString fitText(const QString &text, int columns, int rows)
{
    QString out;
    int used = 0;   // rows of the lines taken
    int inLine = 0; // characters of the line so far
    int run = 0;    // characters since the last blank
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            used += 1 + qMax(0, inLine - 1) / columns;
            inLine = run = 0;
            if (used >= rows) {
                out += QChar(0x2026);
                return out;
            }
            out += c;
            continue;
        }
        run = c == QLatin1Char(' ') ? 0 : run + 1;
        if (run > columns && !c.isLowSurrogate()) {
            out += QLatin1Char('\n');
            used += 1 + qMax(0, inLine - 1) / columns;
            inLine = 0;
            run = 1;
        }
        if (used + inLine / columns >= rows) {
            if (!out.isEmpty() && out.back().isHighSurrogate())
                out.chop(1);
            out += QChar(0x2026);
            return out;
        }
        out += c;
        ++inLine;
    }
    return out;
}

// Sets the text so that the box, its buttons included, stays within the
// screen it opens on: a text of the DMS or of a file can be of any length.
void setFittingText(QMessageBox &box, const QString &text)
{
    const QWidget *anchor = box.parentWidget() ? box.parentWidget() : &box;
    const QScreen *screen = anchor->screen() ? anchor->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        box.setText(text);
        return;
    }
    const QRect room = screen->availableGeometry();
    const QFontMetrics metrics(box.font());
    // The box lays its text out at most half the screen wide; the rows
    // leave room for the title, the icon's margins and the buttons.
    const int columns = qMax(20, qMin(room.width() / 2, 600) /
                                     qMax(1, metrics.horizontalAdvance(QLatin1Char('W'))));
    int rows = qMax(3, (room.height() - 200) / qMax(1, metrics.lineSpacing()));
    box.setText(fitText(text, columns, rows));
    // What the estimate missed (a larger font of the text, wider letters)
    // is taken off until the box fits.
    while (rows > 3 && box.sizeHint().height() > room.height()) {
        rows = qMax(3, rows * 3 / 4);
        box.setText(fitText(text, columns, rows));
    }
}

void setUp(QMessageBox &box, const MsgBoxRequest &request, int align)
{
    box.setWindowTitle(request.caption);
    setFittingText(box, request.text);
    box.setIcon(request.type == MB_YESNO || request.type == MB_YESNOCANCEL ||
                        request.type == MB_STOREAGAIN_OVERWRITE
                    ? QMessageBox::Question
                    : QMessageBox::Information);
    if (align != MSG_ALIGN_LEFT)
        box.setStyleSheet(QStringLiteral("QLabel{qproperty-alignment: AlignCenter;}"));
}

MsgBoxAnswer show(const MsgBoxRequest &request, QWidget *parent, int align)
{
    if (windowless())
        return tellOnStandardError(request);
    if (responder())
        return responder()(request);

    std::unique_ptr<QMessageBox> owned = request.type == MB_YESNO
                                             ? std::make_unique<CQuestionBox>(parent)
                                             : std::make_unique<QMessageBox>(parent);
    QMessageBox &box = *owned;
    setUp(box, request, align);
    // The duplicate question has buttons of its own; their results are
    // told by the clicked button, not by exec's return.
    QAbstractButton *storeAgain = nullptr;
    QAbstractButton *overwrite = nullptr;
    if (request.type == MB_STOREAGAIN_OVERWRITE) {
        storeAgain =
            box.addButton(QMessageBox::tr("Zusätzlich speichern"), QMessageBox::AcceptRole);
        overwrite = box.addButton(QMessageBox::tr("Überschreiben"), QMessageBox::DestructiveRole);
        box.setDefaultButton(box.addButton(QMessageBox::Cancel));
        box.setEscapeButton(QMessageBox::Cancel);
    } else {
        box.setStandardButtons(buttonsFor(request.type));
    }
    QCheckBox *check = nullptr;
    if (request.withCheckBox) {
        check = new QCheckBox(QMessageBox::tr("Diese Meldung nicht mehr anzeigen"), &box);
        box.setCheckBox(check);
    }
    MsgBoxAnswer answer;
    answer.button = resultFor(box.exec());
    if (storeAgain || overwrite) {
        answer.button = box.clickedButton() == storeAgain  ? IDSTOREAGAIN
                        : box.clickedButton() == overwrite ? IDOVERWRITE
                                                           : IDCANCEL;
    }
    answer.dontShowAgain = check && check->isChecked();
    return answer;
}

} // namespace

void SetMsgBoxResponder(MsgBoxResponder r)
{
    responder() = std::move(r);
}

void SetMsgBoxWindowless(bool w)
{
    windowless() = w;
}

bool IsMsgBoxWindowless()
{
    return windowless();
}

int OwnMsgBox(const QString &text, QWidget *parent, const QString &caption, int align, int type)
{
    MsgBoxRequest request;
    request.text = text;
    request.caption = caption;
    request.type = type;
    return show(request, parent, align).button;
}

void OwnMsgBoxNonModal(const QString &text, QWidget *parent, const QString &caption, int align,
                       std::function<void()> closed)
{
    MsgBoxRequest request;
    request.text = text;
    request.caption = caption;
    if (windowless()) {
        tellOnStandardError(request);
        if (closed)
            QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(closed),
                                      Qt::QueuedConnection);
        return;
    }
    if (responder()) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [request, closed = std::move(closed)] {
                if (responder())
                    responder()(request);
                if (closed)
                    closed();
            },
            Qt::QueuedConnection);
        return;
    }
    auto *box = new QMessageBox(parent);
    setUp(*box, request, align);
    box->setStandardButtons(QMessageBox::Ok);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    QObject::connect(box, &QDialog::finished, box, [closed = std::move(closed)] {
        if (closed)
            closed();
    });
    box->show();
}

int OwnMsgChkBox(const QString &text, int *flag, QWidget *parent, const QString &caption, int align)
{
    MsgBoxRequest request;
    request.text = text;
    request.caption = caption;
    request.withCheckBox = true;
    const MsgBoxAnswer answer = show(request, parent, align);
    if (answer.dontShowAgain && flag)
        *flag = 0;
    return answer.button;
}
