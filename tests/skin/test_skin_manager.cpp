// The skin manager: which windows and controls get skinned, with which skin data, and how
// switching skinning off, on and loading another skin reach the windows.
#include "SkinFixture.h"
#include "framework/Controls.h"
#include "framework/Edit.h"
#include "skin/SkinControl.h"
#include "skin/SkinEvents.h"
#include "skin/StoredSkin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QCursor>
#include <QDateEdit>
#include <QGroupBox>
#include <QListView>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QToolButton>

namespace {

// The kind of skinner the window's skinner gave a control, or nullopt.
std::optional<TSkinnerKind> SkinnerKindOf(const QWidget* window, const QWidget* control)
{
    if (TWinSkinForm* skinner = SkinnerOf(window))
        for (TSkinControl* c : skinner->ControlSkinners())
            if (c->Control() == control)
                return c->Kind();
    return std::nullopt;
}

// Records the caption-action messages a window receives.
class ActionRecorder : public QObject {
public:
    QList<int> actions;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (TSkinMessage::Is(event, kCaptionActionMessage))
            actions.append(static_cast<TSkinMessage*>(event)->WParam);
        return false;
    }
};

QPoint CentreOfButton(const QWidget* window, int action)
{
    for (const auto& button : SkinnerOf(window)->CaptionButtons())
        if (button->Action() == action && button->Visible)
            return button->Rect.center();
    return {-1, -1};
}

} // namespace

class SkinManagerTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

    void LoadSkin(const QByteArray& package = TestSkin().Package()) { data.reset(LoadedSkinData(package)); }

private slots:
    void cleanup()
    {
        ResetSkinManager();
        data.reset();
    }

    void captionButtonVisibility_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("first");
        QTest::addColumn<int>("action");
        QTest::addColumn<QString>("state");
        QTest::addColumn<bool>("visible");
        // state letters: M maximised, A active, X maximise box, N minimise box, S system menu
        QTest::addRow("0 close with system menu") << 0 << true << 0 << "S" << true;
        QTest::addRow("0 close without system menu") << 0 << true << 0 << "" << false;
        QTest::addRow("0 other action") << 0 << true << 5 << "" << true;
        QTest::addRow("0 second code always") << 0 << false << 0 << "" << true;
        QTest::addRow("1 maximised") << 1 << true << 1 << "M" << true;
        QTest::addRow("1 normal") << 1 << true << 1 << "" << false;
        QTest::addRow("2 normal") << 2 << false << 1 << "" << true;
        QTest::addRow("3 active") << 3 << true << 1 << "A" << true;
        QTest::addRow("4 active") << 4 << true << 1 << "A" << false;
        QTest::addRow("6 box without menu") << 6 << true << 1 << "X" << false;
        QTest::addRow("6 box and menu") << 6 << true << 1 << "XS" << true;
        QTest::addRow("6 second code box only") << 6 << false << 1 << "X" << true;
        QTest::addRow("7 no box") << 7 << true << 1 << "" << true;
        QTest::addRow("8 box and menu") << 8 << true << 2 << "NS" << true;
        QTest::addRow("8 second code box only") << 8 << false << 2 << "N" << true;
        QTest::addRow("9 box") << 9 << true << 2 << "N" << false;
        QTest::addRow("100 no child windows") << 100 << true << 7 << "MAXNS" << false;
        QTest::addRow("200") << 200 << true << 9 << "" << true;
        QTest::addRow("2000") << 2000 << false << 9 << "" << true;
        QTest::addRow("2001") << 2001 << false << 9 << "MAXNS" << false;
        QTest::addRow("-1") << -1 << false << -1 << "MAXNS" << false;
    }
    void captionButtonVisibility()
    {
        QFETCH(int, code);
        QFETCH(bool, first);
        QFETCH(int, action);
        QFETCH(QString, state);
        QFETCH(bool, visible);
        TCaptionState s;
        s.maximised = state.contains(u'M');
        s.active = state.contains(u'A');
        s.maximizeBox = state.contains(u'X');
        s.minimizeBox = state.contains(u'N');
        s.systemMenu = state.contains(u'S');
        QCOMPARE(CaptionVisibility(code, first, action, s), visible);
    }

    void buttonsOfALoginLikeWindow()
    {
        LoadSkin(StoredSkinPackage());
        TestForm form;
        form.setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        QPixmap icon(16, 16);
        icon.fill(Qt::blue);
        form.setWindowIcon(QIcon(icon));
        QVERIFY(ShowAndWait(&form));
        QStringList shown;
        for (const auto& button : SkinnerOf(&form)->CaptionButtons())
            if (button->Visible)
                shown << QString::number(button->Action());
        QCOMPARE(shown, (QStringList{"0", "3"}));
    }

    void maximiseButtonMaximisesAndRestores()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const QRect normal = form.geometry();
        QTest::mouseClick(&form, Qt::LeftButton, {}, CentreOfButton(&form, 1));
        QTRY_VERIFY(form.isMaximized());
        QTRY_VERIFY(form.width() > normal.width());
        QCOMPARE(SkinnerOf(&form)->ShowState(), shMaximized);
        // The button moved with the right edge; clicking it on the maximised window restores it.
        QTest::mouseClick(&form, Qt::LeftButton, {}, CentreOfButton(&form, 1));
        QTRY_VERIFY(!form.isMaximized());
        QTRY_COMPARE(form.size(), normal.size());
    }

    void releaseAwayFromTheButtonDoesNothing()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const QPoint button = CentreOfButton(&form, 0);
        QTest::mousePress(&form, Qt::LeftButton, {}, button);
        QTest::mouseMove(&form, QPoint(150, 10));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, QPoint(150, 10));
        QTest::qWait(50);
        QVERIFY(form.isVisible());
    }

    void doubleClickOnTheCaption_data()
    {
        QTest::addColumn<bool>("maximizeBox");
        QTest::addRow("with a maximise box") << true;
        QTest::addRow("without a maximise box") << false;
    }
    void doubleClickOnTheCaption()
    {
        QFETCH(bool, maximizeBox);
        LoadSkin();
        TestForm form;
        if (!maximizeBox)
            form.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint
                                | Qt::WindowMinimizeButtonHint);
        QVERIFY(ShowAndWait(&form));
        const QRect before = form.geometry();
        QTest::mouseDClick(&form, Qt::LeftButton, {}, QPoint(150, 10));
        if (maximizeBox) {
            QTRY_VERIFY(form.isMaximized());
            QTest::mouseDClick(&form, Qt::LeftButton, {}, QPoint(150, 10));
            QTRY_VERIFY(!form.isMaximized());
        } else {
            QTest::qWait(100);
            QVERIFY(!form.isMaximized());
            QCOMPARE(form.geometry(), before);
        }
    }

    void minimiseButtonMinimises()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QTest::mouseClick(&form, Qt::LeftButton, {}, CentreOfButton(&form, 2));
        QTRY_VERIFY(form.isMinimized());
    }

    void closeButtonClosesTheWindow()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QTest::mouseClick(&form, Qt::LeftButton, {}, CentreOfButton(&form, 0));
        QTRY_VERIFY(!form.isVisible());
    }

    void otherActionsReachTheWindow()
    {
        TestSkin skin;
        skin.pictures["own.bmp"] = FrameStrip({17, 17}, {qRgb(1, 2, 3), qRgb(4, 5, 6), qRgb(7, 8, 9), qRgb(9, 9, 9)});
        skin.sections += "[Button7]\nButtonImage=own.bmp\nAction=40\nAlign=0\nXcoord=100\nYcoord=3\nframe=4\n";
        LoadSkin(skin.Package());
        TestForm form;
        ActionRecorder recorder;
        form.installEventFilter(&recorder);
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(CentreOfButton(&form, 40), QPoint(108, 11));
        QTest::mouseClick(&form, Qt::LeftButton, {}, CentreOfButton(&form, 40));
        QTRY_COMPARE(recorder.actions, QList<int>{40});
        QVERIFY(form.isVisible() && !form.isMaximized());
    }

    void draggingTheCaptionMovesTheWindow()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const QPoint before = form.pos();
        // The pointer's path on the screen; the window moves under it.
        const QPoint start = form.mapToGlobal(QPoint(150, 10));
        QTest::mousePress(&form, Qt::LeftButton, {}, QPoint(150, 10));
        QTest::mouseMove(&form, form.mapFromGlobal(start + QPoint(20, 20)));
        QTest::mouseMove(&form, form.mapFromGlobal(start + QPoint(40, 30)));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, form.mapFromGlobal(start + QPoint(40, 30)));
        QTRY_COMPARE(form.pos(), before + QPoint(40, 30));
    }

    void draggingAnEdgeResizes_data()
    {
        QTest::addColumn<QString>("edge");
        QTest::addColumn<QPoint>("pull");
        QTest::addColumn<QRect>("change"); // added to the geometry's left, top, right, bottom
        QTest::addRow("right") << "right" << QPoint(30, 0) << QRect(QPoint(0, 0), QPoint(30, 0));
        QTest::addRow("bottom") << "bottom" << QPoint(0, 20) << QRect(QPoint(0, 0), QPoint(0, 20));
        QTest::addRow("bottom right") << "corner" << QPoint(30, 20) << QRect(QPoint(0, 0), QPoint(30, 20));
        QTest::addRow("left") << "left" << QPoint(-30, 0) << QRect(QPoint(-30, 0), QPoint(0, 0));
    }
    void draggingAnEdgeResizes()
    {
        QFETCH(QString, edge);
        QFETCH(QPoint, pull);
        QFETCH(QRect, change);
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const QRect before = form.geometry();
        const int w = form.width(), h = form.height();
        const QPoint grip = edge == u"right" ? QPoint(w - 1, h / 2)
            : edge == u"bottom"              ? QPoint(w / 2, h - 1)
            : edge == u"corner"              ? QPoint(w - 2, h - 2)
                                             : QPoint(0, h / 2);
        QCOMPARE(form.cursor().shape(), Qt::ArrowCursor);
        QTest::mouseMove(&form, grip);
        QVERIFY(form.cursor().shape() != Qt::ArrowCursor);
        const QPoint start = form.mapToGlobal(grip);
        QTest::mousePress(&form, Qt::LeftButton, {}, grip);
        QTest::mouseMove(&form, form.mapFromGlobal(start + pull / 2));
        QTest::mouseMove(&form, form.mapFromGlobal(start + pull));
        QTest::mouseRelease(&form, Qt::LeftButton, {}, form.mapFromGlobal(start + pull));
        const QRect expected(before.topLeft() + change.topLeft(), before.bottomRight() + change.bottomRight());
        QTRY_COMPARE(form.geometry(), expected);
        // The client follows: the frame keeps its size.
        QCOMPARE(form.ClientArea()->size(), QSize(300, 200) + expected.size() - before.size());
    }

    void hoverTimerLetsTheHotButtonGo()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        TWinSysButton* close = SkinnerOf(&form)->CaptionButtons()[0].get();
        QTest::mouseMove(&form, close->Rect.center());
        QCOMPARE(close->State, int(TNCObject::stHot));
        QCOMPARE(SkinnerOf(&form)->HotObject(), close);
        // The pointer leaves without the window hearing of it.
        QCursor::setPos(form.mapToGlobal(QPoint(150, 100)));
        QTRY_COMPARE(close->State, int(TNCObject::stNormal));
        QVERIFY(!SkinnerOf(&form)->HotObject());
    }

    void formTags_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("skinned");
        QTest::addRow("0") << 0 << true;
        QTest::addRow("99") << 99 << false;
        // The form rule is the constant 99, not DisableTag's "mod 100".
        QTest::addRow("199") << 199 << true;
    }
    void formTags()
    {
        QFETCH(int, tag);
        QFETCH(bool, skinned);
        LoadSkin();
        TestForm form;
        form.SetTag(tag);
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(SkinnerOf(&form) != nullptr, skinned);
        QCOMPARE(AnswersSkinnedQuery(&form), skinned);
    }

    void controlTags_data()
    {
        QTest::addColumn<int>("tag");
        QTest::addColumn<bool>("skinned");
        QTest::addRow("0") << 0 << true;
        QTest::addRow("98") << 98 << true;
        QTest::addRow("99") << 99 << false;
        QTest::addRow("199") << 199 << false;
        QTest::addRow("-99") << -99 << true;
    }
    void controlTags()
    {
        QFETCH(int, tag);
        QFETCH(bool, skinned);
        LoadSkin();
        TestForm form;
        form.BeginLayout();
        auto* button = form.AddComponent(new QPushButton(QStringLiteral("OK"), form.ClientArea()));
        button->setProperty("Tag", tag); // a control of the toolkit, tagged by the program
        auto* edit = form.AddComponent(new TEdit(form.ClientArea()));
        edit->SetTag(tag); // a control that publishes its tag
        form.EndLayout();
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(SkinnerKindOf(&form, button).has_value(), skinned);
        QCOMPARE(SkinnerKindOf(&form, edit).has_value(), skinned);
    }

    void mappingTable_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QList<int>>("withoutKinds");
        QTest::addColumn<int>("kind"); // -1: not skinned
        QTest::addColumn<bool>("recoloured");
        const auto row = [](const char* name, const QString& control, QList<int> without, int kind,
                            bool recoloured = false) {
            QTest::addRow("%s", name) << control << without << kind << recoloured;
        };
        const QList<int> all;
        row("push button", "QPushButton", all, int(TSkinnerKind::Button));
        row("push button without xcButton", "QPushButton", {xcButton}, -1);
        row("check box", "QCheckBox", all, int(TSkinnerKind::CheckBox));
        row("radio button", "QRadioButton", all, int(TSkinnerKind::RadioButton));
        row("group box", "QGroupBox", all, int(TSkinnerKind::GroupBox), true);
        row("group box needs xcPanel", "QGroupBox", {xcPanel}, -1);
        row("group box ignores xcGroupBox", "QGroupBox", {xcGroupBox}, int(TSkinnerKind::GroupBox), true);
        row("bit button", "QCommandLinkButton", all, int(TSkinnerKind::BitButton));
        row("bit button without xcBitBtn stays plain", "QCommandLinkButton", {xcBitBtn}, -1);
        row("edit", "QLineEdit", all, int(TSkinnerKind::Edit));
        row("combo box", "QComboBox", all, int(TSkinnerKind::ComBox));
        row("progress bar", "QProgressBar", all, int(TSkinnerKind::Progress));
        row("status bar", "QStatusBar", all, int(TSkinnerKind::StatusBar));
        row("panel", "TCustomPanel", all, int(TSkinnerKind::Box), true);
        row("speed button", "QToolButton", all, int(TSkinnerKind::SpeedButton));
        row("track bar", "QSlider", all, int(TSkinnerKind::TrackBar));
        row("memo", "QPlainTextEdit", all, int(TSkinnerKind::Scrollbar));
        row("rich edit", "QTextEdit", all, int(TSkinnerKind::Scrollbar));
        row("list view", "QListView", all, int(TSkinnerKind::ListView));
        row("grid", "QTableView", all, int(TSkinnerKind::Scrollbar));
        row("scrolling window", "QScrollArea", all, int(TSkinnerKind::Scrollbar));
        row("date picker dropping down", "QDateEdit+calendar", all, int(TSkinnerKind::ComBox));
        row("date picker stepping", "QDateEdit", all, int(TSkinnerKind::Edit));
        row("spin box by Skin3rd", "QSpinBox", all, int(TSkinnerKind::Edit));
        row("tabs need the Tabs element", "QTabWidget", all, -1);
    }
    void mappingTable()
    {
        QFETCH(QString, control);
        QFETCH(QList<int>, withoutKinds);
        QFETCH(int, kind);
        QFETCH(bool, recoloured);
        LoadSkin();
        for (int k : withoutKinds)
            data->SkinControls.reset(k);
        TestForm form;
        form.BeginLayout();
        QWidget* parent = form.ClientArea();
        QWidget* c = nullptr;
        if (control == u"QPushButton")
            c = new QPushButton(parent);
        else if (control == u"QCheckBox")
            c = new QCheckBox(parent);
        else if (control == u"QRadioButton")
            c = new QRadioButton(parent);
        else if (control == u"QGroupBox")
            c = new QGroupBox(parent);
        else if (control == u"QCommandLinkButton")
            c = new QCommandLinkButton(parent);
        else if (control == u"QLineEdit")
            c = new QLineEdit(parent);
        else if (control == u"QComboBox")
            c = new QComboBox(parent);
        else if (control == u"QProgressBar")
            c = new QProgressBar(parent);
        else if (control == u"QStatusBar")
            c = new QStatusBar(parent);
        else if (control == u"TCustomPanel")
            c = new TCustomPanel(parent);
        else if (control == u"QToolButton")
            c = new QToolButton(parent);
        else if (control == u"QSlider")
            c = new QSlider(parent);
        else if (control == u"QPlainTextEdit")
            c = new QPlainTextEdit(parent);
        else if (control == u"QTextEdit")
            c = new QTextEdit(parent);
        else if (control == u"QListView")
            c = new QListView(parent);
        else if (control == u"QTableView")
            c = new QTableView(parent);
        else if (control == u"QScrollArea")
            c = new QScrollArea(parent);
        else if (control == u"QSpinBox")
            c = new QSpinBox(parent);
        else if (control == u"QTabWidget")
            c = new QTabWidget(parent);
        else if (control.startsWith(u"QDateEdit")) {
            auto* date = new QDateEdit(parent);
            date->setCalendarPopup(control.endsWith(u"calendar"));
            c = date;
        }
        QVERIFY2(c, qPrintable(control));
        form.AddComponent(c);
        form.EndLayout();
        const TColor before = ControlColour(c);
        QVERIFY(ShowAndWait(&form));
        const std::optional<TSkinnerKind> got = SkinnerKindOf(&form, c);
        QCOMPARE(got ? int(*got) : -1, kind);
        for (TSkinControl* skinner : SkinnerOf(&form)->ControlSkinners())
            if (skinner->Control() == c)
                QCOMPARE(skinner->Options().recolour, recoloured);
        if (recoloured)
            QCOMPARE(ControlColour(c), RGB(230, 230, 230));
        if (auto* bar = qobject_cast<QStatusBar*>(c))
            QVERIFY(!bar->isSizeGripEnabled());
        // Switched off, the recoloured control has its colour back, a status bar its size grip.
        SkinnerOf(&form)->Detach();
        QCOMPARE(ControlColour(c), before);
        if (auto* bar = qobject_cast<QStatusBar*>(c))
            QVERIFY(bar->isSizeGripEnabled());
    }

    void skin3rdNilStopsSkinning_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<bool>("skinned");
        QTest::addRow("default list") << QString() << true;
        QTest::addRow("nil") << "QSpinBox=nil" << false;
        QTest::addRow("mixed capitals") << "qspinbox=Nil" << false;
        QTest::addRow("another class") << "QSpinBoxes=nil" << true;
        QTest::addRow("a word with no skinner") << "QSpinBox=gauge" << false;
    }
    void skin3rdNilStopsSkinning()
    {
        QFETCH(QString, line);
        QFETCH(bool, skinned);
        LoadSkin();
        if (!line.isEmpty())
            data->Skin3rd.prepend(line);
        TestForm form;
        form.BeginLayout();
        auto* spin = form.AddComponent(new QSpinBox(form.ClientArea()));
        form.EndLayout();
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(SkinnerKindOf(&form, spin).has_value(), skinned);
    }

    void messageBoxSkinData_data()
    {
        QTest::addColumn<bool>("dialogData");
        QTest::addRow("with an sfDialog skin data") << true;
        QTest::addRow("main form's only") << false;
    }
    void messageBoxSkinData()
    {
        QFETCH(bool, dialogData);
        LoadSkin();
        std::unique_ptr<TSkinData> dialogs;
        if (dialogData)
            dialogs.reset(LoadedSkinData(StoredSkinPackage(), nullptr, sfDialog));
        QMessageBox box(QMessageBox::Critical, kErrorCaption, QStringLiteral("Please enter your email"),
                        QMessageBox::Ok);
        QVERIFY(ShowAndWait(&box));
        TWinSkinForm* skinner = SkinnerOf(&box);
        QVERIFY(skinner);
        QCOMPARE(skinner->SkinData(), dialogData ? dialogs.get() : data.get());
        QCOMPARE(skinner->Kind(), wkDialog);
        // Its buttons are mapped by their kind.
        QAbstractButton* ok = box.button(QMessageBox::Ok);
        QCOMPARE(SkinnerKindOf(&box, ok), std::optional(TSkinnerKind::Button));
        // Wide enough for its caption in the frame.
        QVERIFY(box.width() >= skinner->Borders().left() + skinner->Borders().right() + 28 + 70 + 8);
    }

    void aDialogHasNoIconButton()
    {
        LoadSkin(StoredSkinPackage());
        QMessageBox box(QMessageBox::Warning, kWarningCaption, QStringLiteral("text"), QMessageBox::Ok);
        QVERIFY(ShowAndWait(&box));
        for (const auto& button : SkinnerOf(&box)->CaptionButtons())
            if (button->Action() == 3)
                QVERIFY(!button->Visible);
        QCOMPARE(SkinnerOf(&box)->LayoutCaption(box.size()).text.left(), 4 + 28 - 16);
    }

    void onFormSkinVetoesAndIsAskedAgain()
    {
        LoadSkin();
        bool allow = false;
        QStringList asked;
        data->OnFormSkin = [&](QObject*, const QString& name, bool& doSkin) {
            asked << name;
            doSkin = allow;
        };
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QVERIFY(!SkinnerOf(&form));
        QCOMPARE(asked.first(), QStringLiteral("TForm"));
        allow = true;
        form.hide();
        QVERIFY(ShowAndWait(&form));
        QVERIFY(SkinnerOf(&form));
    }

    void switchingOffAndOn()
    {
        LoadSkin();
        TestForm first(QStringLiteral("First")), second(QStringLiteral("Second"));
        first.SetColor(clWhite);
        QVERIFY(ShowAndWait(&first));
        QVERIFY(ShowAndWait(&second));
        QVERIFY(SkinnerOf(&first) && SkinnerOf(&second));
        int changes = 0;
        bool unskinnedWhenTold = false;
        data->OnSkinChanged = [&](QObject* sender) {
            QCOMPARE(sender, data.get());
            ++changes;
            unskinnedWhenTold = !SkinnerOf(&first) && !SkinnerOf(&second);
        };

        data->SetActive(false);
        // The switch waits for the action timer.
        QVERIFY(SkinnerOf(&first) && SkinnerOf(&second));
        QCOMPARE(TSkinManage::Instance()->PendingAction(), int(TSkinManage::kSkinOff));
        QTRY_COMPARE(changes, 1);
        QVERIFY(unskinnedWhenTold);
        QCOMPARE(first.Color(), clWhite);
        QVERIFY(!(first.windowHandle()->flags() & Qt::FramelessWindowHint));
        // New windows stay unskinned while off.
        TestForm third;
        QVERIFY(ShowAndWait(&third));
        QVERIFY(!SkinnerOf(&third));
        third.hide();

        data->SetActive(true);
        QTRY_COMPARE(changes, 2);
        const auto& skinners = TSkinManage::Instance()->WindowSkinners();
        QCOMPARE(int(skinners.size()), 2);
        // The forms are skinned again from the last one created to the first.
        QCOMPARE(skinners[0]->Window(), &second);
        QCOMPARE(skinners[1]->Window(), &first);
        QCOMPARE(first.Color(), RGB(230, 230, 230));
    }

    void switchingOnWithoutASkinDoesNothing()
    {
        auto* empty = new TSkinData();
        empty->Loaded();
        data.reset(empty);
        QVERIFY(data->SkinEmpty());
        data->SetActive(true);
        QVERIFY(!data->Active());
    }

    void beforeAnyWindowSwitchingIsImmediate()
    {
        LoadSkin();
        TSkinManage* manager = TSkinManage::Instance();
        QCOMPARE(manager->ReadyCounter(), 0);
        QVERIFY(manager->Enabled());
        data->SetActive(false);
        QVERIFY(!manager->Enabled());
        data->SetActive(true);
        QVERIFY(manager->Enabled());
    }

    // Loading another skin file while windows are skinned skins them again with the new
    // elements; nothing keeps the old ones (run under AddressSanitizer, a stale one would show).
    void anotherSkinFileReskinsTheWindows()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        TWinSkinForm* skinner = SkinnerOf(&form);
        const std::weak_ptr<const TSkinElements> old = data->SharedElements();
        QCOMPARE(skinner->Elements(), data->SharedElements());

        TestSkin other;
        other.pictures["top.bmp"] = FrameStrip({30, 23}, {qRgb(0, 150, 150), qRgb(0, 50, 50)}, true);
        other.personality["TopFrame"] = "2";
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("other.skin"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(other.Package());
        file.close();
        int changes = 0;
        data->OnSkinChanged = [&](QObject*) { ++changes; };

        data->SetSkinFile(path);
        // Until the refresh the window paints with the elements it was built with.
        QVERIFY(!old.expired());
        QCOMPARE(form.grab().toImage().pixel(200, 5) & RGB_MASK, TestColours::kTop[0] & RGB_MASK);
        QTRY_COMPARE(changes, 1);
        QCOMPARE(SkinnerOf(&form), skinner);
        QCOMPARE(skinner->Elements(), data->SharedElements());
        QVERIFY(old.expired());
        QCOMPARE(form.grab().toImage().pixel(200, 5) & RGB_MASK, qRgb(0, 150, 150) & RGB_MASK);
        // Every caption button stands on an element of the new skin.
        const auto& entries = data->Elements().SysButtons;
        QCOMPARE(skinner->CaptionButtons().size(), entries.size());
        for (size_t i = 0; i < entries.size(); ++i)
            QCOMPARE(&skinner->CaptionButtons()[i]->Element(), entries[i].get());
    }

    // The refresh message skins the window again from the skin data's current elements.
    void refreshMessageRecolours()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(form.Color(), RGB(230, 230, 230));
        TestSkin other;
        other.sections.replace("ButtonFace=230 230 230", "ButtonFace=10 20 30");
        data->SetSkinStream(other.Package());
        QCOMPARE(form.Color(), RGB(230, 230, 230));
        TSkinMessage refresh(kSkinRefreshMessage);
        QCoreApplication::sendEvent(&form, &refresh);
        QCOMPARE(form.Color(), RGB(10, 20, 30));
        QCOMPARE(SkinnerOf(&form)->Lifecycle(), int(TWinSkinForm::lcReady));
    }

    void aMissingSkinFileChangesNothing()
    {
        LoadSkin();
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const auto elements = data->SharedElements();
        data->SetSkinFile(QStringLiteral("/nonexistent/other.skin"));
        QVERIFY(!data->SkinEmpty());
        QCOMPARE(data->SharedElements(), elements);
        // New windows are still skinned.
        TestForm next;
        QVERIFY(ShowAndWait(&next));
        QVERIFY(SkinnerOf(&next));
    }

    void destroyedWindowsArePurged()
    {
        LoadSkin();
        auto* form = new TestForm();
        QVERIFY(ShowAndWait(form));
        QCOMPARE(int(TSkinManage::Instance()->WindowSkinners().size()), 1);
        delete form;
        QTRY_COMPARE(int(TSkinManage::Instance()->WindowSkinners().size()), 0);
    }

    void aDestroyedControlLeavesItsWindowSkinner()
    {
        LoadSkin();
        TestForm form;
        form.BeginLayout();
        auto* button = form.AddComponent(new QPushButton(form.ClientArea()));
        form.EndLayout();
        QVERIFY(ShowAndWait(&form));
        QCOMPARE(SkinnerOf(&form)->ControlSkinners().size(), 1);
        delete button;
        QCOMPARE(SkinnerOf(&form)->ControlSkinners().size(), 0);
        SkinnerOf(&form)->Detach();
    }
};

VELLOMAR_TEST_MAIN(SkinManagerTest)
#include "test_skin_manager.moc"
