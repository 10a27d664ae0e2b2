#include "NoticePopupAccessible.h"

#include "MiniHTML.h"
#include "NoticePopupWindow.h"
#include "framework/AccessibleParts.h"

#include <QAccessibleWidget>

namespace {

QList<TMiniHTMLAnchor> AnchorsOf(TNoticePopupWindow* window)
{
    return window ? window->LaidOutText().Anchors : QList<TMiniHTMLAnchor>{};
}

// One anchor of the notice: a link named by its words that follows like a click on it.
class NoticeLinkAccessible : public AccessibleWidgetPart {
public:
    NoticeLinkAccessible(TNoticePopupWindow* window, int index) : AccessibleWidgetPart(window), index_(index) {}

    bool isValid() const override { return index_ < AnchorsOf(Window()).size(); }
    QAccessibleInterface* parent() const override { return OwnerInterface(); }
    QString text(QAccessible::Text t) const override
    {
        const TMiniHTMLAnchor anchor = Anchor();
        switch (t) {
        case QAccessible::Name:
            // A picture alone names no link; where it leads does.
            return anchor.Text.trimmed().isEmpty() ? anchor.Href : anchor.Text.trimmed();
        case QAccessible::Description:
            return anchor.Href;
        default:
            return {};
        }
    }
    QRect rect() const override { return ToScreen(Anchor().Rect.ToQRect()); }
    QAccessible::Role role() const override { return QAccessible::Link; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.linked = true;
        s.hotTracked = Window() && Window()->HoverAnchor() == index_ + 1;
        s.invisible = !Window() || !Window()->isVisible();
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& action) override
    {
        if (action != pressAction())
            return;
        QPointer<TNoticePopupWindow> window = Window();
        const QString href = Anchor().Href;
        RunAccessibleAction(window, [window, href] {
            if (window->OnAnchorClick)
                window->OnAnchorClick(window, href);
        });
    }

private:
    TNoticePopupWindow* Window() const { return static_cast<TNoticePopupWindow*>(Owner()); }
    TMiniHTMLAnchor Anchor() const
    {
        const QList<TMiniHTMLAnchor> anchors = AnchorsOf(Window());
        return index_ < anchors.size() ? anchors[index_] : TMiniHTMLAnchor{};
    }

    int index_;
};

// The popup: an alert named by the notice's plain text, holding its links.
class NoticePopupAccessible : public QAccessibleWidget {
public:
    explicit NoticePopupAccessible(TNoticePopupWindow* window) : QAccessibleWidget(window, QAccessible::AlertMessage) {}

    QString text(QAccessible::Text t) const override
    {
        return t == QAccessible::Name ? Window()->LaidOutText().PlainText : QAccessibleWidget::text(t);
    }
    int childCount() const override { return int(AnchorsOf(Window()).size()); }
    QAccessibleInterface* child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        // One key per anchor number: the part stays the same while the text keeps that anchor.
        const void* key = reinterpret_cast<const void*>(quintptr(index + 1));
        return parts_.Get(key, [&] { return new NoticeLinkAccessible(Window(), index); });
    }
    int indexOfChild(const QAccessibleInterface* child) const override { return IndexAmongChildren(this, child); }
    QAccessibleInterface* childAt(int x, int y) const override { return ChildAtPoint(this, x, y); }

private:
    TNoticePopupWindow* Window() const { return static_cast<TNoticePopupWindow*>(widget()); }

    mutable AccessiblePartCache parts_;
};

QAccessibleInterface* NoticePopupFactory(const QString&, QObject* object)
{
    auto* window = qobject_cast<TNoticePopupWindow*>(object);
    return window ? new NoticePopupAccessible(window) : nullptr;
}

} // namespace

void InstallNoticePopupAccessibility()
{
    InstallAccessibleFactory(NoticePopupFactory);
}

void AnnounceNotice(TNoticePopupWindow* window)
{
    QAccessibleEvent alert(window, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
}
