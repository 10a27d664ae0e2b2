#pragma once
#include "SkinControl.h"

// Status bars: drawn wholly by the skinner on ButtonFace. The bar's message is one panel across
// the bar, or the first of the panels its widgets sit on (the last reaching the right edge),
// each with the StatusBarEdges bevel; the text in the element's NormalColour2. The size grip is
// off while the skin draws the bar, and comes back with the bar's own look.
class TSkinStatusBar : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinStatusBar(QWidget* control) : TSkinControl(control, TSkinnerKind::StatusBar) {}

    void Restore() override;

    // The panel rectangles: the message first, then one per widget on the bar.
    QList<QRect> PanelRects() const;

protected:
    void Attached() override;
    bool BeforeMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    void PaintPanel(QPainter& painter, const QRect& panel) const;

    bool hadSizeGrip_ = false;
};
