#pragma once
#include "SkinControl.h"

// Edits: after the edit has painted itself, an edit with a border gets a one-pixel ButtonShadow
// frame with a white one inside it. The up-down buttons of a spin box get their own skinner.
class TSkinEdit : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinEdit(QWidget* control) : TSkinControl(control, TSkinnerKind::Edit) {}

    void Init(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options) override;
    void InitWindow(TWinSkinForm* windowSkinner, TSkinData* skinData, const TSkinnerOptions& options) override;
    // True when the edit draws a border (its client is smaller than its window).
    bool HasBorder() const;

protected:
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    void SkinUpDown(TWinSkinForm* windowSkinner, TSkinData* skinData);
};
