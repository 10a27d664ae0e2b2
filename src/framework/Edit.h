#pragma once
#include "Component.h"

#include <QLineEdit>

// A one-line edit field as a form component: its published text property is `Text`, so stored
// settings name it "username.Text".
class TEdit : public QLineEdit, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(QString Text READ Text WRITE SetText)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TEdit(QWidget* parent = nullptr) : QLineEdit(parent) {}

    QString Text() const { return text(); }
    void SetText(const QString& value) { setText(value); }

protected:
    QObject* Self() override { return this; }
};
