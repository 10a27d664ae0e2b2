#pragma once
#include "framework/Color.h"

#include <QImage>
#include <QString>

// A skin element: an image of FrameCount equal frames with fixed margins, how to draw it, and
// its per-state colours. Images are empty when the description names none.
class TDataSkinObject {
public:
    explicit TDataSkinObject(QString name = QString()) : Name(std::move(name)) {}
    virtual ~TDataSkinObject() = default;

    int LeftWidth = 0;
    int TopHeight = 0;
    int RightWidth = 0;
    int BottomHeight = 0;
    QImage Image;
    int Trans = 0;
    int Tile = 0;
    QString Name;
    int FrameCount = 0;
    int Style = 0;
    int NormalColour = -1;
    int MouseOverColour = -1;
    int PressedColour = -1;
    TColor NormalColour2 = clBtnText;
    TColor MouseOverColour2 = clBtnText;
    TColor PressedColour2 = clBtnText;
};

// An element with a second image (tab border, progress chunk, up-down glyphs, mirrored combo button).
class TDataSkinBorder : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage Image2;
};

// A border of the window frame. Its description value "Stretch" is 1 for a stretched centre, the
// opposite of Tile: it is kept here as it was written, and Tile is set to what it means, so a
// reader of either field draws the centre the same way.
class TDataSkinFrameBorder : public TDataSkinBorder {
public:
    using TDataSkinBorder::TDataSkinBorder;
    int Stretch = 1;
};

// The caption. Its text shift, vertical shift and right clip live in LeftWidth, TopHeight and
// RightWidth.
class TDataSkinTitle : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int TextShift() const { return LeftWidth; }
    int TextShiftVert() const { return TopHeight; }
    int TextRightClip() const { return RightWidth; }

    int TextAlignment = 0;
    int Textbackground = 0;
    int FontHeight = 14;
    int TXTBackleft = 0;
    int TXTBackRight = 0;
    TColor ActiveText = clNone;
    TColor InActiveText = clNone;
};

// Push buttons, with the check-box and radio-button images.
class TDataSkinButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    QImage CheckButton;
    QImage RadioButton;
    int RadioButtonFrame = 0;
    int CheckButtonFrame = 0;
    bool NormalColour2Given = false;
    bool MouseOverColour2Given = false;
    bool PressedColour2Given = false;
};

// A caption button.
class TDataSkinSysButton : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int Action = 0;
    int Align = 0;
    int Xcoord = 0;
    int Ycoord = 0;
    int CombineOp = -1;
    int Visibility = 0;
    int Visibility1 = 0;
};

// The group-box label background.
class TDataSkinBoxLabel : public TDataSkinObject {
public:
    using TDataSkinObject::TDataSkinObject;
    int BackgroundLeftShift = 0;
    int BackgroundRightShift = 0;
    int BackgroundAlignment = 0;
};
