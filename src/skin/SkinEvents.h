#pragma once
#include <QCoreApplication>
#include <QEvent>

// The private messages that the parts of the skin engine send one another, as events of their own
// type: QEvent::User plus the message number.
enum TSkinMessageId : int {
    kSkinRefreshMessage = 0x3401, // refresh the window's skin
    kFrameRefreshMessage = 0x3502, // repaint the frame
    kSkinAttachedMessage = 0x3503, // posted once after a window skinner was attached
    kSkinnedQueryMessage = 0x3504, // a window under a skinner answers 1
    kCaptionActionMessage = 0x3514, // a caption button whose Action has no built-in meaning
    kControlMouseLeaveMessage = 0xB014, // a control skinner's hot state ends (another one took it)
};

constexpr QEvent::Type SkinEventType(TSkinMessageId id)
{
    return QEvent::Type(int(QEvent::User) + int(id));
}

class TSkinMessage : public QEvent {
public:
    explicit TSkinMessage(TSkinMessageId id, int wParam = 0, int lParam = 0)
        : QEvent(SkinEventType(id)), WParam(wParam), LParam(lParam)
    {
    }

    static bool Is(const QEvent* event, TSkinMessageId id) { return event->type() == SkinEventType(id); }

    int WParam;
    int LParam;
    int Result = 0;
};

// True when something already skins the window (or popup): it answers the skinned-query with 1.
inline bool AnswersSkinnedQuery(QObject* window)
{
    TSkinMessage query(kSkinnedQueryMessage);
    QCoreApplication::sendEvent(window, &query);
    return query.Result == 1;
}
