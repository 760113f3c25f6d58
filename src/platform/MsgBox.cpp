#include "platform/MsgBox.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

const QString kMsgBoxTitle = QStringLiteral("Y A Q 2");

namespace {

MsgBoxResponder &responder()
{
    static MsgBoxResponder r;
    return r;
}

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

void setUp(QMessageBox &box, const MsgBoxRequest &request, int align)
{
    box.setWindowTitle(request.caption);
    box.setText(request.text);
    box.setIcon(request.type == MB_YESNO || request.type == MB_YESNOCANCEL ||
                        request.type == MB_STOREAGAIN_OVERWRITE
                    ? QMessageBox::Question
                    : QMessageBox::Information);
    if (align != MSG_ALIGN_LEFT)
        box.setStyleSheet(QStringLiteral("QLabel{qproperty-alignment: AlignCenter;}"));
}

MsgBoxAnswer show(const MsgBoxRequest &request, QWidget *parent, int align)
{
    if (responder())
        return responder()(request);

    QMessageBox box(parent);
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
