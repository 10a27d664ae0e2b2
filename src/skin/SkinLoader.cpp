#include "SkinLoader.h"
#include "ImageOperations.h"
#include "QuickIni.h"
#include "SkinImages.h"
#include "SkinReader.h"

namespace {

const QString kPersonality = QStringLiteral("Personality");

// Reading helpers bound to one load.
class Loader {
public:
    Loader(const TSkinReader& reader, const TQuickIni& ini) : ini_(ini), images_(reader) {}

    int Int(const QString& section, const QString& key, int def = 0) const
    {
        return ini_.ReadInteger(section, key, def);
    }
    QString Text(const QString& section, const QString& key) const
    {
        return ini_.ReadString(section, key, QString());
    }
    TColor Colour(const QString& section, const QString& key, TColor def) const
    {
        return ParseColourTriple(Text(section, key), def);
    }
    QImage Image(const QString& section, const QString& key) const
    {
        return images_.Image(Text(section, key));
    }
    // Why the skin is refused; empty while it is not.
    const QString& Refusal() const { return images_.Refusal(); }

    void ReadBorders(TSkinElements& e) const;
    void ReadColours(TSkinElements& e) const;
    void ReadPalette(TSkinElements& e) const;
    void ReadSysButtons(TSkinElements& e) const;
    void ReadButtons(TSkinElements& e) const;
    void ReadTitle(TSkinElements& e) const;
    void ReadProgress(TSkinElements& e) const;
    void ReadMenuBar(TSkinElements& e) const;

    // The four margins, Trans and Tile of an element's section.
    void ReadGeometry(TDataSkinObject& element, const QString& section) const;
    // The per-state colour numbers and text colours of an element's section.
    void ReadStateColours(TDataSkinObject& element, const QString& section) const;
    // Margins, transparency, tiling, per-state colours (and Style unless told not to) of a
    // section whose "Image" is non-empty; false when it is empty.
    bool ReadPlain(TDataSkinObject& element, bool withStyle = true) const;
    template <class T> std::unique_ptr<T> Plain(const QString& section, bool withStyle = true) const
    {
        auto element = std::make_unique<T>(section);
        return ReadPlain(*element, withStyle) ? std::move(element) : nullptr;
    }
    std::unique_ptr<TDataSkinBorder> WithSecondImage(const QString& section, const QString& key) const
    {
        auto element = Plain<TDataSkinBorder>(section, false);
        if (element)
            element->Image2 = Image(section, key);
        return element;
    }

    TColor buttonText = clBtnText;

private:
    const TQuickIni& ini_;
    mutable TSkinImages images_;
};

void Loader::ReadBorders(TSkinElements& e) const
{
    const std::pair<TDataSkinFrameBorder*, bool> borders[] = {
        {e.Left.get(), true}, {e.Right.get(), true}, {e.Top.get(), false}, {e.Bottom.get(), false}};
    for (const auto& [border, vertical] : borders) {
        const QString& name = border->Name;
        const int before = Int(kPersonality, name + QStringLiteral("TopHeight"));
        const int after = Int(kPersonality, name + QStringLiteral("BotHeight"));
        if (vertical) {
            border->TopHeight = before;
            border->BottomHeight = after;
        } else {
            border->LeftWidth = before;
            border->RightWidth = after;
        }
        border->FrameCount = Int(kPersonality, name + QStringLiteral("Frame"), 1);
        border->Stretch = Int(kPersonality, name + QStringLiteral("Stretch"), 1);
        border->Tile = border->Stretch == 1 ? 0 : 1;
        border->Trans = Int(kPersonality, name + QStringLiteral("Trans"), 1);
        border->Image = Image(kPersonality, name);
    }
}

void Loader::ReadColours(TSkinElements& e) const
{
    const QString s = QStringLiteral("Colours");
    TSkinColours& c = e.Colours;
    c.WindowText = Colour(s, QStringLiteral("WindowText"), clWindowText);
    c.ButtonFace = Colour(s, QStringLiteral("ButtonFace"), clBtnFace);
    c.Scrollbar = Colour(s, QStringLiteral("Scrollbar"), clScrollBar);
    c.HilightText = Colour(s, QStringLiteral("HilightText"), clHighlightText);
    c.Hilight = Colour(s, QStringLiteral("Hilight"), clHighlight);
    c.Menubar = Colour(s, QStringLiteral("Menubar"), c.ButtonFace);
    c.Menu = Colour(s, QStringLiteral("Menu"), clMenu);
    c.MenuText = Colour(s, QStringLiteral("MenuText"), clMenuText);
    c.ButtonText = Colour(s, QStringLiteral("ButtonText"), clBtnText);
    c.ButtonHilight = Colour(s, QStringLiteral("ButtonHilight"), clBtnHighlight);
    c.Buttonlight = Colour(s, QStringLiteral("Buttonlight"), clBtnHighlight);
    c.ButtonShadow = Colour(s, QStringLiteral("ButtonShadow"), clBtnShadow);
    c.ButtonDkShadow = Colour(s, QStringLiteral("ButtonDkShadow"), cl3DDkShadow);
    c.MenuBarText = Colour(s, QStringLiteral("MenuBarText"), clMenuText);
    c.TitleTextActive = Colour(s, QStringLiteral("TitleTextActive"), clCaptionText);
    c.TitleTextNoActive =
        Colour(s, QStringLiteral("TitleTextNoActive"), clSystemColor | COLOR_INACTIVECAPTIONTEXT);
}

void Loader::ReadPalette(TSkinElements& e) const
{
    for (const QString& section : ini_.ReadSections()) {
        const QString upper = section.toUpper();
        if (upper.startsWith(QStringLiteral("COLOUR")) && upper != QStringLiteral("COLOURS"))
            e.Palette.append(Colour(section, QStringLiteral("color"), clWindowText));
    }
}

void Loader::ReadSysButtons(TSkinElements& e) const
{
    static const QStringList kNotCaptionButtons = {QStringLiteral("BUTTON"), QStringLiteral("BUTTONS"),
                                                   QStringLiteral("BUTTON.RADIO"),
                                                   QStringLiteral("BUTTON.CHECKBOX")};
    QStringList sections;
    for (const QString& section : ini_.ReadSections()) {
        const QString upper = section.toUpper();
        if (!upper.startsWith(QStringLiteral("BUTTON")) || kNotCaptionButtons.contains(upper))
            continue;
        if (Int(section, QStringLiteral("Action")) == -1 && Int(section, QStringLiteral("Visibility"), -1) != 0)
            continue;
        sections.append(section);
    }
    if (sections.size() > kMaxCaptionButtons) {
        images_.Refuse(QStringLiteral("it has %1 caption buttons, at most %2 are allowed.")
                           .arg(sections.size())
                           .arg(kMaxCaptionButtons));
        return;
    }
    for (const QString& section : sections) {
        const QString upper = section.toUpper();
        auto button = std::make_unique<TDataSkinSysButton>(upper);
        button->Action = Int(section, QStringLiteral("Action"));
        button->Align = Int(section, QStringLiteral("Align"));
        button->Xcoord = Int(section, QStringLiteral("Xcoord"));
        button->Ycoord = Int(section, QStringLiteral("Ycoord"));
        button->Visibility = Int(section, QStringLiteral("Visibility"));
        button->Visibility1 = Int(section, QStringLiteral("Visibility1"), button->Action == -1 ? -1 : 0);
        button->CombineOp = Int(section, QStringLiteral("CombineOp"), -1);
        button->FrameCount = Int(section, QStringLiteral("frame"));
        button->Image = Image(section, QStringLiteral("ButtonImage"));
        if (button->FrameCount == 0)
            button->FrameCount = DefaultSysButtonFrames(button->Image, button->Action);
        // These draw the window icon instead of an image.
        if (button->Action == 3 || button->Action == 11)
            button->Image = QImage();
        e.SysButtons.push_back(std::move(button));
    }

    // The three buttons of a maximised child window: minimise, restore, close.
    const QImage strip = Image(QStringLiteral("MDICONTROLS"), QStringLiteral("Image"));
    const int w = strip.width() / 12;
    for (int i = 0; i < 3; ++i) {
        auto button = std::make_unique<TDataSkinSysButton>(QStringLiteral("MDICONTROLS"));
        button->Action = 7 + i;
        button->Align = button->Visibility = button->Visibility1 = 100;
        button->FrameCount = 4;
        if (w > 0) {
            button->Image = strip.copy(4 * i * w, 0, 4 * w, strip.height());
            button->Xcoord = (w + 4) * (3 - i);
        }
        e.SysButtons.push_back(std::move(button));
    }
}

void Loader::ReadButtons(TSkinElements& e) const
{
    const QString s = QStringLiteral("Buttons");
    TDataSkinButton& b = *e.Buttons;
    ReadGeometry(b, s);
    b.Image = Image(s, QStringLiteral("Bitmap"));
    b.CheckButton = Image(s, QStringLiteral("CheckButton"));
    b.RadioButton = Image(s, QStringLiteral("RadioButton"));
    ReadStateColours(b, s);
    b.RadioButtonFrame = Int(s, QStringLiteral("RadioButtonFrame"));
    b.CheckButtonFrame = Int(s, QStringLiteral("CheckButtonFrame"));
    b.NormalColour2Given = !Text(s, QStringLiteral("NormalColour2")).isEmpty();
    b.MouseOverColour2Given = !Text(s, QStringLiteral("MouseOverColour2")).isEmpty();
    b.PressedColour2Given = !Text(s, QStringLiteral("PressedColour2")).isEmpty();
}

void Loader::ReadTitle(TSkinElements& e) const
{
    TDataSkinTitle& t = *e.Title;
    t.Image = Image(kPersonality, QStringLiteral("TextBack"));
    t.LeftWidth = Int(kPersonality, QStringLiteral("TextShift"));
    t.TopHeight = Int(kPersonality, QStringLiteral("TextShiftVert"));
    t.RightWidth = Int(kPersonality, QStringLiteral("TextRightClip"));
    t.BottomHeight = 0;
    t.TextAlignment = Int(kPersonality, QStringLiteral("TextAlignment"));
    t.Textbackground = Int(kPersonality, QStringLiteral("Textbackground"));
    t.TXTBackleft = Int(kPersonality, QStringLiteral("TXTBackleft"));
    t.TXTBackRight = Int(kPersonality, QStringLiteral("TXTBackRight"));
    t.FontHeight = Int(QStringLiteral("Fonts"), QStringLiteral("FontHeight"), 14);
    // A text colour counts only when all three of its components are given.
    const auto textColour = [this](const QString& prefix) {
        const int r = Int(kPersonality, prefix + QLatin1Char('R'), -1);
        const int g = Int(kPersonality, prefix + QLatin1Char('G'), -1);
        const int b = Int(kPersonality, prefix + QLatin1Char('B'), -1);
        return r >= 0 && g >= 0 && b >= 0 ? RGB(r % 256, g % 256, b % 256) : clNone;
    };
    t.ActiveText = textColour(QStringLiteral("ActiveText"));
    t.InActiveText = textColour(QStringLiteral("InActiveText"));
}

void Loader::ReadProgress(TSkinElements& e) const
{
    const QString s = QStringLiteral("Progress");
    if (Text(s, QStringLiteral("Bitmap")).isEmpty())
        return;
    auto p = std::make_unique<TDataSkinBorder>(s);
    p->Image = Image(s, QStringLiteral("Bitmap"));
    p->Image2 = Image(s, QStringLiteral("Chunk"));
    p->Style = Int(s, QStringLiteral("Style"));
    ReadGeometry(*p, s);
    e.Progress = std::move(p);
}

void Loader::ReadMenuBar(TSkinElements& e) const
{
    if (Text(kPersonality, QStringLiteral("menuBar")).isEmpty())
        return;
    auto bar = std::make_unique<TDataSkinObject>(QStringLiteral("MenuBar"));
    bar->Image = Image(kPersonality, QStringLiteral("menuBar"));
    bar->Tile = Int(kPersonality, QStringLiteral("TileMenu"));
    bar->LeftWidth = Int(kPersonality, QStringLiteral("TileLeftMenu"), 1);
    bar->RightWidth = Int(kPersonality, QStringLiteral("TileRightMenu"), 1);
    e.MenuBar = std::move(bar);
}

void Loader::ReadGeometry(TDataSkinObject& element, const QString& section) const
{
    element.LeftWidth = Int(section, QStringLiteral("LeftWidth"));
    element.RightWidth = Int(section, QStringLiteral("RightWidth"));
    element.TopHeight = Int(section, QStringLiteral("TopHeight"));
    element.BottomHeight = Int(section, QStringLiteral("BottomHeight"));
    element.Trans = Int(section, QStringLiteral("Trans"));
    element.Tile = Int(section, QStringLiteral("Tile"));
}

void Loader::ReadStateColours(TDataSkinObject& element, const QString& section) const
{
    element.NormalColour = Int(section, QStringLiteral("NormalColour"), -1);
    element.MouseOverColour = Int(section, QStringLiteral("MouseOverColour"), -1);
    element.PressedColour = Int(section, QStringLiteral("PressedColour"), -1);
    element.NormalColour2 = Colour(section, QStringLiteral("NormalColour2"), buttonText);
    element.MouseOverColour2 = Colour(section, QStringLiteral("MouseOverColour2"), buttonText);
    element.PressedColour2 = Colour(section, QStringLiteral("PressedColour2"), buttonText);
}

bool Loader::ReadPlain(TDataSkinObject& element, bool withStyle) const
{
    const QString& s = element.Name;
    if (Text(s, QStringLiteral("Image")).isEmpty())
        return false;
    element.Image = Image(s, QStringLiteral("Image"));
    if (withStyle)
        element.Style = Int(s, QStringLiteral("Style"));
    ReadGeometry(element, s);
    if (element.Tile > 1)
        element.Tile = 0;
    ReadStateColours(element, s);
    return true;
}

template <class T> void SetFrames(const std::unique_ptr<T>& element, int count)
{
    if (element)
        element->FrameCount = count;
}

void SetFrameCounts(TSkinElements& e, const Loader& load)
{
    SetFrames(e.Buttons, 5);
    SetFrames(e.Title, 2);
    SetFrames(e.Progress, 2);
    SetFrames(e.MenuBar, 2);
    SetFrames(e.GroupBoxEdge, 2);
    SetFrames(e.Toolbars, 5);
    SetFrames(e.Tabs, 5);
    SetFrames(e.StatusBarEdges, 3);
    SetFrames(e.GroupBox, 1);
    SetFrames(e.ComboButton, 4);
    SetFrames(e.SunkEdge, 4);
    SetFrames(e.ExtraImages, 5);
    SetFrames(e.Headerbar, 5);
    SetFrames(e.MenuItem, 5);
    SetFrames(e.MenuBackground, 1);
    SetFrames(e.Scrollbar, 23);
    SetFrames(e.HorzScroll, 4);
    SetFrames(e.VertScroll, 4);
    SetFrames(e.UpDownHorz, 8);
    SetFrames(e.UpDownVert, 8);
    for (auto* thumb : {&e.TrackbarThumbHorz, &e.TrackbarThumbVert, &e.TrackbarThumbLeft,
                        &e.TrackbarThumbRight, &e.TrackbarThumbUp, &e.TrackbarThumbDown})
        SetFrames(*thumb, 5);
    SetFrames(e.HorzScrollThumb, load.Int(QStringLiteral("HorzScrollThumb"), QStringLiteral("FrameCount"), 3));
    SetFrames(e.VertScrollThumb, load.Int(QStringLiteral("VertScrollThumb"), QStringLiteral("FrameCount"), 3));
    // A count the description gives as 0 or less is worked out from the image.
    if (e.Buttons->CheckButtonFrame <= 0)
        e.Buttons->CheckButtonFrame = DefaultToggleFrames(e.Buttons->CheckButton);
    if (e.Buttons->RadioButtonFrame <= 0)
        e.Buttons->RadioButtonFrame = DefaultToggleFrames(e.Buttons->RadioButton);
}

// Painters divide image sizes by frame counts: a count below 1 from the description (borders,
// caption buttons) counts as one frame, once, here.
void NormaliseFrameCounts(TSkinElements& e)
{
    const auto atLeastOne = [](TDataSkinObject* element) {
        if (element && element->FrameCount < 1)
            element->FrameCount = 1;
    };
    for (TDataSkinObject* border : {e.Left.get(), e.Right.get(), e.Top.get(), e.Bottom.get()})
        atLeastOne(border);
    for (const auto& button : e.SysButtons)
        atLeastOne(button.get());
    atLeastOne(e.HorzScrollThumb.get());
    atLeastOne(e.VertScrollThumb.get());
}

} // namespace

TSkinElements::TSkinElements()
    : Left(std::make_unique<TDataSkinFrameBorder>(QStringLiteral("Left"))),
      Right(std::make_unique<TDataSkinFrameBorder>(QStringLiteral("Right"))),
      Top(std::make_unique<TDataSkinFrameBorder>(QStringLiteral("Top"))),
      Bottom(std::make_unique<TDataSkinFrameBorder>(QStringLiteral("Bottom"))),
      Title(std::make_unique<TDataSkinTitle>(QStringLiteral("Title"))),
      Buttons(std::make_unique<TDataSkinButton>(QStringLiteral("Buttons")))
{
}

QImage LoadSkinImage(const TSkinReader& reader, const QString& value)
{
    return TSkinImages(reader).Image(value);
}

int DefaultSysButtonFrames(const QImage& image, int action)
{
    if (image.isNull() || action < 0)
        return 6;
    return double(image.width()) / image.height() <= 3.8 ? 3 : 6;
}

int DefaultToggleFrames(const QImage& image)
{
    const int frames = image.height() < 16 ? image.width() / 13 : image.width() / 16;
    return std::max(frames, 4);
}

TSkinElements BuildSkinElements(const TSkinReader& reader, const TQuickIni& ini, QString* refusal)
{
    TSkinElements e;
    Loader load(reader, ini);
    e.SkinName = ini.ReadString(QStringLiteral("TitlebarSkin"), QStringLiteral("SkinName"), QString());
    load.ReadBorders(e);
    load.ReadColours(e);
    load.buttonText = e.Colours.ButtonText;
    load.ReadPalette(e);
    load.ReadSysButtons(e);
    load.ReadButtons(e);
    load.ReadTitle(e);
    load.ReadProgress(e);
    load.ReadMenuBar(e);
    e.GroupBoxEdge = load.Plain<TDataSkinObject>(QStringLiteral("GroupBoxEdge"));
    if ((e.GroupBox = load.Plain<TDataSkinBoxLabel>(QStringLiteral("GroupBox")))) {
        const QString s = QStringLiteral("GroupBox");
        e.GroupBox->BackgroundAlignment = load.Int(s, QStringLiteral("BackgroundAlignment"));
        e.GroupBox->BackgroundLeftShift = load.Int(s, QStringLiteral("BackgroundLeftShift"));
        e.GroupBox->BackgroundRightShift = load.Int(s, QStringLiteral("BackgroundRightShift"));
    }
    e.Toolbars = load.Plain<TDataSkinObject>(QStringLiteral("Toolbars"));
    e.Tabs = load.WithSecondImage(QStringLiteral("Tabs"), QStringLiteral("Border"));
    e.StatusBarEdges = load.Plain<TDataSkinObject>(QStringLiteral("StatusBarEdges"));
    if ((e.ComboButton = load.Plain<TDataSkinBorder>(QStringLiteral("ComboButton"))) && !e.ComboButton->Image.isNull())
        e.ComboButton->Image2 = MirrorImage(e.ComboButton->Image);
    const std::pair<std::unique_ptr<TDataSkinObject>*, const char*> plain[] = {
        {&e.SunkEdge, "SunkEdge"},
        {&e.ExtraImages, "ExtraImages"},
        {&e.Headerbar, "Headerbar"},
        {&e.MenuItem, "MenuItem"},
        {&e.MenuBackground, "MenuBackground"},
        {&e.Scrollbar, "Scrollbar"},
        {&e.HorzScroll, "HorzScroll"},
        {&e.VertScroll, "VertScroll"},
        {&e.HorzScrollThumb, "HorzScrollThumb"},
        {&e.VertScrollThumb, "VertScrollThumb"},
        {&e.TrackbarThumbHorz, "Trackbar.ThumbHorz"},
        {&e.TrackbarThumbVert, "Trackbar.ThumbVert"},
        {&e.TrackbarThumbLeft, "Trackbar.ThumbLeft"},
        {&e.TrackbarThumbRight, "Trackbar.ThumbRight"},
        {&e.TrackbarThumbUp, "Trackbar.ThumbUp"},
        {&e.TrackbarThumbDown, "Trackbar.ThumbDown"},
    };
    for (const auto& [slot, section] : plain)
        *slot = load.Plain<TDataSkinObject>(QString::fromLatin1(section));
    e.UpDownHorz = load.WithSecondImage(QStringLiteral("UpDown.Horz"), QStringLiteral("GlyphImage"));
    e.UpDownVert = load.WithSecondImage(QStringLiteral("UpDown.Vert"), QStringLiteral("GlyphImage"));
    SetFrameCounts(e, load);
    NormaliseFrameCounts(e);
    *refusal = load.Refusal();
    return e;
}
