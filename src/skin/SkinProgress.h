#pragma once
#include "SkinControl.h"

// Progress bars, drawn wholly by the skinner when the Progress element has a picture: ButtonFace,
// frame 1 across the bar, frame 2 across the part done (position × length ÷ upper limit pixels).
// With Style 1 the whole picture is the bar's ground and the Chunk picture is repeated across the
// part done. The bar's text, when it shows one, is centred on it.
class TSkinProgress : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinProgress(QWidget* control) : TSkinControl(control, TSkinnerKind::Progress) {}

    // The part of the bar that is done.
    QRect DoneRect() const;

protected:
    bool BeforeMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;
};
