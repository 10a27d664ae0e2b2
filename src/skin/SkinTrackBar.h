#pragma once
#include "SkinControl.h"

class QSlider;
class TDataSkinObject;

// Track bars, drawn wholly by the skinner when the track bar has a thumb element: a sunken
// channel and the tick marks in ButtonShadow, then the thumb (1 normal, 2 hot, 3 pressed,
// 4 disabled, 5 focused) where the track bar has its handle. A thumb pointing at the ticks is
// used when the skin has one.
class TSkinTrackBar : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinTrackBar(QWidget* control) : TSkinControl(control, TSkinnerKind::TrackBar) {}

    int ThumbFrame() const;
    // The thumb element the track bar uses, or nullptr.
    const TDataSkinObject* Thumb() const;

protected:
    bool BeforeMessage(QEvent* event) override;
    void Paint(QPainter& painter, const QRect& rect) override;

private:
    QSlider* Slider() const;
};
