#pragma once
#include "ChangeNotifier.h"
#include "framework/Alignment.h"
#include "framework/Color.h"

#include <QFont>

class TCommandBar;

// How the bar draws panel captions (one strip per visible panel, Height tall) and the optional
// side strip left of the items. With Height 0 captions take no room and show nothing.
class TCommandCaption : public TChangeNotifier<TCommandCaption> {
public:
    explicit TCommandCaption(TCommandBar* bar) : bar_(bar) {}

    // Repaints the bar.
    void Changed();

    int Height() const { return height_; }
    void SetHeight(int height) { Store(height_, height < 0 ? 0 : height); }
    bool SideDisplay() const { return sideDisplay_; }
    void SetSideDisplay(bool shown) { Store(sideDisplay_, shown); }
    int SideWidth() const { return sideWidth_; }
    void SetSideWidth(int width) { Store(sideWidth_, width); }
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Store(color_, color); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Store(alignment_, alignment); }
    // The caption of the active panel uses ActiveFont, the others Font.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { Store(font_, font); }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { Store(fontColor_, color); }
    const QFont& ActiveFont() const { return activeFont_; }
    void SetActiveFont(const QFont& font) { Store(activeFont_, font); }
    TColor ActiveFontColor() const { return activeFontColor_; }
    void SetActiveFontColor(TColor color) { Store(activeFontColor_, color); }

private:
    TCommandBar* bar_;
    int height_ = 20;
    bool sideDisplay_ = false;
    int sideWidth_ = 20;
    TColor color_ = clBtnFace;
    TAlignment alignment_ = taCenter;
    QFont font_;
    TColor fontColor_ = clBlack;
    QFont activeFont_;
    TColor activeFontColor_ = clNavy;
};

// The help area along the bottom of the bar: the clicked item's Help text.
class THelpPanel : public TChangeNotifier<THelpPanel> {
public:
    explicit THelpPanel(TCommandBar* bar) : bar_(bar) {}

    // Repaints the bar.
    void Changed();

    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Store(visible_, visible); }
    int Height() const { return height_; }
    void SetHeight(int height) { Store(height_, height < 0 ? 0 : height); }

private:
    TCommandBar* bar_;
    bool visible_ = false;
    int height_ = 40;
};
