// The main window's sidebar: its stored settings and the dispatch of its items to the commands.
#include "MainForm.h"

#include "framework/Canvas.h"

namespace {

struct Command {
    const char* caption;
    const char* icon;
};

// In panel order; the index selects the command in CommandBar4ItemClick.
constexpr Command kCommands[] = {
    {"Login", ":/images/sidebar/login.png"},
    {"Script Creator", ":/images/sidebar/script.png"},
    {"HTML page creator", ":/images/sidebar/htmlpage.png"},
    {"Help", ":/images/sidebar/help.png"},
};

} // namespace

void TForm1::StoreCommandBar4Settings()
{
    TCommandBar* bar = CommandBar4;
    bar->setObjectName(QStringLiteral("CommandBar4"));
    bar->setFixedWidth(kSidebarWidth);
    bar->SetCursor(Qt::PointingHandCursor);
    bar->SetTopPanel(0);
    bar->SetTabStop(true);
    bar->SetShowFocus(true);
    bar->PanelCaption.SetHeight(0);
    bar->PanelCaption.SetActiveFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    bar->PanelCaption.SetActiveFontColor(clNavy);
    bar->PanelCaption.SetFont(MakeFont(QStringLiteral("Tahoma"), -11, true));
    bar->PanelCaption.SetAlignment(taCenter);
    bar->PanelCaption.SetColor(clBtnFace);
    bar->PanelCaption.SetSideDisplay(false);
    bar->PanelCaption.SetSideWidth(20);
    bar->HelpPanel.SetVisible(false);
    bar->HelpPanel.SetHeight(0);
    bar->OnItemClick = [this](QObject* Sender, TCommandPanel* APanel, TCommandItem* AItem) {
        CommandBar4ItemClick(Sender, APanel, AItem);
    };

    TCommandPanel* panel = bar->Panels.Add();
    panel->SetStyle(psLargeIcon);
    panel->SetBackground(pbGradient);
    panel->SetGradientStart(15269887);
    panel->SetGradientEnd(clWhite);
    panel->SetGradientSteps(60);
    panel->SetGradientDirection(gdVertical);
    panel->SetVariableItemHeight(false);
    panel->SetItemHeight(54);
    panel->SetFont(MakeFont(QStringLiteral("MS Sans Serif"), -11, true));
    panel->SetFontColor(clBlack);
    panel->SetAlignment(taCenter);
    panel->SetWordWrap(false);
    panel->SetHoverFullWidth(true);
    panel->SetHoverCaption(false);
    panel->SetHoverIconColor(clWhite);
    panel->SetHoverIconDownColor(clWhite);
    panel->SetHoverIconBorderColor(clBlack);
    panel->SetColor(clGray);
    panel->SetTopItem(0);
    for (const Command& command : kCommands) {
        TCommandItem* item = panel->Items.Add();
        item->SetCaption(QString::fromLatin1(command.caption));
        item->SetIcon(QImage(QString::fromLatin1(command.icon)));
        item->SetHeight(48);
    }
}

void TForm1::CommandBar4ItemClick(QObject* Sender, TCommandPanel*, TCommandItem* AItem)
{
    switch (AItem->Index()) {
    case 0:
        BloginClick(Sender);
        break;
    case 1:
        BScriptClick(Sender);
        break;
    case 2:
        BHTMLClick(Sender);
        break;
    case 3:
        BHelpClick(Sender);
        break;
    default:
        // An item added later to the panel runs nothing.
        break;
    }
}
