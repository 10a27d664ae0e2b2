#pragma once
#include "Component.h"
#include "Events.h"

#include "Color.h"

#include <QList>
#include <QMargins>
#include <QWidget>

class QVBoxLayout;
class TMainMenu;

// A top-level window: the client area holds the form's controls; the non-client insets are the
// band around it (zero while the window manager draws the frame, the skin's border sizes when
// the window draws its own). The form's size is its outer size.
class TForm : public QWidget, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name)
    Q_PROPERTY(QString Caption READ Caption WRITE SetCaption)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)
    Q_PROPERTY(uint Color READ Color WRITE SetColor)

public:
    explicit TForm(QWidget* parent = nullptr);
    ~TForm() override;

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TCloseQueryEvent OnCloseQuery;
    TCloseEvent OnClose;

    QString Name() const { return objectName(); }
    QString Caption() const { return windowTitle(); }
    void SetCaption(const QString& caption) { setWindowTitle(caption); }

    // The background of the form; clBtnFace is the toolkit's own window colour.
    TColor Color() const { return color_; }
    void SetColor(TColor color);

    // The menu bar above the client area, or nullptr. The form does not own it.
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* menu);

    QWidget* ClientArea() const { return client_; }
    QMargins NonClientInsets() const { return contentsMargins(); }
    void SetNonClientInsets(const QMargins& insets) { setContentsMargins(insets); }

    // Centred on the screen the form is on (or the primary one).
    void CenterOnScreen();

    // Shows the form and brings it to the front.
    void Show();
    // Asks OnCloseQuery; true when the form may close.
    bool CloseQuery();

    // The components of the stored layout, in layout order.
    const QList<QObject*>& Components() const { return components_; }
    QObject* FindComponent(const QString& name) const;

    // Fires OnDestroy (once) and deletes the form. Forms are destroyed through this call so that
    // the handlers run while the whole form still exists.
    void Destroy();

    // Every form that exists, in order of creation.
    static const QList<TForm*>& Forms();

protected:
    // The stored layout is built between these calls: components are registered in layout order
    // while in the reading state; EndLayout gives each its Loaded() call, then fires OnCreate.
    void BeginLayout();
    template <class T> T* AddComponent(T* component)
    {
        components_.append(component);
        if (auto* lifecycle = AsComponent(component))
            lifecycle->SetReading(true);
        return component;
    }
    void EndLayout();

    void closeEvent(QCloseEvent* event) override;
    QObject* Self() override { return this; }

private:
    QVBoxLayout* rows_;
    QWidget* client_;
    TMainMenu* menu_ = nullptr;
    TColor color_ = clBtnFace;
    QList<QObject*> components_;
    bool destroying_ = false;
};
