#include "CommandBar.h"

#include "CommandBarAccessible.h"
#include "framework/Timer.h"

#include <QDesktopServices>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QUrl>

namespace {

// The character after a single "&" in a caption, upper-cased; null when there is none.
QChar MnemonicOf(const QString& caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] != u'&')
            return caption[i + 1].toUpper();
        ++i;
    }
    return {};
}

} // namespace

TCommandBar::TCommandBar(QWidget* parent)
    : TCustomPanel(parent), Panels(this), PanelCaption(this), HelpPanel(this), scrollTimer_(new TTimer(this))
{
    setMouseTracking(true);
    // Every paint covers the whole bar, and Qt's backing store is the off-screen buffer.
    setAttribute(Qt::WA_OpaquePaintEvent);
    SetTabStop(true);
    scrollTimer_->SetInterval(kScrollRepeatMs);
    scrollTimer_->OnTimer = [this](QObject*) { ScrollTick(); };
}

TCommandBar::~TCommandBar() = default;

void TCommandBar::SetTopPanel(int index)
{
    if (topPanel_ == index)
        return;
    topPanel_ = index;
    Changed();
}

void TCommandBar::SetShowFocus(bool show)
{
    if (showFocus_ == show)
        return;
    showFocus_ = show;
    Changed();
}

void TCommandBar::Changed()
{
    if (hovered_ && !Owns(hovered_))
        hovered_ = nullptr;
    if (focused_ && !Owns(focused_))
        focused_ = nullptr;
    update();
}

void TCommandBar::Loaded()
{
    defaultCursor_ = cursor().shape();
    update();
}

bool TCommandBar::Owns(const TCommandItem* item) const
{
    for (int p = 0; p < Panels.Count(); ++p)
        if (Panels[p]->Items.IndexOf(item) >= 0)
            return true;
    return false;
}

// ---- Layout ----

TCommandPanel* TCommandBar::ActivePanel() const
{
    const int count = Panels.Count();
    if (topPanel_ >= 0 && topPanel_ < count && Panels[topPanel_]->Visible())
        return Panels[topPanel_];
    for (int i = std::max(topPanel_ + 1, 0); i < count; ++i)
        if (Panels[i]->Visible())
            return Panels[i];
    for (int i = std::min(topPanel_, count) - 1; i >= 0; --i)
        if (Panels[i]->Visible())
            return Panels[i];
    return nullptr;
}

int TCommandBar::BarHeight() const
{
    return height() - (HelpPanel.Visible() ? HelpPanel.Height() : 0);
}

int TCommandBar::ItemsTop() const
{
    const TCommandPanel* active = ActivePanel();
    int shown = 0;
    for (int i = 0; active && i <= active->Index(); ++i)
        shown += Panels[i]->Visible();
    return PanelCaption.Height() * shown;
}

int TCommandBar::ItemsBottom() const
{
    const TCommandPanel* active = ActivePanel();
    int after = 0;
    for (int i = active ? active->Index() + 1 : Panels.Count(); i < Panels.Count(); ++i)
        after += Panels[i]->Visible();
    return BarHeight() - PanelCaption.Height() * after;
}

int TCommandBar::SideWidth() const
{
    return PanelCaption.SideDisplay() ? PanelCaption.SideWidth() : 0;
}

int TCommandBar::RowHeight(const TCommandPanel* panel, const TCommandItem* item) const
{
    return panel->VariableItemHeight() ? item->Height() : panel->ItemHeight();
}

QList<TCommandBar::CaptionStrip> TCommandBar::CaptionStrips() const
{
    QList<CaptionStrip> strips;
    const int h = PanelCaption.Height();
    const TCommandPanel* active = ActivePanel();
    if (h == 0 || !active)
        return strips;
    int top = 0;
    for (int i = 0; i <= active->Index(); ++i)
        if (Panels[i]->Visible()) {
            strips.append({Panels[i], {0, top, width(), top + h}});
            top += h;
        }
    int bottom = BarHeight();
    for (int i = Panels.Count() - 1; i > active->Index(); --i)
        if (Panels[i]->Visible()) {
            strips.append({Panels[i], {0, bottom - h, width(), bottom}});
            bottom -= h;
        }
    return strips;
}

TRect TCommandBar::CaptionRect(const TCommandPanel* panel) const
{
    for (const CaptionStrip& strip : CaptionStrips())
        if (strip.panel == panel)
            return strip.rect;
    return {};
}

template <class Match> TCommandItem* TCommandBar::FindRow(const TCommandPanel* panel, Match match) const
{
    int y = ItemsTop();
    for (int i = panel->TopItem(); i < panel->Items.Count(); ++i) {
        TCommandItem* item = panel->Items[i];
        if (!item->Visible())
            continue;
        const int h = RowHeight(panel, item);
        if (match(item, y, h))
            return item;
        y += h;
    }
    return nullptr;
}

TRect TCommandBar::ItemRect(const TCommandPanel* panel, const TCommandItem* item) const
{
    TRect row;
    if (panel != ActivePanel())
        return row;
    const int bottom = ItemsBottom();
    FindRow(panel, [&](const TCommandItem* candidate, int y, int h) {
        if (y >= bottom)
            return true;
        if (candidate == item)
            row = {SideWidth(), y, width(), y + h};
        return candidate == item;
    });
    return row;
}

TCommandItem* TCommandBar::ItemAtPress(QPoint pos) const
{
    const TCommandPanel* panel = ActivePanel();
    if (!panel || pos.y() <= ItemsTop() || pos.y() >= ItemsBottom())
        return nullptr;
    // At a shared edge the upper item wins.
    return FindRow(panel, [&](const TCommandItem*, int y, int h) { return pos.y() >= y && pos.y() <= y + h; });
}

TCommandItem* TCommandBar::ItemAtPointer(QPoint pos) const
{
    const TCommandPanel* panel = ActivePanel();
    const int right = width() - (upShown_ || downShown_ ? kScrollZone : 0);
    if (!panel || pos.y() <= ItemsTop() || pos.y() >= ItemsBottom() || pos.x() <= 0 || pos.x() >= right)
        return nullptr;
    return FindRow(panel, [&](const TCommandItem*, int y, int h) { return y + h > pos.y(); });
}

TRect TCommandBar::HoverRect(const TCommandPanel* panel, const TRect& row, const QImage& icon) const
{
    if (panel->HoverFullWidth() || icon.isNull())
        return {SideWidth(), row.Top, width(), row.Bottom};
    // Else a frame two pixels around the icon.
    const int x = row.Left + panel->Indent() + (row.Width() - icon.width()) / 2;
    return {x - 2, row.Top, x + icon.width() + 2, row.Top + icon.height() + 4};
}

// ---- Pointer ----

void TCommandBar::mouseMoveEvent(QMouseEvent* event)
{
    // A release that went elsewhere (to a box the click handler showed) still ends the press.
    if (!(event->buttons() & Qt::LeftButton))
        leftDown_ = false;
    setCursor(defaultCursor_);
    TCommandItem* item = ItemAtPointer(event->position().toPoint());
    if (item && item->Panel()->HoverIconColor() != clNone) {
        update();
    } else if (!item && hovered_) {
        TRect row = ItemRect(hovered_->Panel(), hovered_);
        row.Inflate(4, 4);
        update(row.ToQRect());
    }
    hovered_ = item;
}

void TCommandBar::enterEvent(QEnterEvent* event)
{
    hovered_ = nullptr;
    QWidget::enterEvent(event);
}

void TCommandBar::leaveEvent(QEvent* event)
{
    // The hover box spans the row, so the whole bar is repainted to take it away.
    update();
    setCursor(defaultCursor_);
    QWidget::leaveEvent(event);
}

void TCommandBar::mousePressEvent(QMouseEvent* event)
{
    const QPoint pos = event->position().toPoint();
    focusCues_ = false;
    if (TabStop())
        setFocus(Qt::MouseFocusReason);
    leftDown_ = event->button() == Qt::LeftButton;

    for (const CaptionStrip& strip : CaptionStrips())
        if (strip.rect.Contains(pos.x(), pos.y()) && strip.panel != ActivePanel()) {
            SetTopPanel(strip.panel->Index());
            return;
        }
    if (PressScrollZone(pos)) {
        update();
        return;
    }

    QPointer<TCommandBar> alive(this);
    TCommandPanel* panel = ActivePanel();
    if (TCommandItem* item = ItemAtPress(pos)) {
        // The keyboard goes on from the pressed item; the rows stay where they are.
        if (focused_ != item) {
            focused_ = item;
            if (hasFocus())
                AnnounceFocusedItem();
        }
        if (event->button() == Qt::LeftButton)
            PressItem(panel, item);
        else if (event->button() == Qt::RightButton && OnItemRightClick)
            CallHandler([&] { OnItemRightClick(this, panel, item); });
    }
    if (alive)
        update();
}

void TCommandBar::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    // The second press of a double click is not a press: the command already ran on the first.
    TCommandItem* item = ItemAtPress(event->position().toPoint());
    if (item && OnItemDblClick)
        CallHandler([&] { OnItemDblClick(this, item->Panel(), item); });
}

void TCommandBar::mouseReleaseEvent(QMouseEvent* event)
{
    leftDown_ = false;
    upPressed_ = downPressed_ = false;
    update();
    QWidget::mouseReleaseEvent(event);
}

void TCommandBar::PressItem(TCommandPanel* panel, TCommandItem* item)
{
    if (!item->Help().isEmpty() && HelpPanel.Visible())
        helpText_ = item->Help();
    QPointer<TCommandBar> alive(this);
    if (OnItemClick)
        CallHandler([&] { OnItemClick(this, panel, item); });
    // The handler may have removed the item or the whole bar.
    if (!alive || !Owns(item))
        return;
    update(ItemRect(panel, item).ToQRect());
    if (!item->URL().isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(item->URL()));
}

// ---- Scrolling ----

bool TCommandBar::PressScrollZone(QPoint pos)
{
    const int w = width();
    if (pos.x() < w - kScrollZone || pos.x() > w)
        return false;
    TCommandPanel* panel = ActivePanel();
    const int top = ItemsTop(), bottom = ItemsBottom();
    if (downShown_ && pos.y() >= bottom - kScrollZone && pos.y() <= bottom) {
        pressedZone_ = QRect(QPoint(w - kScrollZone, bottom - kScrollZone), QPoint(w, bottom));
        downPressed_ = true;
        StepTopItem(panel, +1);
        return true;
    }
    if (upShown_ && pos.y() >= top && pos.y() <= top + kScrollZone) {
        pressedZone_ = QRect(QPoint(w - kScrollZone, top), QPoint(w, top + kScrollZone));
        upPressed_ = true;
        StepTopItem(panel, -1);
        return true;
    }
    return false;
}

void TCommandBar::StepTopItem(TCommandPanel* panel, int direction)
{
    int i = panel->TopItem() + direction;
    while (i >= 0 && i < panel->Items.Count() && !panel->Items[i]->Visible())
        i += direction;
    if (i >= panel->Items.Count())
        return;
    panel->SetTopItem(std::max(i, 0));
}

void TCommandBar::ScrollTick()
{
    TCommandPanel* panel = ActivePanel();
    if (!panel || !pressedZone_.contains(PointerPos()))
        return;
    if (downPressed_ && downShown_)
        StepTopItem(panel, +1);
    else if (upPressed_ && upShown_)
        StepTopItem(panel, -1);
    else
        return;
    // The flags follow at once, so that a tick before the next paint sees where the rows are.
    UpdateScrollFlags(panel);
}

// ---- Keyboard ----

void TCommandBar::keyPressEvent(QKeyEvent* event)
{
    if (HandleShortCut(event->keyCombination()) || HandleMnemonic(event) || HandleNavigation(event))
        return;
    QWidget::keyPressEvent(event);
}

bool TCommandBar::HandleShortCut(QKeyCombination key)
{
    if (key.key() == Qt::Key(0))
        return false;
    if (TCommandPanel* panel = ActivePanel())
        for (int i = 0; i < panel->Items.Count(); ++i) {
            TCommandItem* item = panel->Items[i];
            if (item->Visible() && item->ShortCut() == key) {
                PressItem(panel, item);
                return true;
            }
        }
    for (int p = 0; p < Panels.Count(); ++p)
        if (Panels[p]->Visible() && Panels[p]->ShortCut() == key) {
            SetTopPanel(p);
            return true;
        }
    return false;
}

bool TCommandBar::HandleMnemonic(QKeyEvent* event)
{
    const QChar letter = event->key() <= 0xFFFF ? QChar(event->key()) : QChar();
    if (!(event->modifiers() & Qt::AltModifier) || !letter.isLetterOrNumber())
        return false;
    for (int p = 0; p < Panels.Count(); ++p)
        if (Panels[p]->Visible() && MnemonicOf(Panels[p]->Caption()) == letter) {
            SetTopPanel(p);
            return true;
        }
    if (TCommandPanel* panel = ActivePanel())
        for (int i = 0; i < panel->Items.Count(); ++i) {
            TCommandItem* item = panel->Items[i];
            if (item->Visible() && MnemonicOf(item->Caption()) == letter) {
                PressItem(panel, item);
                return true;
            }
        }
    return false;
}

bool TCommandBar::HandleNavigation(QKeyEvent* event)
{
    TCommandPanel* panel = ActivePanel();
    if (!panel || (event->modifiers() & ~Qt::KeypadModifier))
        return false;
    TCommandItem* current = FocusedItem();
    const int all = panel->Items.Count();
    int steps = 0;
    switch (event->key()) {
    case Qt::Key_Up: steps = -1; break;
    case Qt::Key_Down: steps = +1; break;
    case Qt::Key_Home: steps = -all; break;
    case Qt::Key_End: steps = +all; break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        if (!current)
            return false;
        focusCues_ = true;
        // Holding the key down runs the command once.
        if (!event->isAutoRepeat()) {
            QPointer<TCommandBar> alive(this);
            PressItem(panel, current);
            if (alive)
                update();
        }
        return true;
    default:
        return false;
    }
    if (TCommandItem* target = VisibleItemFrom(current, steps))
        SetFocusedItem(target);
    return true;
}

TCommandItem* TCommandBar::VisibleItemFrom(TCommandItem* start, int steps) const
{
    const TCommandPanel* panel = ActivePanel();
    if (!panel)
        return nullptr;
    const QList<TCommandItem*> visible = panel->VisibleItems();
    if (visible.isEmpty())
        return nullptr;
    const qsizetype at = visible.indexOf(start);
    if (at < 0)
        return visible.first();
    return visible[std::clamp<qsizetype>(at + steps, 0, visible.size() - 1)];
}

TCommandItem* TCommandBar::FocusedItem() const
{
    const bool usable = focused_ && Owns(focused_) && focused_->Visible() && focused_->Panel() == ActivePanel();
    return usable ? focused_ : nullptr;
}

void TCommandBar::SetFocusedItem(TCommandItem* item)
{
    if (!item || !Owns(item) || !item->Visible() || item->Panel() != ActivePanel())
        return;
    ScrollIntoView(item->Panel(), item);
    focusCues_ = true;
    update();
    if (focused_ == item)
        return;
    focused_ = item;
    if (hasFocus())
        AnnounceFocusedItem();
}

void TCommandBar::ScrollIntoView(TCommandPanel* panel, const TCommandItem* item)
{
    if (item->Index() < panel->TopItem()) {
        panel->SetTopItem(item->Index());
        return;
    }
    // Down one row at a time until the item's row lies wholly above the bottom.
    while (panel->TopItem() < item->Index()) {
        const TRect row = ItemRect(panel, item);
        if (!row.IsEmpty() && row.Bottom <= ItemsBottom())
            return;
        const int before = panel->TopItem();
        StepTopItem(panel, +1);
        if (panel->TopItem() == before)
            return;
    }
}

void TCommandBar::AnnounceFocusedItem()
{
    if (TCommandItem* item = FocusedItem())
        AnnounceCommandItemFocus(this, item);
}

void TCommandBar::focusInEvent(QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason)
        focusCues_ = true;
    // The focus starts on the first row shown.
    if (const TCommandPanel* panel = ActivePanel(); panel && !FocusedItem())
        focused_ = FindRow(panel, [](const TCommandItem*, int, int) { return true; });
    update();
    QWidget::focusInEvent(event);
    // The bar's own focus event follows this handler; the item is named after it, or a screen
    // reader would end on the bar.
    QMetaObject::invokeMethod(
        this, [this] { if (hasFocus()) AnnounceFocusedItem(); }, Qt::QueuedConnection);
}

void TCommandBar::focusOutEvent(QFocusEvent* event)
{
    update();
    QWidget::focusOutEvent(event);
}
