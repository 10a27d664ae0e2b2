// What a screen reader hears when the notice opens: an alert that reads the notice as plain text.
#include "AccessibilityEvents.h"
#include "TestSupport.h"
#include "framework/Canvas.h"
#include "notify/NoticePopup.h"
#include "notify/NoticePopupAccessible.h"

#include <QWidget>

class NoticeAlertTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        InstallNoticePopupAccessibility();
        QVERIFY(AccessibilityEvents::WaitForBus());
    }

    void openingTheNoticeRaisesAnAlertWithItsPlainText()
    {
        QWidget owner;
        TNoticePopup popup(&owner);
        popup.AutoSize = true;
        popup.BorderSize = 5;
        popup.SetFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));
        popup.SetText({QStringLiteral("<B>Vellomar</B><br><FONT color=\"#FF0000\">somebody</FONT> has entered the chat.")});

        AccessibilityEvents events;
        popup.OpenPopup();
        QList<AccessibilityEvents::Event> alerts = events.Of(QAccessible::Alert);
        QCOMPARE(alerts.size(), 1);
        QCOMPARE(alerts[0].object, popup.Window());
        QCOMPARE(alerts[0].role, QAccessible::AlertMessage);
        QCOMPARE(alerts[0].name, QStringLiteral("Vellomar\nsomebody has entered the chat."));

        // The next newcomer is announced with the new text; closing says nothing.
        popup.ClosePopup();
        popup.SetText({QStringLiteral("<B>Vellomar</B><br>Ann &amp; Bob have entered the chat.")});
        popup.OpenPopup();
        popup.ClosePopup();
        alerts = events.Of(QAccessible::Alert);
        QCOMPARE(alerts.size(), 2);
        QCOMPARE(alerts[1].name, QStringLiteral("Vellomar\nAnn & Bob have entered the chat."));
    }
};

VELLOMAR_TEST_MAIN(NoticeAlertTest)
#include "test_notice_alert.moc"
