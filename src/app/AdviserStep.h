#pragma once
// CAdviserStep: tells the catalogue connections where one step of the
// adviser begins (a click or a key in the main window): a server found
// silent or gone in a step is not waited on again in that step, and is
// asked again in the next one. Input to a message box or a dialog the step
// opened belongs to the step; a failure is told once in it, and again for
// an action in such a dialog (CatalogueFailure::ToTell).

#include <QObject>

class QWidget;

class CAdviserStep : public QObject
{
public:
    // Watches the input of the application while it lives; `window` is the
    // main window.
    explicit CAdviserStep(QWidget *window);
    ~CAdviserStep() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_pWindow;
};
