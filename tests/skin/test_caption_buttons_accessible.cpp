// The caption buttons of a skinned frame as assistive clients meet them: buttons named by what
// they do now, where they are drawn, pressed as a click presses them, gone with the skin.
#include "SkinFixture.h"
#include "skin/StoredSkin.h"

#include <QAccessible>
#include <QAccessibleInterface>
#include <QFile>
#include <QTemporaryDir>

namespace {

// The names of the window interface's children that are no widgets: the caption buttons.
QStringList PartNames(QAccessibleInterface* window)
{
    QStringList names;
    for (int i = 0; i < window->childCount(); ++i)
        if (QAccessibleInterface* child = window->child(i); child && !child->object())
            names << child->text(QAccessible::Name);
    return names;
}

QAccessibleInterface* CaptionButton(QWidget* window, const QString& name)
{
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(window);
    for (int i = 0; i < iface->childCount(); ++i)
        if (QAccessibleInterface* child = iface->child(i);
            child && !child->object() && child->text(QAccessible::Name) == name)
            return child;
    return nullptr;
}

void Press(QAccessibleInterface* button)
{
    button->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class CaptionButtonsAccessibleTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TSkinData> data;

private slots:
    void cleanup()
    {
        ResetSkinManager();
        data.reset();
    }

    void buttonsByTheWindowsCaptionFlags_data()
    {
        QTest::addColumn<Qt::WindowFlags>("flags");
        QTest::addColumn<QStringList>("names");
        QTest::addRow("sizeable window") << Qt::WindowFlags(Qt::Window) << QStringList{"Close", "Maximize", "Minimize"};
        QTest::addRow("no maximise box") << (Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
                                             | Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint)
                                         << QStringList{"Close", "Minimize"};
    }
    void buttonsByTheWindowsCaptionFlags()
    {
        QFETCH(Qt::WindowFlags, flags);
        QFETCH(QStringList, names);
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        form.setWindowFlags(flags);
        QVERIFY(ShowAndWait(&form));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        QCOMPARE(PartNames(window), names);
        for (const auto& button : SkinnerOf(&form)->CaptionButtons()) {
            if (!button->Visible)
                continue;
            const QString name = QStringList{"Close", "Maximize", "Minimize"}.value(button->Action());
            QAccessibleInterface* part = CaptionButton(&form, name);
            QVERIFY2(part, qPrintable(name));
            QCOMPARE(part->role(), QAccessible::Button);
            QCOMPARE(part->parent(), window);
            QCOMPARE(window->indexOfChild(part), window->childCount() - names.size() + names.indexOf(name));
            // Where it is drawn, and found there.
            QCOMPARE(part->rect(), QRect(form.mapToGlobal(button->Rect.topLeft()), button->Rect.size()));
            QCOMPARE(window->childAt(part->rect().center().x(), part->rect().center().y()), part);
            QCOMPARE(part->actionInterface()->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
        }
    }

    // Apart from its caption buttons a form reads as the toolkit reads any window.
    void theFormReadsAsAWindow()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QWidget window;
        window.setWindowTitle(form.windowTitle());
        window.resize(form.size());
        QVERIFY(ShowAndWait(&form));
        QVERIFY(ShowAndWait(&window));
        QAccessibleInterface* ours = QAccessible::queryAccessibleInterface(&form);
        QAccessibleInterface* plain = QAccessible::queryAccessibleInterface(&window);
        QCOMPARE(ours->role(), plain->role());
        QCOMPARE(ours->text(QAccessible::Name), plain->text(QAccessible::Name));
        QCOMPARE(ours->rect(), QRect(form.mapToGlobal(QPoint()), form.size()));
    }

    void pressingMaximizeMaximisesAndRenamesItRestore()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        const QSize normal = form.size();
        QAccessibleInterface* button = CaptionButton(&form, QStringLiteral("Maximize"));
        QVERIFY(button);
        Press(button);
        // A press asked for by a client runs from the event loop, as a posted click would.
        QVERIFY(!form.isMaximized());
        QTRY_VERIFY(form.isMaximized());
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Restore"));
        QCOMPARE(CaptionButton(&form, QStringLiteral("Restore")), button);
        Press(button);
        QTRY_VERIFY(!form.isMaximized());
        QTRY_COMPARE(form.size(), normal);
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Maximize"));
    }

    void pressingMinimizeMinimises()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QAccessibleInterface* button = CaptionButton(&form, QStringLiteral("Minimize"));
        QVERIFY(button);
        Press(button);
        QTRY_VERIFY(form.isMinimized());
        QCOMPARE(button->text(QAccessible::Name), QStringLiteral("Restore"));
    }

    void pressingCloseClosesAsTheCloseBoxDoes()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        bool asked = false;
        form.OnCloseQuery = [&](QObject*, bool& canClose) {
            asked = true;
            canClose = true;
        };
        QVERIFY(ShowAndWait(&form));
        Press(CaptionButton(&form, QStringLiteral("Close")));
        QTRY_VERIFY(!form.isVisible());
        QVERIFY(asked);
    }

    // A client holding on to a button across a skin reload meets the new skin's button; with the
    // skin switched off there is none, and asking is harmless.
    void aHeldButtonFollowsTheSkin()
    {
        data.reset(LoadedSkinData(TestSkin().Package()));
        TestForm form;
        QVERIFY(ShowAndWait(&form));
        QAccessibleInterface* window = QAccessible::queryAccessibleInterface(&form);
        const int ownChildren = window->childCount() - 3;
        QAccessibleInterface* close = CaptionButton(&form, QStringLiteral("Close"));
        QVERIFY(close);
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("ours.skn"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(StoredSkinPackage()) > 0);
        file.close();
        data->SetSkinFile(path);
        QTRY_COMPARE(SkinnerOf(&form)->Elements(), data->SharedElements());
        QVERIFY(close->isValid());
        QCOMPARE(close->rect().size(), SkinnerOf(&form)->CaptionButtons()[0]->Rect.size());

        data->SetActive(false);
        QTRY_VERIFY(!SkinnerOf(&form));
        QCOMPARE(window->childCount(), ownChildren);
        QVERIFY(!close->isValid());
        QCOMPARE(close->text(QAccessible::Name), QString());
        QVERIFY(close->actionInterface()->actionNames().isEmpty());
        Press(close);
        QTest::qWait(50);
        QVERIFY(form.isVisible());
    }
};

VELLOMAR_TEST_MAIN(CaptionButtonsAccessibleTest)
#include "test_caption_buttons_accessible.moc"
