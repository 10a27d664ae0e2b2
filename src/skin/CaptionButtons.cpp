#include "CaptionButtons.h"
#include "SkinElements.h"
#include "SkinLoader.h"
#include "SkinPrimitives.h"
#include "WinSkinForm.h"

#include <QPainter>

void TNCObject::Press()
{
    if (!Visible)
        return;
    owner_->SetHotObject(this);
    State = stPressed;
    Draw();
}

void TNCObject::Release()
{
    if (!Visible)
        return;
    State = stHot;
    Draw();
}

void TNCObject::Enter()
{
    if (!Visible)
        return;
    owner_->SetHotObject(this);
    State = stHot;
    Draw();
}

void TNCObject::Leave()
{
    if (owner_->HotObject() == this)
        owner_->SetHotObject(nullptr);
    State = stNormal;
    Draw();
}

void TNCObject::Draw()
{
    owner_->RepaintFrameRect(Rect);
}

bool CaptionVisibility(int code, bool first, int action, const TCaptionState& s)
{
    switch (code) {
    case 0:
        return !first || action != 0 || s.systemMenu;
    case 1:
        return s.maximised;
    case 2:
        return !s.maximised;
    case 3:
        return s.active;
    case 4:
        return !s.active;
    case 6:
        return s.maximizeBox && (!first || s.systemMenu);
    case 7:
        return !s.maximizeBox;
    case 8:
        return s.minimizeBox && (!first || s.systemMenu);
    case 9:
        return !s.minimizeBox;
    case 100:
        return s.childMaximisedInMenuBar;
    default:
        return code >= 200 && code <= 2000;
    }
}

TWinSysButton::TWinSysButton(TWinSkinForm* owner, std::shared_ptr<const TSkinElements> elements,
                             const TDataSkinSysButton& element, const QIcon& windowIcon)
    : TNCObject(owner), elements_(std::move(elements)), element_(&element), image_(element.Image),
      frameCount_(element.FrameCount)
{
    // The window-icon buttons show the window's small icon, one frame.
    if ((element.Action == 3 || element.Action == 11) && image_.isNull()) {
        icon_ = windowIcon;
        frameCount_ = 1;
    }
}

int TWinSysButton::Action() const
{
    return element_->Action;
}

bool TWinSysButton::ComputeVisible(const TCaptionState& state) const
{
    const int action = element_->Action;
    bool visible = CaptionVisibility(element_->Visibility, true, action, state)
        && CaptionVisibility(element_->Visibility1, false, action, state);
    if (action == 1 && !state.maximizeBox)
        visible = false;
    if (action == 2 && !state.minimizeBox)
        visible = false;
    if ((action == 3 || action == 11 || action == 12) && state.dialog)
        visible = false;
    return visible && (!image_.isNull() || ShowsWindowIcon());
}

QSize TWinSysButton::Size() const
{
    if (ShowsWindowIcon())
        return QSize(kSmallIconSize, kSmallIconSize);
    return QSize(image_.width() / std::max(frameCount_, 1), image_.height());
}

int TWinSysButton::FrameFor(bool active) const
{
    if (!active && frameCount_ >= 4)
        return 4;
    return State;
}

void TWinSysButton::Paint(QPainter& painter, bool active) const
{
    if (!Visible)
        return;
    if (ShowsWindowIcon()) {
        // Drawn at the device's resolution, so a scaled screen gets a sharp icon.
        icon_.paint(&painter, Rect);
        return;
    }
    DrawSkinFrame(painter, TRect::FromQRect(Rect), image_, true, frameCount_, FrameFor(active));
}
