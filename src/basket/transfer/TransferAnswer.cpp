#include "basket/transfer/TransferAnswer.h"

#include "platform/StringUtil.h"

CDmsTransferAnswer ReadDmsTransferAnswer(CDmsAnswer &answer)
{
    CDmsTransferAnswer out;
    answer.ReadChildren([&out](const QDomElement &child) {
        if (XmlLocalName(child) != QLatin1String("confirmTransmission"))
            return false;
        out.hasConfirmation = true;
        out.confirmation = WithoutTrailingBlanks(child.text());
        return true;
    });
    out.exception = answer.Exception();
    return out;
}
