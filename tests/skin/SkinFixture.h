#pragma once
// Skins, skin data and forms for the tests of the skin manager and the frame skinner.
#include "SkinTestPackages.h"
#include "TestSupport.h"
#include "framework/Form.h"
#include "skin/SkinData.h"
#include "skin/SkinManager.h"
#include "skin/WinSkinForm.h"

#include <QMap>

// A form whose layout a test builds.
class TestForm : public TForm {
public:
    explicit TestForm(const QString& caption = QStringLiteral("Test window"), QSize size = QSize(300, 200))
    {
        SetCaption(caption);
        resize(size);
    }
    using TForm::AddComponent;
    using TForm::BeginLayout;
    using TForm::EndLayout;
};

// The frames of the test skin are solid colours, one per frame, so a pixel tells which frame of
// which element was drawn.
namespace TestColours {
inline const QRgb kLeft[2] = {qRgb(200, 0, 0), qRgb(100, 0, 0)};
inline const QRgb kRight[2] = {qRgb(0, 200, 0), qRgb(0, 100, 0)};
inline const QRgb kTop[2] = {qRgb(0, 0, 200), qRgb(0, 0, 100)};
inline const QRgb kBottom[2] = {qRgb(200, 200, 0), qRgb(100, 100, 0)};
inline const QRgb kTitle[2] = {qRgb(250, 160, 0), qRgb(150, 60, 0)};
// Caption buttons: normal, pressed, hot, inactive.
inline const QRgb kClose[4] = {qRgb(10, 10, 10), qRgb(20, 20, 20), qRgb(30, 30, 30), qRgb(40, 40, 40)};
inline const QRgb kMaximize[4] = {qRgb(50, 50, 50), qRgb(60, 60, 60), qRgb(70, 70, 70), qRgb(80, 80, 80)};
inline const QRgb kMinimize[4] = {qRgb(90, 90, 90), qRgb(100, 100, 100), qRgb(110, 110, 110), qRgb(120, 120, 120)};
inline const QRgb kKey = qRgb(255, 0, 255);
} // namespace TestColours

// An image of equal solid frames, side by side or stacked.
inline QImage FrameStrip(QSize frame, std::initializer_list<QRgb> colours, bool stacked = false)
{
    const int n = int(colours.size());
    QImage image(stacked ? QSize(frame.width(), frame.height() * n) : QSize(frame.width() * n, frame.height()),
                 QImage::Format_RGB32);
    int i = 0;
    for (QRgb colour : colours) {
        const QRect part = stacked ? QRect(0, i * frame.height(), frame.width(), frame.height())
                                   : QRect(i * frame.width(), 0, frame.width(), frame.height());
        for (int y = part.top(); y <= part.bottom(); ++y)
            for (int x = part.left(); x <= part.right(); ++x)
                image.setPixel(x, y, colour);
        ++i;
    }
    return image;
}

// A small skin: 4-pixel side and bottom borders, a 23-pixel caption (a 46-pixel Top image of two
// frames), a text background and close, maximise and minimise buttons of four 17 × 17 frames.
// Tests change its keys and pictures before packing it.
struct TestSkin {
    QMap<QByteArray, QByteArray> personality = {
        {"Top", "top.bmp"},        {"TopFrame", "2"},        {"TopTrans", "0"},       {"Left", "left.bmp"},
        {"LeftFrame", "2"},        {"LeftTrans", "0"},       {"Right", "right.bmp"},  {"RightFrame", "2"},
        {"RightTrans", "0"},       {"Bottom", "bottom.bmp"}, {"BottomFrame", "2"},    {"BottomTrans", "0"},
        {"TextBack", "title.bmp"}, {"TextShift", "28"},      {"TextRightClip", "70"}, {"TXTBackleft", "4"},
        {"TXTBackRight", "4"},     {"TextAlignment", "0"},
    };
    QMap<QByteArray, QImage> pictures = {
        {"top.bmp", FrameStrip({30, 23}, {TestColours::kTop[0], TestColours::kTop[1]}, true)},
        {"left.bmp", FrameStrip({4, 30}, {TestColours::kLeft[0], TestColours::kLeft[1]})},
        {"right.bmp", FrameStrip({4, 30}, {TestColours::kRight[0], TestColours::kRight[1]})},
        {"bottom.bmp", FrameStrip({30, 4}, {TestColours::kBottom[0], TestColours::kBottom[1]}, true)},
        {"title.bmp", FrameStrip({12, 23}, {TestColours::kTitle[0], TestColours::kTitle[1]}, true)},
        {"close.bmp",
         FrameStrip({17, 17},
                    {TestColours::kClose[0], TestColours::kClose[1], TestColours::kClose[2], TestColours::kClose[3]})},
        {"max.bmp",
         FrameStrip({17, 17},
                    {TestColours::kMaximize[0], TestColours::kMaximize[1], TestColours::kMaximize[2],
                     TestColours::kMaximize[3]})},
        {"min.bmp",
         FrameStrip({17, 17},
                    {TestColours::kMinimize[0], TestColours::kMinimize[1], TestColours::kMinimize[2],
                     TestColours::kMinimize[3]})},
    };
    QByteArray sections =
        "[Button0]\nButtonImage=close.bmp\nAction=0\nAlign=1\nXcoord=24\nYcoord=3\nframe=4\n"
        "[Button1]\nButtonImage=max.bmp\nAction=1\nAlign=1\nXcoord=43\nYcoord=3\nVisibility=6\nVisibility1=6\nframe=4\n"
        "[Button2]\nButtonImage=min.bmp\nAction=2\nAlign=1\nXcoord=62\nYcoord=3\nVisibility=8\nVisibility1=8\nframe=4\n"
        "[Colours]\nTitleTextActive=255 255 255\nTitleTextNoActive=200 200 200\nButtonFace=230 230 230\n";

    QByteArray Package() const
    {
        QByteArray description = "[Personality]\n";
        for (auto it = personality.cbegin(); it != personality.cend(); ++it)
            description += it.key() + '=' + it.value() + '\n';
        description += sections;
        QList<SkinEntry> entries;
        for (auto it = pictures.cbegin(); it != pictures.cend(); ++it)
            entries.append({QString::fromLatin1(it.key()), BmpFile(it.value())});
        return DescribedPackage(description, entries);
    }
};

// A skin data as a main window's layout gives it: the package read while loading, Active, then
// handed to the skin manager. The manager starts skinning at once, as before any window is seen.
inline TSkinData* LoadedSkinData(const QByteArray& package, QObject* owner = nullptr, TSkinFormType type = sfMainform)
{
    auto* data = new TSkinData(owner);
    data->SetReading(true);
    data->SkinFormtype = type;
    data->SetActive(true);
    data->SetSkinStream(package);
    data->SetReading(false);
    data->Loaded();
    return data;
}

// The skinner of a window, or nullptr.
inline TWinSkinForm* SkinnerOf(const QWidget* window)
{
    TSkinManage* manager = TSkinManage::Instance();
    return manager ? manager->FindWindowSkinner(window) : nullptr;
}

// The manager goes, and with it every skinner: the next test starts as a fresh program does.
inline void ResetSkinManager()
{
    delete TSkinManage::Instance();
}

// Shows a form and waits until it is on screen.
inline bool ShowAndWait(QWidget* window)
{
    window->show();
    return QTest::qWaitForWindowExposed(window);
}
