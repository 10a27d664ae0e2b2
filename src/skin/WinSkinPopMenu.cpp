#include "WinSkinPopMenu.h"
#include "FrameRegion.h"
#include "SkinData.h"
#include "SkinEvents.h"
#include "SkinManager.h"
#include "SkinPrimitives.h"

#include <QMenu>

TWinSkinPopMenu::TWinSkinPopMenu(TSkinManage& manager, QMenu* menu, TSkinData* skinData, QStyle* style)
    : manager_(manager), menu_(menu), watched_(menu), skinData_(skinData)
{
    menu->installEventFilter(this);
    menu->setStyle(style);
    Reshape();
}

TWinSkinPopMenu::~TWinSkinPopMenu()
{
    if (!menu_)
        return;
    menu_->removeEventFilter(this);
    menu_->setStyle(nullptr);
    if (masked_)
        menu_->clearMask();
}

bool TWinSkinPopMenu::DrawsFrame() const
{
    if (!manager_.Enabled() || !skinData_ || skinData_->SkinEmpty())
        return false;
    const TDataSkinObject* background = skinData_->Elements().MenuBackground.get();
    return background && !background->Image.isNull();
}

const QImage& TWinSkinPopMenu::FrameImage()
{
    if (!DrawsFrame()) {
        frame_ = QImage();
        return frame_;
    }
    if (frame_.size() != menu_->size() || frameElements_ != skinData_->SharedElements()) {
        frameElements_ = skinData_->SharedElements();
        const TDataSkinObject& background = *frameElements_->MenuBackground;
        frame_ = ComposeNineSlice(
            menu_->size(), background.Image,
            {background.LeftWidth, background.TopHeight, background.RightWidth, background.BottomHeight}, false,
            background.Tile == 1, 1, 1);
    }
    return frame_;
}

void TWinSkinPopMenu::Reshape()
{
    // Key-colour corners of a transparent background are cut out of the window.
    const bool cut = DrawsFrame() && skinData_->Elements().MenuBackground->Trans == 1 && !menu_->size().isEmpty();
    if (cut) {
        const QImage& frame = FrameImage();
        const QRect inner = menu_->rect().adjusted(kFrameWidth, kFrameWidth, -kFrameWidth, -kFrameWidth);
        menu_->setMask(OpaquePixels(frame, frame.rect()) + QRegion(inner));
    } else if (masked_) {
        menu_->clearMask();
    }
    masked_ = cut;
}

bool TWinSkinPopMenu::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != watched_ || menu_.isNull())
        return false;
    if (TSkinMessage::Is(event, kSkinnedQueryMessage)) {
        static_cast<TSkinMessage*>(event)->Result = 1;
        return true;
    }
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        Reshape();
    return false;
}
