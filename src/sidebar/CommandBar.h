#pragma once
#include "CommandCaption.h"
#include "CommandItem.h"
#include "CommandPanel.h"
#include "framework/Canvas.h"
#include "framework/Controls.h"

#include <functional>

class TTimer;

// The command bar: panels of command items, one panel active at a time and filling the bar.
// It follows the pointer with a hover box, runs an item's click event when the left button goes
// down on it, and scrolls with two arrow buttons when the rows do not fit. The layouts store it as
// a panel, so it is one here too: the skin treats it as any other panel.
class TCommandBar : public TCustomPanel {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name)

public:
    using TItemEvent = std::function<void(QObject* Sender, TCommandPanel* APanel, TCommandItem* AItem)>;

    explicit TCommandBar(QWidget* parent = nullptr);
    ~TCommandBar() override;

    QString Name() const { return objectName(); }

    TCommandPanels Panels;
    TCommandCaption PanelCaption;
    THelpPanel HelpPanel;

    // Raised once for each press of the left button on an item (not on release).
    TItemEvent OnItemClick;
    // The second press of a double click raises only this.
    TItemEvent OnItemDblClick;
    TItemEvent OnItemRightClick;

    int TopPanel() const { return topPanel_; }
    void SetTopPanel(int index);
    bool ShowFocus() const { return showFocus_; }
    void SetShowFocus(bool show);
    // Whether the bar takes the focus by click and by the Tab key.
    bool TabStop() const { return focusPolicy() != Qt::NoFocus; }
    void SetTabStop(bool tabStop) { setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::NoFocus); }
    // The pointer over the bar; remembered as the default cursor once the layout is read.
    Qt::CursorShape Cursor() const { return cursor().shape(); }
    void SetCursor(Qt::CursorShape shape) { setCursor(shape); }
    // Repaints after a change of a panel, an item or a setting.
    void Changed();
    // Once the layout is read: the cursor becomes the default cursor and the bar paints.
    void Loaded() override;

    // Layout, in client coordinates.
    TCommandPanel* ActivePanel() const;
    int ItemsTop() const;
    int ItemsBottom() const;
    int SideWidth() const;
    int RowHeight(const TCommandPanel* panel, const TCommandItem* item) const;
    // The row of a shown item of the active panel as the bar places it (full width), empty
    // when the item is not on a row.
    virtual TRect ItemRect(const TCommandPanel* panel, const TCommandItem* item) const;
    // The caption strip of a visible panel, empty when captions take no room.
    TRect CaptionRect(const TCommandPanel* panel) const;
    // The item a press at `pos` hits (at a shared edge the upper one), or nullptr.
    TCommandItem* ItemAtPress(QPoint pos) const;
    // The item the pointer at `pos` is over, or nullptr.
    TCommandItem* ItemAtPointer(QPoint pos) const;

    TCommandItem* HoveredItem() const { return hovered_; }
    // The item the keyboard works on: Up, Down, Home and End move it over the active panel's
    // visible items, Enter and Space press it. Set when the bar takes the focus and by a press.
    TCommandItem* FocusedItem() const;
    void SetFocusedItem(TCommandItem* item);
    // Whether the focused item shows its focus mark: from a Tab into the bar, a key that moves
    // the focus or a SetFocusedItem, until the next mouse press, as keyboard cues go.
    bool FocusCuesShown() const { return focusCues_; }
    // Presses an item as the left button would: its click event runs once.
    void PressItem(TCommandPanel* panel, TCommandItem* item);
    bool LeftButtonDown() const { return leftDown_; }
    bool UpButtonShown() const { return upShown_; }
    bool DownButtonShown() const { return downShown_; }
    QString HelpText() const { return helpText_; }
    static constexpr int kScrollColumn = 19;
    static constexpr int kScrollGlyph = 18;
    static constexpr int kScrollZone = 20;
    static constexpr int kScrollRepeatMs = 150;

protected:
    virtual void DrawPanelCaption(TCanvas& canvas, TCommandPanel* panel, const TRect& r);
    virtual void DrawItem(TCanvas& canvas, TCommandPanel* panel, TCommandItem* item, const TRect& r);

    void ColorChanged() override { Changed(); }

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    struct RowFit {
        int fit = 0;       // visible rows from TopItem that lie wholly above the bottom
        int invisible = 0; // invisible items met on the way
    };
    struct CaptionStrip {
        TCommandPanel* panel;
        TRect rect;
    };

    // Painting (CommandBarPaint.cpp).
    // Paints once; true when a scroll button came or went, so the rows need painting again.
    bool PaintBar(TCanvas& canvas);
    void DrawScrollButtons(TCanvas& canvas);
    void DrawHelpArea(TCanvas& canvas);
    bool UpdateScrollFlags(const TCommandPanel* panel);
    RowFit FitRows(const TCommandPanel* panel) const;
    QPoint PointerPos() const;

    // Layout and interaction.
    // The first visible item from the panel's TopItem for which match(item, rowTop, rowHeight)
    // holds, rows stacked from the items top.
    template <class Match> TCommandItem* FindRow(const TCommandPanel* panel, Match match) const;
    int BarHeight() const;
    QList<CaptionStrip> CaptionStrips() const;
    TRect HoverRect(const TCommandPanel* panel, const TRect& row, const QImage& icon) const;
    bool PressScrollZone(QPoint pos);
    void StepTopItem(TCommandPanel* panel, int direction);
    void ScrollTick();
    bool HandleShortCut(QKeyCombination key);
    bool HandleMnemonic(QKeyEvent* event);
    bool HandleNavigation(QKeyEvent* event);
    // The visible item of the active panel `steps` visible items away from the focused one,
    // stopping at the first and the last.
    TCommandItem* VisibleItemFrom(TCommandItem* start, int steps) const;
    void ScrollIntoView(TCommandPanel* panel, const TCommandItem* item);
    // Tells accessibility clients which item has the focus.
    void AnnounceFocusedItem();
    bool Owns(const TCommandItem* item) const;

    int topPanel_ = 0;
    bool showFocus_ = true;
    Qt::CursorShape defaultCursor_ = Qt::ArrowCursor;
    TTimer* scrollTimer_;

    TCommandItem* hovered_ = nullptr;
    TCommandItem* focused_ = nullptr;
    bool focusCues_ = false;
    bool leftDown_ = false;
    bool upShown_ = false;
    bool downShown_ = false;
    bool upPressed_ = false;
    bool downPressed_ = false;
    QRect pressedZone_; // inclusive edges
    QString helpText_;
};
