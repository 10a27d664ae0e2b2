#include "LoginForm.h"

#include "AppIcon.h"

TForm3* Form3 = nullptr;

TForm3::TForm3()
{
    BeginLayout();
    setObjectName(QStringLiteral("Form3"));
    SetCaption(QStringLiteral("Vellomar Login"));
    setWindowIcon(AppIcon());
    resize(426, 195);
    EndLayout();
}
