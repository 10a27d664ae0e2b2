#include "TestSupport.h"
#include "framework/Form.h"

namespace {

QStringList journal;

class Part : public TComponent {
public:
    Part(QObject* owner, const QString& name, bool endsProgram) : TComponent(owner), endsProgram_(endsProgram)
    {
        setObjectName(name);
    }
    void Loaded() override
    {
        journal << Name();
        if (endsProgram_)
            Application->Terminate();
    }

private:
    bool endsProgram_;
};

class GuardedForm : public TForm {
public:
    explicit GuardedForm(bool guardEnds)
    {
        BeginLayout();
        OnCreate = [](QObject*) { journal << QStringLiteral("create"); };
        AddComponent(new Part(this, QStringLiteral("Browser"), false));
        AddComponent(new Part(this, QStringLiteral("Guard"), guardEnds));
        AddComponent(new Part(this, QStringLiteral("Tray"), false));
        EndLayout();
    }
};

} // namespace

// A second copy: its guard ends the program while the main window is being built.
class EndingTest : public QObject {
    Q_OBJECT

private slots:
    void aRunningProgramLoadsEverythingAndCreates()
    {
        journal.clear();
        (new GuardedForm(false))->Destroy();
        QCOMPARE(journal, QStringList({"Browser", "Guard", "Tray", "create"}));
    }

    void theComponentThatEndsTheProgramIsTheLastLoaded()
    {
        journal.clear();
        (new GuardedForm(true))->Destroy();
        QVERIFY(Application->Terminated());
        QCOMPARE(journal, QStringList({"Browser", "Guard"}));
    }

    void formsOfAnEndingProgramLoadButDoNotCreate()
    {
        journal.clear();
        (new GuardedForm(false))->Destroy();
        QCOMPARE(journal, QStringList({"Browser", "Guard", "Tray"}));
    }
};

VELLOMAR_TEST_MAIN(EndingTest)
#include "test_ending.moc"
