#pragma once
#include "ChangeNotifier.h"
#include "CommandCollection.h"
#include "CommandItem.h"
#include "framework/Alignment.h"
#include "framework/Color.h"

#include <QFont>
#include <QKeyCombination>
#include <QList>
#include <QString>

class TCommandBar;
class TCommandPanel;
using TCommandPanels = TCommandCollection<TCommandPanel, TCommandBar>;

// The one style the bar draws: a 32 x 32 icon above a caption, one item per row.
enum TPanelStyle { psLargeIcon };
enum TPanelBackground { pbSolid, pbGradient };
enum TGradientDirection { gdHorizontal, gdVertical };

// A panel of the bar: its items and how they look. Every setter that changes the look stores
// the value and repaints the bar.
class TCommandPanel : public TChangeNotifier<TCommandPanel> {
public:
    explicit TCommandPanel(TCommandPanels* collection) : collection_(collection), Items(this) {}

    TCommandBar* Bar() const { return collection_->GetOwner(); }
    int Index() const { return collection_->IndexOf(this); }
    // Repaints the bar; the items call it when one of them changes.
    void Changed();

    // The panel caption; a letter after "&" makes the panel active with Alt.
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { Store(caption_, caption); }
    TPanelStyle Style() const { return style_; }
    void SetStyle(TPanelStyle style) { Store(style_, style); }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Store(visible_, visible); }
    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination shortCut) { Store(shortCut_, shortCut); }

    TPanelBackground Background() const { return background_; }
    void SetBackground(TPanelBackground background) { Store(background_, background); }
    // The solid background.
    TColor Color() const { return color_; }
    void SetColor(TColor color) { Store(color_, color); }
    TColor GradientStart() const { return gradientStart_; }
    void SetGradientStart(TColor color) { Store(gradientStart_, color); }
    TColor GradientEnd() const { return gradientEnd_; }
    void SetGradientEnd(TColor color) { Store(gradientEnd_, color); }
    int GradientSteps() const { return gradientSteps_; }
    void SetGradientSteps(int steps) { Store(gradientSteps_, steps); }
    TGradientDirection GradientDirection() const { return gradientDirection_; }
    void SetGradientDirection(TGradientDirection direction) { Store(gradientDirection_, direction); }

    // Rows are ItemHeight tall unless each item's own Height is used.
    bool VariableItemHeight() const { return variableItemHeight_; }
    void SetVariableItemHeight(bool variable) { Store(variableItemHeight_, variable); }
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int height) { Store(itemHeight_, height); }
    // The caption font and its colour.
    const QFont& Font() const { return font_; }
    void SetFont(const QFont& font) { Store(font_, font); }
    TColor FontColor() const { return fontColor_; }
    void SetFontColor(TColor color) { Store(fontColor_, color); }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment alignment) { Store(alignment_, alignment); }
    int Indent() const { return indent_; }
    void SetIndent(int indent) { Store(indent_, indent); }
    // Captions wrap at spaces instead of ending in an ellipsis.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wrap) { Store(wordWrap_, wrap); }

    // The hover box spans the whole row (else it frames the icon).
    bool HoverFullWidth() const { return hoverFullWidth_; }
    void SetHoverFullWidth(bool full) { Store(hoverFullWidth_, full); }
    // The caption under the pointer is underlined.
    bool HoverCaption() const { return hoverCaption_; }
    void SetHoverCaption(bool underline) { Store(hoverCaption_, underline); }
    TColor HoverIconColor() const { return hoverIconColor_; }
    void SetHoverIconColor(TColor color) { Store(hoverIconColor_, color); }
    TColor HoverIconDownColor() const { return hoverIconDownColor_; }
    void SetHoverIconDownColor(TColor color) { Store(hoverIconDownColor_, color); }
    TColor HoverIconBorderColor() const { return hoverIconBorderColor_; }
    void SetHoverIconBorderColor(TColor color) { Store(hoverIconBorderColor_, color); }

    // The selected item, -1 for none.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int index) { Store(itemIndex_, index); }
    TColor SelectColor() const { return selectColor_; }
    void SetSelectColor(TColor color) { Store(selectColor_, color); }
    TColor SelectFontColor() const { return selectFontColor_; }
    void SetSelectFontColor(TColor color) { Store(selectFontColor_, color); }
    TColor SelectBorderColor() const { return selectBorderColor_; }
    void SetSelectBorderColor(TColor color) { Store(selectBorderColor_, color); }

    // The items that take a row, in order.
    QList<TCommandItem*> VisibleItems() const;

    // The first item shown.
    int TopItem() const { return topItem_; }
    void SetTopItem(int index) { Store(topItem_, index < 0 ? 0 : index); }

private:
    TCommandPanels* collection_;
    QString caption_;
    TPanelStyle style_ = psLargeIcon;
    bool visible_ = true;
    QKeyCombination shortCut_ = QKeyCombination(Qt::NoModifier, Qt::Key(0));
    TPanelBackground background_ = pbSolid;
    TColor color_ = clBtnFace;
    TColor gradientStart_ = clWhite;
    TColor gradientEnd_ = clBtnFace;
    int gradientSteps_ = 64;
    TGradientDirection gradientDirection_ = gdVertical;
    bool variableItemHeight_ = false;
    int itemHeight_ = 54;
    QFont font_;
    TColor fontColor_ = clBlack;
    TAlignment alignment_ = taCenter;
    int indent_ = 0;
    bool wordWrap_ = false;
    bool hoverFullWidth_ = false;
    bool hoverCaption_ = false;
    TColor hoverIconColor_ = clWhite;
    TColor hoverIconDownColor_ = clWhite;
    TColor hoverIconBorderColor_ = clBlack;
    int itemIndex_ = -1;
    TColor selectColor_ = clWhite;
    TColor selectFontColor_ = clBlack;
    TColor selectBorderColor_ = clBlack;
    int topItem_ = 0;

public:
    TCommandItems Items;
};
