#pragma once
// The package pages' side of the package model's notices: each text becomes
// a notice box owned by the page, titled like every box of the program.

#include "packages/model/PaketNotice.h"

class QWidget;

class CPageNotice : public IPaketNotice
{
public:
    explicit CPageNotice(QWidget *page) : m_page(page) {}
    void Notice(const QString &text) override;

private:
    QWidget *m_page;
};
