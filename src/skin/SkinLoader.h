#pragma once
#include "SkinElements.h"

#include <QList>
#include <QString>
#include <memory>
#include <vector>

class TQuickIni;
class TSkinReader;

// The named colours of the description's Colours section.
struct TSkinColours {
    TColor WindowText = clWindowText;
    TColor ButtonFace = clBtnFace;
    TColor Scrollbar = clScrollBar;
    TColor HilightText = clHighlightText;
    TColor Hilight = clHighlight;
    TColor Menubar = clBtnFace;
    TColor Menu = clMenu;
    TColor MenuText = clMenuText;
    TColor ButtonText = clBtnText;
    TColor ButtonHilight = clBtnHighlight;
    TColor Buttonlight = clBtnHighlight;
    TColor ButtonShadow = clBtnShadow;
    TColor ButtonDkShadow = cl3DDkShadow;
    TColor MenuBarText = clMenuText;
    TColor TitleTextActive = clCaptionText;
    TColor TitleTextNoActive = clSystemColor | COLOR_INACTIVECAPTIONTEXT;
};

// Everything one load builds from a package. Borders, Title and Buttons always exist; the other
// elements are null when the description does not define them.
struct TSkinElements {
    TSkinElements();

    QString SkinName;
    TSkinColours Colours;
    QList<TColor> Palette;

    std::unique_ptr<TDataSkinFrameBorder> Left, Right, Top, Bottom;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;

    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinObject> Toolbars;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge, ExtraImages, Headerbar, MenuItem, MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar, HorzScroll, VertScroll, HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
        TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
};

// The most caption-button sections a skin may define.
constexpr int kMaxCaptionButtons = 32;

// The image of the package entry that a description value names: its bare file name (after the
// last "\" or ":") must end in ".bmp" exactly; empty when it does not, when the entry is
// missing or when the picture is past the size bounds.
QImage LoadSkinImage(const TSkinReader& reader, const QString& value);

// Builds all elements from the package's directory and its parsed description, each entry
// decoded once. A skin past a bound (picture sizes, caption buttons) gets `refusal`, the
// damaged-package message, and its elements are not to be used.
TSkinElements BuildSkinElements(const TSkinReader& reader, const TQuickIni& ini, QString* refusal);

// The frame count of a caption button's image when its section gives none.
int DefaultSysButtonFrames(const QImage& image, int action);
// The frame count of a check-box or radio-button image when the description gives none.
int DefaultToggleFrames(const QImage& image);
