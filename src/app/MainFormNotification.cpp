// The main window's notification side: the popup and its timer, the tray icon and its menu,
// the close behaviour, and the external object that chat pages call.
#include "MainForm.h"

#include "AppIcon.h"
#include "framework/AnsiText.h"
#include "framework/Application.h"
#include "framework/Canvas.h"
#include "framework/ImageList.h"
#include "framework/PopupMenu.h"
#include "framework/Timer.h"
#include "notify/NoticePopup.h"
#include "tray/TrayIcon.h"

#include <cmath>
#include <optional>

namespace {

constexpr DISPID kPageSetupId = 1;
const QString kPageSetupName = QStringLiteral("pagesetup");
constexpr int kImageCount = 7;

QString AsciiLower(QString text)
{
    for (QChar& c : text)
        if (c >= u'A' && c <= u'Z')
            c = QChar(c.unicode() + 32);
    return text;
}

// The newcomer's name from the call's first argument slot (the last argument): text in the
// program's 8-bit code page, a number as its digits. No argument, null, true/false or an
// object: nobody to announce.
std::optional<QString> NewcomerName(const DISPPARAMS& params)
{
    if (params.cArgs() == 0)
        return std::nullopt;
    const QVariant& value = params.rgvarg.first();
    switch (value.metaType().id()) {
    case QMetaType::QString:
        return FromAnsi(ToAnsi(value.toString()));
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return QString::number(value.toLongLong());
    case QMetaType::Double: {
        const double number = value.toDouble();
        // Not a number or infinite: nobody to announce (a page cannot even send these, they
        // travel as null). Only a whole number within 64 bits is converted to an integer.
        if (!std::isfinite(number))
            return std::nullopt;
        constexpr double kTwoTo63 = 9223372036854775808.0;
        if (number == std::trunc(number) && number >= -kTwoTo63 && number < kTwoTo63)
            return QString::number(qint64(number));
        return QString::number(number, 'g', 15);
    }
    default:
        return std::nullopt;
    }
}

// One line: the program's name in bold, a line break, the name in red, the rest in the base font.
// The name goes in as it is, so markup in it is the popup's markup.
QString NewcomerNotice(const QString& name)
{
    return QStringLiteral("<B>Vellomar</B><br><FONT color=") + u'"' + QStringLiteral("#FF0000") + u'"'
           + QStringLiteral(">") + name + QStringLiteral("</FONT> has entered the chat.");
}

} // namespace

void TForm1::CreateNotificationComponents()
{
    OnClose = [this](QObject* Sender, TCloseAction& Action) { FormClose(Sender, Action); };

    ImageList1 = AddComponent(new TImageList(this));
    ImageList1->setObjectName(QStringLiteral("ImageList1"));
    for (int i = 0; i < kImageCount; ++i)
        ImageList1->Add(QImage(QStringLiteral(":/images/imagelist/%1.png").arg(i)));

    pop2 = AddComponent(new TNoticePopup(this));
    pop2->setObjectName(QStringLiteral("pop2"));
    pop2->AlwaysOnTop = true;
    pop2->AutoHide = true;
    pop2->AutoSize = true;
    pop2->BorderSize = 5;
    pop2->Color = clBlack;
    pop2->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
    pop2->SetFontColor(clWindowText);
    pop2->Hover = true;
    pop2->SetImages(ImageList1);
    pop2->PopupLeft = 0;
    pop2->PopupTop = 0;
    pop2->ShadeEnable = true;
    pop2->ShadeStartColor = clWhite;
    pop2->ShadeEndColor = clYellow;
    pop2->ShadeSteps = 40;
    pop2->ShadeDirection = sdHorizontal;
    pop2->PopupWidth = 150;
    pop2->PopupHeight = 150;

    Timer1 = AddComponent(new TTimer(this));
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->SetEnabled(false);
    Timer1->SetInterval(3000);
    Timer1->OnTimer = [this](QObject* Sender) { Timer1Timer(Sender); };

    PopupMenu1 = AddComponent(new TPopupMenu(this));
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    PopupMenu1->SetImages(ImageList1);
    PopupMenu1->AddItem(QStringLiteral("Login1"), QStringLiteral("Login"), 6,
                        [this](QObject* Sender) { Login1Click(Sender); });
    PopupMenu1->AddItem(QStringLiteral("Openvellomar1"), QStringLiteral("Open vellomar"), 3,
                        [this](QObject* Sender) { Openvellomar1Click(Sender); });
    PopupMenu1->AddItem(QStringLiteral("CloseVellomar1"), QStringLiteral("Close Vellomar"), -1,
                        [this](QObject* Sender) { CloseVellomar1Click(Sender); });

    TrayIcon1 = AddComponent(new TTrayIcon(this));
    TrayIcon1->setObjectName(QStringLiteral("TrayIcon1"));
    TrayIcon1->SetHint(QStringLiteral("Vellomar chat running"));
    TrayIcon1->SetShowHint(true);
    TrayIcon1->SetIcon(AppIcon());
    TrayIcon1->SetIconIndex(0);
    TrayIcon1->SetCycleInterval(0);
    TrayIcon1->SetPopupMenu(PopupMenu1);
    TrayIcon1->MinimizeToTray = true;
    TrayIcon1->OnClick = [this](QObject* Sender) { TrayIcon1Click(Sender); };

    wwwExternal = new TExternalBridge(www);
    wwwExternal->setObjectName(QStringLiteral("wwwExternal"));
    wwwExternal->SetMethodTable({kPageSetupName});
    wwwExternal->OnGetExternal = [this](QObject*& dispatch) { return wwwGetExternal(dispatch); };
    wwwExternal->OnGetIDsOfNames = [this](const QStringList& names, QList<DISPID>& ids) {
        return wwwGetIDsOfNames(names, ids);
    };
    wwwExternal->OnInvoke = [this](DISPID id, std::uint16_t flags, const DISPPARAMS& params, QVariant* result) {
        return wwwInvoke(id, flags, params, result);
    };
}

void TForm1::TrayIcon1Click(QObject*)
{
    TrayIcon1->RevealMainWindow();
}

void TForm1::Openvellomar1Click(QObject*)
{
    TrayIcon1->RevealMainWindow();
}

void TForm1::CloseVellomar1Click(QObject* Sender)
{
    TCloseAction action = caFree;
    FormClose(Sender, action);
}

void TForm1::FormClose(QObject*, TCloseAction& Action)
{
    if (Action == caFree) {
        application_.Terminate();
        return;
    }
    // The window only goes to the tray; the program keeps running.
    Action = caNone;
    TrayIcon1->HideMainWindow();
}

void TForm1::Timer1Timer(QObject*)
{
    pop2->ClosePopup();
    Timer1->SetEnabled(false);
}

HRESULT TForm1::wwwGetExternal(QObject*& ppDispatch)
{
    ppDispatch = nullptr;
    ppDispatch = wwwExternal->Dispatch();
    return S_OK;
}

HRESULT TForm1::wwwGetIDsOfNames(const QStringList& Names, QList<DISPID>& DispIDs)
{
    if (!Names.isEmpty() && AsciiLower(Names.first()) == kPageSetupName) {
        DispIDs = {kPageSetupId};
        return S_OK;
    }
    return E_NOTIMPL;
}

HRESULT TForm1::wwwInvoke(DISPID DispID, std::uint16_t, const DISPPARAMS& Params, QVariant*)
{
    if (DispID != kPageSetupId)
        return E_NOTIMPL;
    const std::optional<QString> name = NewcomerName(Params);
    if (!name)
        return S_OK;
    TrayIcon1->RevealMainWindow();
    pop2->SetText({NewcomerNotice(*name)});
    pop2->OpenPopup();
    Timer1->SetEnabled(true);
    return S_OK;
}
