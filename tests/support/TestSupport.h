#pragma once
#include "framework/Application.h"
#include "framework/Dialogs.h"

#include <QList>
#include <QTest>

// Records message boxes instead of showing them, for as long as it lives.
class RecordingDialogs final : public DialogService {
public:
    RecordingDialogs() : previous_(DialogService::Install(this)) {}
    ~RecordingDialogs() override { DialogService::Install(previous_); }

    void Show(const TMessageBox& box, QWidget*) override { boxes.append(box); }

    QList<TMessageBox> boxes;

private:
    DialogService* previous_;
};

// A Qt Test main with the program's application object, so default error handling, forms and
// the application's Terminate behave as in the client.
#define VELLOMAR_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char** argv)                                                                 \
    {                                                                                               \
        TApplication app(argc, argv);                                                               \
        app.SetTitle(QStringLiteral("Vellomar Chat"));                                              \
        TestClass test;                                                                             \
        QTEST_SET_MAIN_SOURCE_PATH                                                                  \
        return QTest::qExec(&test, argc, argv);                                                     \
    }
