#include "CaptionButtonsAccessible.h"

#include "SkinManager.h"
#include "WinSkinForm.h"

#include "framework/AccessibleParts.h"
#include "framework/Form.h"

#include <QAccessibleWidget>

#include <optional>

namespace {

// The caption buttons offered to assistive clients, by what they do. The window icon's system
// menu and the skin's own actions have no name a reader could say, and are left out.
enum class ButtonKind { Close, Maximize, Minimize };
// Their keys in a window interface's part cache.
constexpr ButtonKind kKinds[] = {ButtonKind::Close, ButtonKind::Maximize, ButtonKind::Minimize};

std::optional<ButtonKind> KindOf(int action)
{
    switch (action) {
    case 0:
        return ButtonKind::Close;
    case 1:
    case 22:
        return ButtonKind::Maximize;
    case 2:
    case 23:
        return ButtonKind::Minimize;
    default:
        return std::nullopt;
    }
}

TWinSkinForm* FrameSkinnerOf(const QWidget* window)
{
    TSkinManage* manager = TSkinManage::Instance();
    TWinSkinForm* skinner = manager && window ? manager->FindWindowSkinner(window) : nullptr;
    return skinner && skinner->FrameSkinned() ? skinner : nullptr;
}

// The window's shown caption button of that kind, looked up afresh each time: a skin reload
// rebuilds the buttons, and a client may ask long after.
TWinSysButton* ShownButton(const QWidget* window, ButtonKind kind)
{
    if (TWinSkinForm* skinner = FrameSkinnerOf(window))
        for (const auto& button : skinner->CaptionButtons())
            if (button->Visible && KindOf(button->Action()) == kind)
                return button.get();
    return nullptr;
}

// The kinds of the shown caption buttons in the order the skin lists them, each once.
QList<ButtonKind> ShownKinds(const QWidget* window)
{
    QList<ButtonKind> kinds;
    if (TWinSkinForm* skinner = FrameSkinnerOf(window))
        for (const auto& button : skinner->CaptionButtons())
            if (const auto kind = KindOf(button->Action()); button->Visible && kind && !kinds.contains(*kind))
                kinds.append(*kind);
    return kinds;
}

class CaptionButtonAccessible : public AccessibleWidgetPart {
public:
    CaptionButtonAccessible(QWidget* window, ButtonKind kind) : AccessibleWidgetPart(window), kind_(kind) {}

    bool isValid() const override { return Button() != nullptr; }
    QAccessibleInterface* parent() const override { return OwnerInterface(); }
    QString text(QAccessible::Text t) const override
    {
        const TWinSysButton* button = Button();
        if (t != QAccessible::Name || !button)
            return {};
        const TShowState state = button->Owner()->ShowState();
        switch (kind_) {
        case ButtonKind::Close:
            return QStringLiteral("Close");
        case ButtonKind::Maximize:
            return state == shMaximized ? QStringLiteral("Restore") : QStringLiteral("Maximize");
        case ButtonKind::Minimize:
            return state == shMinimized ? QStringLiteral("Restore") : QStringLiteral("Minimize");
        }
        return {};
    }
    QRect rect() const override
    {
        const TWinSysButton* button = Button();
        return button ? ToScreen(button->Rect) : QRect();
    }
    QAccessible::Role role() const override { return QAccessible::Button; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        const TWinSysButton* button = Button();
        if (!button) {
            s.invalid = true;
            return s;
        }
        s.pressed = button->State == TNCObject::stPressed;
        s.hotTracked = button->State == TNCObject::stHot;
        s.invisible = !Owner()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return isValid() ? QStringList{pressAction()} : QStringList{}; }
    void doAction(const QString& action) override
    {
        if (action != pressAction() || !isValid())
            return;
        QPointer<QWidget> window = Owner();
        const ButtonKind kind = kind_;
        RunAccessibleAction(window, [window, kind] {
            // As a click that ends over the button: its action, unless the button went meanwhile.
            if (TWinSysButton* button = ShownButton(window, kind))
                button->Owner()->PerformAction(button->Action(), window->mapToGlobal(button->Rect.center()));
        });
    }

private:
    TWinSysButton* Button() const { return ShownButton(Owner(), kind_); }

    ButtonKind kind_;
};

// A form: its own children, then the caption buttons while the skin draws its frame.
class SkinnedFormAccessible : public QAccessibleWidget {
public:
    explicit SkinnedFormAccessible(TForm* form) : QAccessibleWidget(form) {}

    int childCount() const override { return QAccessibleWidget::childCount() + int(ShownKinds(widget()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        const int own = QAccessibleWidget::childCount();
        if (index < own)
            return QAccessibleWidget::child(index);
        const QList<ButtonKind> kinds = ShownKinds(widget());
        return index - own < kinds.size() ? ButtonInterface(kinds[index - own]) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override
    {
        const int own = QAccessibleWidget::indexOfChild(child);
        return own >= 0 || !child || child->object() ? own : IndexAmongChildren(this, child);
    }
    QAccessibleInterface* childAt(int x, int y) const override
    {
        for (ButtonKind kind : ShownKinds(widget()))
            if (QAccessibleInterface* button = ButtonInterface(kind); button->rect().contains(x, y))
                return button;
        return QAccessibleWidget::childAt(x, y);
    }

    QAccessibleInterface* ButtonInterface(ButtonKind kind) const
    {
        return parts_.Get(&kKinds[int(kind)], [&] { return new CaptionButtonAccessible(widget(), kind); });
    }

private:
    mutable AccessiblePartCache parts_;
};

QAccessibleInterface* SkinnedFormFactory(const QString&, QObject* object)
{
    auto* form = qobject_cast<TForm*>(object);
    return form ? new SkinnedFormAccessible(form) : nullptr;
}

} // namespace

void InstallCaptionButtonAccessibility()
{
    InstallAccessibleFactory(SkinnedFormFactory);
}

void AnnounceCaptionButtonNames(QWidget* window, TShowState before, TShowState after)
{
    if (!window || !QAccessible::isActive())
        return;
    auto* form = dynamic_cast<SkinnedFormAccessible*>(QAccessible::queryAccessibleInterface(window));
    if (!form)
        return;
    const auto announce = [&](ButtonKind kind, TShowState restoredFrom) {
        if ((before == restoredFrom) != (after == restoredFrom) && ShownButton(window, kind)) {
            QAccessibleEvent event(form->ButtonInterface(kind), QAccessible::NameChanged);
            QAccessible::updateAccessibility(&event);
        }
    };
    announce(ButtonKind::Maximize, shMaximized);
    announce(ButtonKind::Minimize, shMinimized);
}
