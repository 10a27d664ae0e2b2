#include "SkinArt.h"

// The description of our skin. Frames: caption parts active then inactive; caption buttons
// normal, pressed, hot, inactive; push buttons normal, pressed, disabled, hot, default.
QByteArray SkinDescription()
{
    static const char* const kText = R"([TitlebarSkin]
SkinName=Vellomar Harbour

[Personality]
; frame borders: fixed parts, two frames (active, inactive), transparent corners
Top=top.bmp
TopTopHeight=24
TopBotHeight=24
TopFrame=2
TopStretch=1
TopTrans=0
Left=left.bmp
LeftTopHeight=23
LeftBotHeight=4
LeftFrame=2
LeftStretch=1
LeftTrans=1
Right=right.bmp
RightTopHeight=23
RightBotHeight=4
RightFrame=2
RightStretch=1
RightTrans=1
Bottom=bottom.bmp
BottomTopHeight=4
BottomBotHeight=4
BottomFrame=2
BottomStretch=1
BottomTrans=0
; caption text
TextBack=textback.bmp
TextAlignment=0
TextShift=28
TextShiftVert=0
TextRightClip=70
Textbackground=1
TXTBackleft=8
TXTBackRight=8
ActiveTextR=255
ActiveTextG=255
ActiveTextB=255
InActiveTextR=232
InActiveTextG=236
InActiveTextB=242
; menu bar
menuBar=menubar.bmp
TileMenu=1
TileLeftMenu=4
TileRightMenu=4

[Fonts]
FontHeight=14

[Colours]
WindowText=28 40 64
ButtonFace=232 238 246
Scrollbar=238 242 248
HilightText=255 255 255
Hilight=46 96 172
Menubar=232 238 246
Menu=248 250 253
MenuText=28 40 64
ButtonText=28 40 64
ButtonHilight=255 255 255
Buttonlight=244 247 251
ButtonShadow=120 138 168
ButtonDkShadow=16 36 78
MenuBarText=28 40 64
TitleTextActive=255 255 255
TitleTextNoActive=232 236 242

[Colour0]
color=46 96 172

[Colour1]
color=24 160 170

[Button0]
; close
ButtonImage=close.bmp
Action=0
Align=1
Xcoord=24
Ycoord=3
Visibility=0
frame=4

[Button1]
; maximise, on a window that is not maximised
ButtonImage=maximize.bmp
Action=1
Align=1
Xcoord=43
Ycoord=3
Visibility=6
Visibility1=2
frame=4

[Button2]
; minimise
ButtonImage=minimize.bmp
Action=2
Align=1
Xcoord=62
Ycoord=3
Visibility=8
Visibility1=8
frame=4

[Button5]
; window icon, opens the system menu
Action=3
Align=0
Xcoord=6
Ycoord=3
Visibility=0

[Button6]
; restore, in its place on a maximised window
ButtonImage=restore.bmp
Action=1
Align=1
Xcoord=43
Ycoord=3
Visibility=6
Visibility1=1
frame=4

[Buttons]
Bitmap=button.bmp
CheckButton=check.bmp
RadioButton=radio.bmp
CheckButtonFrame=12
RadioButtonFrame=12
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=4
Trans=1
Tile=0
NormalColour2=28 40 64
MouseOverColour2=16 36 78
PressedColour2=16 36 78

[GroupBoxEdge]
Image=groupedge.bmp
LeftWidth=6
RightWidth=6
TopHeight=6
BottomHeight=6
Trans=1
Tile=0

[GroupBox]
Image=grouplabel.bmp
LeftWidth=8
RightWidth=8
TopHeight=0
BottomHeight=0
Trans=1
BackgroundAlignment=0
BackgroundLeftShift=4
BackgroundRightShift=4

[ComboButton]
Image=combo.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=0
Style=0

[SunkEdge]
Image=sunkedge.bmp
LeftWidth=2
RightWidth=2
TopHeight=2
BottomHeight=2
Trans=1

[Progress]
Bitmap=progress.bmp
Chunk=chunk.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1
Style=0

[Scrollbar]
Image=scrollbar.bmp
Trans=1

[HorzScroll]
Image=hscroll.bmp
LeftWidth=2
RightWidth=2
Tile=0

[VertScroll]
Image=vscroll.bmp
TopHeight=2
BottomHeight=2
Tile=0

[HorzScrollThumb]
Image=hthumb.bmp
LeftWidth=5
RightWidth=5
TopHeight=2
BottomHeight=2
Trans=1
FrameCount=3

[VertScrollThumb]
Image=vthumb.bmp
LeftWidth=2
RightWidth=2
TopHeight=5
BottomHeight=5
Trans=1
FrameCount=3

[ToolBars]
Image=toolbar.bmp
LeftWidth=3
RightWidth=3
TopHeight=3
BottomHeight=3
Trans=1

[Tabs]
Image=tabs.bmp
Border=tabborder.bmp
LeftWidth=4
RightWidth=4
TopHeight=4
BottomHeight=1
Trans=1
Tile=0
)";
    QByteArray text(kText);
    return text.replace("\n", "\r\n");
}
