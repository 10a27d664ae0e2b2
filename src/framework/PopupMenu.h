#pragma once
#include "Component.h"
#include "Events.h"

#include <QMenu>
#include <QPointer>

class QAction;
class TImageList;

// A popup menu component: items are named actions with a caption, an optional picture from the
// menu's image list and a click handler. AutoPopup says whether owners may open it themselves;
// PopupComponent is the component that opened it last.
class TPopupMenu : public QMenu, public ComponentLifecycle {
    Q_OBJECT
    Q_PROPERTY(bool AutoPopup READ AutoPopup WRITE SetAutoPopup)
    Q_PROPERTY(int Tag READ Tag WRITE SetTag)

public:
    explicit TPopupMenu(QWidget* owner = nullptr);

    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool autoPopup) { autoPopup_ = autoPopup; }
    QObject* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(QObject* component) { popupComponent_ = component; }

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* images);

    // Adds an item; imageIndex -1 for none. The handler gets the item's action as Sender.
    QAction* AddItem(const QString& name, const QString& caption, int imageIndex, TNotifyEvent onClick);
    QAction* FindItem(const QString& name) const;

protected:
    QObject* Self() override { return this; }

private:
    void RefreshImages();

    bool autoPopup_ = true;
    QPointer<QObject> popupComponent_;
    TImageList* images_ = nullptr;
};
