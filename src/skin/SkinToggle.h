#pragma once
#include "SkinControl.h"

#include <QImage>

// Check boxes: after the box has painted itself, its indicator column is covered with ButtonFace
// and the frame of the Buttons element's check image for its state drawn there. An image of fewer
// than 12 frames shows 1 unchecked, 2 checked, two more when disabled, 4 indeterminate; one of 12
// frames has a row of four per state (unchecked 1, checked 5, indeterminate 9: normal, hot,
// pressed, disabled).
class TSkinCheckBox : public TSkinControl {
    Q_OBJECT

public:
    explicit TSkinCheckBox(QWidget* control, TSkinnerKind kind = TSkinnerKind::CheckBox);

    // The frame of the toggle image the box shows now.
    int BoxFrame() const;
    // Where that frame goes, and the column filled with ButtonFace before it.
    QRect BoxRect() const;
    QRect ColumnRect() const;

protected:
    void Paint(QPainter& painter, const QRect& rect) override;
    virtual const QImage& ToggleImage() const;
    virtual int ToggleFrames() const;
    // The system's width of a check mark.
    virtual int CheckMarkWidth() const;
};

// Radio buttons: as check boxes, with the radio image.
class TSkinRadioButton : public TSkinCheckBox {
    Q_OBJECT

public:
    explicit TSkinRadioButton(QWidget* control) : TSkinCheckBox(control, TSkinnerKind::RadioButton) {}

protected:
    const QImage& ToggleImage() const override;
    int ToggleFrames() const override;
    int CheckMarkWidth() const override;
};
