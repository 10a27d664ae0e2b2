#pragma once
#include "SkinControl.h"

// Edits: after the edit has painted itself, an edit with a border gets a one-pixel ButtonShadow
// frame with a white one inside it. The up-down buttons of a spin box get their own skinner.
class TSkinEdit : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinEdit(QWidget* control) : TSkinControl(control, TSkinnerKind::Edit) {}

    // True when the edit draws a border (its client is smaller than its window).
    bool HasBorder() const;

protected:
    void Attached() override;
    void Paint(QPainter& painter, const QRect& rect) override;
};
