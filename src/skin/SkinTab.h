#pragma once
#include "SkinControl.h"

#include <QImage>

class QTabBar;

// Tab controls and page controls. The tabs are drawn wholly by the skinner from the Tabs element
// (1 normal, 2 hot, 3 selected, 4 disabled, 5 selected with the focus); tabs on the left, right or
// below use the picture turned that way. A page control's page area gets the element's Border
// picture after the control painted itself.
class TSkinTab : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinTab(QWidget* control, TSkinnerKind kind = TSkinnerKind::Tab);

    // The frame a tab of the bar shows now.
    int TabFrame(const QTabBar* bar, int index) const;

    void Restore() override;

protected:
    void Attached() override;
    bool BeforeMessage(QEvent* event) override;
    bool PartMessage(QWidget* part, QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;
    // Which way the tabs' picture is turned for a bar.
    virtual int TurnsFor(const QTabBar* bar) const;

private:
    QTabBar* Bar() const;
    bool HasTabsPicture() const;
    void PaintBar(QTabBar* bar);
    void PaintPages(QPainter& painter);
    // Repaints the bar when the pointer moves onto another tab or off the bar.
    void FollowPointer(QTabBar* bar, QEvent* event);

    int pointedTab_ = -1;
    // The bar was given hover events for the skinner's sake.
    bool madeHoverable_ = false;
};

// Tab sets: tabs below the pages, drawn with the tab picture upside down.
class TSkinTab31 : public TSkinTab {
    Q_OBJECT

public:
    explicit TSkinTab31(QWidget* control) : TSkinTab(control, TSkinnerKind::Tab31) {}

protected:
    int TurnsFor(const QTabBar* bar) const override;
};
