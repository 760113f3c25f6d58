#pragma once
// The model-series combo of the head row: tells before its list drops down,
// so that the window can build the model-series list at the last moment.

#include <QComboBox>

class CEReiheCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit CEReiheCombo(QWidget *parent = nullptr);
    void showPopup() override;

signals:
    void aboutToShowPopup();
};
