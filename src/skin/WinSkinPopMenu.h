#pragma once
#include "SkinData.h"

#include <QImage>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QRegion>

#include <memory>

class QStyle;
class TSkinManage;
struct TSkinElements;

// The skinner of one popup menu window: while the manager is on and the skin has a
// MenuBackground image, the menu's 3-pixel frame and background come from that image, composed
// to the menu's size (the skin's menu items draw their background from it too); without the
// image the menu draws its own frame.
class TWinSkinPopMenu : public QObject {
    Q_OBJECT

public:
    static constexpr int kFrameWidth = 3;

    TWinSkinPopMenu(TSkinManage& manager, QMenu* menu, TSkinData* skinData, QStyle* style);
    ~TWinSkinPopMenu() override;

    QMenu* Menu() const { return menu_; }
    // The menu this skinner was made for, to compare with (also while it is being destroyed).
    const QObject* Watched() const { return watched_; }
    // The menu is being destroyed: it is not touched again.
    void MenuDestroyed() { menu_.clear(); }
    TSkinData* SkinData() const { return skinData_; }

    // Whether the skin draws the menu's frame now.
    bool DrawsFrame() const;
    // The MenuBackground image composed to the menu's size (empty when the skin draws no frame).
    const QImage& FrameImage();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Reshape();

    TSkinManage& manager_;
    QPointer<QMenu> menu_;
    const QObject* watched_;
    QPointer<TSkinData> skinData_;
    QImage frame_;
    std::shared_ptr<const TSkinElements> frameElements_;
    bool masked_ = false;
};
