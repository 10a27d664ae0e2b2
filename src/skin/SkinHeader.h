#pragma once
#include "SkinControl.h"

class QHeaderView;

// Header controls (the column and row headers of grids, trees and lists): every section drawn
// from the Headerbar element (1 normal, 2 hot, 3 pressed, 4 disabled, 5 sorted by) with its
// caption, the room after the last section as an empty section.
class TSkinHeader : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinHeader(QWidget* control) : TSkinControl(control, TSkinnerKind::Header) {}

    int SectionFrame(int logicalIndex) const;

protected:
    void Attached() override;
    bool PartMessage(QWidget* part, QEvent* event) override;

private:
    QHeaderView* Header() const;
    void PaintSections(QWidget* viewport);
    int SectionAt(const QPoint& at) const;

    int hot_ = -1;
    int pressed_ = -1;
};
