#include "app/EReiheCombo.h"

CEReiheCombo::CEReiheCombo(QWidget *parent) : QComboBox(parent)
{
}

void CEReiheCombo::showPopup()
{
    emit aboutToShowPopup();
    QComboBox::showPopup();
}
