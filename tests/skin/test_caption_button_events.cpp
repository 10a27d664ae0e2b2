// What a screen reader hears when a skinned window is maximised and restored: the caption
// button it may be reading takes its new name.
#include "AccessibilityEvents.h"
#include "SkinFixture.h"

class CaptionButtonEventsTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

private slots:
    void initTestCase() { QVERIFY(AccessibilityEvents::WaitForBus()); }

    void maximisingRenamesTheButton()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        TWinSkinForm* skinner = SkinnerOf(&form);
        QVERIFY(skinner);
        const QString button = u':' + QString::number(QAccessible::Button);

        const QSize normal = form.size();
        AccessibilityEvents events;
        QTest::mouseClick(&form, Qt::LeftButton, {}, skinner->CaptionButtons()[1]->Rect.center());
        QTRY_VERIFY(form.isMaximized());
        QCOMPARE(events.LastNamed(QAccessible::NameChanged), QStringLiteral("Restore") + button);
        events.events.clear();
        QTest::mouseClick(&form, Qt::LeftButton, {}, skinner->CaptionButtons()[1]->Rect.center());
        QTRY_VERIFY(!form.isMaximized());
        QCOMPARE(events.LastNamed(QAccessible::NameChanged), QStringLiteral("Maximize") + button);
        // Nothing changed, nothing said; once the window has its old size back.
        QTRY_COMPARE(form.size(), normal);
        QTest::qWait(200);
        events.events.clear();
        form.resize(form.size() + QSize(10, 10));
        QTest::qWait(50);
        QVERIFY(events.Of(QAccessible::NameChanged).isEmpty());
        form.hide();
        ResetSkinManager();
        data.reset();
    }
};

VELLOMAR_TEST_MAIN(CaptionButtonEventsTest)
#include "test_caption_button_events.moc"
