#include "SkinReader.h"

#include "framework/Application.h"
#include "framework/Dialogs.h"

void ShowSkinPackageProblem(const SkinPackageProblem& problem)
{
    if (problem.olderVersion)
        ShowMessageBox(TMessageKind::Plain, Application ? Application->Title() : QString(), problem.text);
    else
        ShowErrorBox(problem.text);
}
