#pragma once
#include "Component.h"

#include <QMenuBar>

// The menu bar of a form: top-level items are actions, those with sub-items carry a QMenu. The
// form places it above its client area (TForm::SetMenu).
class TMainMenu : public QMenuBar, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TMainMenu(QWidget* owner = nullptr) : QMenuBar(owner) {}

protected:
    QObject* Self() override { return this; }
};
