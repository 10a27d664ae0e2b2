#pragma once
#include "SkinControl.h"

#include <QHash>
#include <QPointer>
#include <QStyle>

class QScrollBar;

// What a skinned scroll bar shows: the part under the mouse and the part held down.
struct TScrollBarParts {
    QStyle::SubControl hot = QStyle::SC_None;
    QStyle::SubControl pressed = QStyle::SC_None;
};

// Scroll bars drawn from the skin: the arrows from the Scrollbar element (frames 1-4 up, 5-8
// down, 9-12 left, 13-16 right, each normal, hot, pressed, disabled; 17 the corner grip), the
// track from HorzScroll or VertScroll (normal, hot, pressed, disabled; else the Scrollbar colour)
// and the thumb from HorzScrollThumb or VertScrollThumb (normal, hot, pressed). The scroll bar
// keeps its own mouse handling; the skinner follows which part is hot and pressed.
class TScrollBarSkin {
public:
    // True when the skin has what a scroll bar is drawn with.
    static bool CanPaint(const TSkinElements& elements);
    // Follows an event of the bar; true when it changed what the bar shows.
    static bool Follow(QScrollBar* bar, QEvent* event, TScrollBarParts& parts);
    static void Paint(QPainter& painter, QScrollBar* bar, const TSkinElements& elements, const TScrollBarParts& parts);
    // The Scrollbar frame of an arrow part in a state.
    static int ArrowFrame(const QScrollBar* bar, QStyle::SubControl arrow, const TScrollBarParts& parts);
};

// Stand-alone scroll bar controls.
class TSkinScControl : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinScControl(QWidget* control) : TSkinControl(control, TSkinnerKind::ScControl) {}

    const TScrollBarParts& Parts() const { return parts_; }

protected:
    bool BeforeMessage(QEvent* event) override;

private:
    TScrollBarParts parts_;
};

// Scrolling windows (memos, lists, grids, trees, scroll boxes): their scroll bars drawn from the
// skin and, with a border, a skinned frame around the window; the headers of grids and trees
// get their own skinner.
class TSkinScrollbar : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinScrollbar(QWidget* control, TSkinnerKind kind = TSkinnerKind::Scrollbar);

protected:
    void Attached() override;
    bool PartMessage(QWidget* part, QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    QHash<QScrollBar*, TScrollBarParts> parts_;
};

// List views: as scrolling windows, without the border.
class TSkinListView : public TSkinScrollbar {
    Q_OBJECT

public:
    explicit TSkinListView(QWidget* control) : TSkinScrollbar(control, TSkinnerKind::ListView) {}
};
