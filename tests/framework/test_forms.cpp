#include "TestSupport.h"
#include "framework/ComponentReference.h"
#include "framework/Exception.h"
#include "framework/Form.h"
#include "framework/Timer.h"

#include <QSignalSpy>

namespace {

QStringList journal;

class Recorder : public TComponent {
public:
    explicit Recorder(QObject* owner, const QString& name) : TComponent(owner)
    {
        setObjectName(name);
        journal << QStringLiteral("build %1 reading=%2").arg(name).arg(Reading());
    }
    void Loaded() override { journal << QStringLiteral("loaded %1 reading=%2").arg(Name()).arg(Reading()); }
    void Notification(QObject* component, TOperation operation) override
    {
        if (operation == opRemove) {
            removed << component;
            partnerWhenNotified << partner;
        }
    }
    void SetPartner(TComponent* component)
    {
        SetComponentReference(*this, partner, component, [this] { journal << QStringLiteral("partner gone"); });
    }
    QList<QObject*> removed;
    TComponent* partner = nullptr;
    QList<QObject*> partnerWhenNotified;
};

// Hooks the form's create slot the way the start-up picture does.
class CreateHook : public TComponent {
public:
    explicit CreateHook(TForm* form) : TComponent(form)
    {
        kept_ = form->OnCreate;
        form->OnCreate = [this, form](QObject* sender) {
            journal << QStringLiteral("hook");
            form->OnCreate = kept_;
            if (kept_)
                kept_(sender);
        };
    }

private:
    TNotifyEvent kept_;
};

class SampleForm : public TForm {
public:
    SampleForm()
    {
        BeginLayout();
        OnCreate = [](QObject*) { journal << QStringLiteral("create"); };
        first = AddComponent(new Recorder(this, QStringLiteral("First")));
        AddComponent(new CreateHook(this));
        second = AddComponent(new Recorder(this, QStringLiteral("Second")));
        EndLayout();
    }
    Recorder* first;
    Recorder* second;
};

} // namespace

class FormsTest : public QObject {
    Q_OBJECT

private slots:
    void init() { journal.clear(); }

    void layoutLoadsInOrderThenCreates()
    {
        auto* form = new SampleForm;
        QCOMPARE(journal, QStringList({"build First reading=0", "build Second reading=0",
                                       "loaded First reading=0", "loaded Second reading=0", "hook", "create"}));
        QCOMPARE(form->FindComponent(QStringLiteral("second")), form->second);
        form->Destroy();
    }

    void removedComponentIsNotified()
    {
        auto* form = new SampleForm;
        auto* other = new TComponent(form);
        form->first->FreeNotification(other);
        form->first->FreeNotification(other); // asking twice is still one notice
        delete other;
        QCOMPARE(form->first->removed.size(), 1);
        auto* forgotten = new TComponent(form);
        form->first->FreeNotification(forgotten);
        form->first->RemoveFreeNotification(forgotten);
        delete forgotten;
        QCOMPARE(form->first->removed.size(), 1);
        form->Destroy();
    }

    // A reference is emptied when its component goes, before Notification hears of it; a
    // component no longer referred to is let go, unless FreeNotification asked for it too.
    void referenceFollowsItsComponent()
    {
        auto* form = new SampleForm;
        Recorder* owner = form->first;
        auto* replaced = new TComponent(form);
        auto* watched = new TComponent(form);
        auto* partner = new TComponent(form);
        owner->SetPartner(replaced);
        owner->SetPartner(watched);
        owner->FreeNotification(watched);
        owner->SetPartner(partner);
        delete replaced;
        QCOMPARE(owner->removed, QList<QObject*>());
        delete watched;
        QCOMPARE(owner->removed, QList<QObject*>{watched});
        QCOMPARE(owner->partner, partner);

        delete partner;
        QCOMPARE(owner->partner, nullptr);
        QCOMPARE(owner->removed.size(), 2);
        QCOMPARE(owner->partnerWhenNotified.last(), nullptr);
        QCOMPARE(journal.filter(QStringLiteral("partner")), QStringList{QStringLiteral("partner gone")});
        form->Destroy();
    }

    void closeActions_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<bool>("canClose");
        QTest::addColumn<bool>("visibleAfter");
        QTest::addColumn<bool>("minimizedAfter");
        QTest::addColumn<bool>("destroyed");
        QTest::newRow("hide") << int(caHide) << true << false << false << false;
        QTest::newRow("none keeps the window") << int(caNone) << true << true << false << false;
        QTest::newRow("minimise") << int(caMinimize) << true << true << true << false;
        QTest::newRow("free destroys") << int(caFree) << true << false << false << true;
        QTest::newRow("close query refuses") << int(caHide) << false << true << false << false;
    }
    void closeActions()
    {
        QFETCH(int, action);
        QFETCH(bool, canClose);
        QFETCH(bool, visibleAfter);
        QFETCH(bool, minimizedAfter);
        QFETCH(bool, destroyed);
        // A first form is the application's main form; this one must be a secondary one.
        auto* main = Application->CreateForm<TForm>();
        Q_UNUSED(main);
        auto* form = new TForm;
        bool destroyFired = false;
        form->OnCloseQuery = [&](QObject*, bool& ok) { ok = canClose; };
        form->OnClose = [&](QObject*, TCloseAction& a) { a = TCloseAction(action); };
        form->OnDestroy = [&](QObject*) { destroyFired = true; };
        QPointer<TForm> watch(form);
        form->Show();
        form->close();
        QCoreApplication::sendPostedEvents();
        QCOMPARE(destroyFired, destroyed);
        QCOMPARE(watch.isNull(), destroyed);
        if (!destroyed) {
            QCOMPARE(form->isVisible(), visibleAfter);
            QCOMPARE(bool(form->windowState() & Qt::WindowMinimized), minimizedAfter);
            form->Destroy();
        }
    }

    void errorInHandlerIsReportedAndProgramGoesOn()
    {
        RecordingDialogs dialogs;
        TTimer timer;
        timer.SetInterval(10);
        int ticks = 0;
        timer.OnTimer = [&](QObject* sender) {
            QCOMPARE(sender, &timer);
            if (++ticks == 1)
                throw Exception(QStringLiteral("Something went wrong"));
        };
        QTRY_VERIFY(ticks >= 3);
        timer.SetEnabled(false);
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].kind, TMessageKind::Error);
        QCOMPARE(dialogs.boxes[0].caption, QStringLiteral("Vellomar Chat"));
        QCOMPARE(dialogs.boxes[0].text, QStringLiteral("Something went wrong"));
    }

    void errorEscapingAnEventIsReported()
    {
        RecordingDialogs dialogs;
        auto* form = new TForm;
        form->OnCloseQuery = [](QObject*, bool&) { throw Exception(QStringLiteral("no closing now")); };
        form->Show();
        form->close();
        QCOMPARE(dialogs.boxes.size(), 1);
        QCOMPARE(dialogs.boxes[0].text, QStringLiteral("no closing now"));
        QVERIFY(form->isVisible());
        form->Destroy();
    }

    void enablingARunningTimerDoesNotRestartIt()
    {
        TTimer timer;
        timer.SetInterval(10000);
        QTest::qWait(300);
        const int before = timer.RemainingTime();
        timer.SetEnabled(true);
        QVERIFY(timer.RemainingTime() <= before);
        timer.SetInterval(20000); // a new interval starts over
        QVERIFY(timer.RemainingTime() > 10000);
        timer.SetEnabled(false);
        QCOMPARE(timer.RemainingTime(), -1);
    }

    void closingTheMainFormEndsTheLoop()
    {
        // Runs last: terminates the application's loop.
        TForm* main = Application->MainForm();
        QVERIFY(main);
        main->Show();
        main->close();
        QVERIFY(Application->Terminated());
    }

};

VELLOMAR_TEST_MAIN(FormsTest)
#include "test_forms.moc"
