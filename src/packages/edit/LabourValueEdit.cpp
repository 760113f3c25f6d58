#include "packages/edit/LabourValueEdit.h"

#include "packages/model/Position.h"

bool CLabourValueEdit::IsEditable(const CPosition *line)
{
    if (!line || line->Type != POS_WORK)
        return false;
    return line->Number.startsWith(QLatin1String("72")) || line->Az == CPosition::AzMarker() ||
           line->AzEdited != 0;
}

QString CLabourValueEdit::InitialText(const CPosition &line, Field *field)
{
    *field = Field::Quantity;
    if (line.Az == CPosition::AzMarker())
        return line.Az;
    if (!line.Quantity.isEmpty())
        return line.Quantity;
    if (!line.M.isEmpty()) {
        *field = Field::M;
        return line.M;
    }
    if (!line.U.isEmpty()) {
        *field = Field::U;
        return line.U;
    }
    return QStringLiteral("-");
}

void CLabourValueEdit::Apply(CPosition &line, Field field, int value)
{
    if (line.Az == CPosition::AzMarker()) {
        line.Az.clear();
        line.AzEdited = 1;
    }
    const QString text = QString::number(value);
    switch (field) {
    case Field::M:
        line.M = text;
        break;
    case Field::U:
        line.U = text;
        break;
    case Field::Quantity:
        line.Quantity = text;
        break;
    }
}
