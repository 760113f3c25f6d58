#include "basket/transfer/TransferAnswer.h"

namespace {

QString WithoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

CDmsTransferAnswer ReadDmsTransferAnswer(CDmsAnswer &answer)
{
    CDmsTransferAnswer out;
    answer.ReadChildren([&out](const QDomElement &child) {
        if (DmsLocalName(child) != QLatin1String("confirmTransmission"))
            return false;
        out.hasConfirmation = true;
        out.confirmation = WithoutTrailingBlanks(child.text());
        return true;
    });
    out.exception = answer.Exception();
    return out;
}
