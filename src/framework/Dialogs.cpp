#include "Dialogs.h"

#include <QMessageBox>

namespace {

class ScreenDialogService final : public DialogService {
public:
    void Show(const TMessageBox& box, QWidget* parent) override
    {
        QMessageBox::Icon icon = QMessageBox::NoIcon;
        switch (box.kind) {
        case TMessageKind::Error: icon = QMessageBox::Critical; break;
        case TMessageKind::Warning: icon = QMessageBox::Warning; break;
        case TMessageKind::Information: icon = QMessageBox::Information; break;
        case TMessageKind::Plain: break;
        }
        QMessageBox message(icon, box.caption, box.text, QMessageBox::Ok, parent);
        message.exec();
    }
};

ScreenDialogService screenService;
DialogService* current = &screenService;

} // namespace

DialogService& DialogService::Current() { return *current; }

DialogService* DialogService::Install(DialogService* service)
{
    DialogService* previous = current;
    current = service ? service : &screenService;
    return previous;
}

void ShowMessageBox(TMessageKind kind, const QString& caption, const QString& text, QWidget* parent)
{
    DialogService::Current().Show({kind, caption, text}, parent);
}

void ShowErrorBox(const QString& text, QWidget* parent)
{
    ShowMessageBox(TMessageKind::Error, kErrorCaption, text, parent);
}

void ShowWarningBox(const QString& text, QWidget* parent)
{
    ShowMessageBox(TMessageKind::Warning, kWarningCaption, text, parent);
}
