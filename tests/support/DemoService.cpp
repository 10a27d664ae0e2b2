#include "DemoService.h"

#include <QRegularExpression>

DemoService::DemoService(const QStringList& options)
{
    const QStringList arguments{QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"),
                                folder_.filePath(QStringLiteral("demo.sqlite"))};
    if (!process.Start(BuiltProgram(QStringLiteral("vellomar-demo")), arguments + options))
        return;
    // One write, so the whole line is there once its start is.
    process.WaitForOutput("listening on", 15000);
    const auto said = QRegularExpression(QStringLiteral("vellomar-demo listening on (http://127.0.0.1:(\\d+))\\n"))
                          .match(QString::fromUtf8(process.Output()));
    if (said.hasMatch()) {
        host = said.captured(1).toStdString();
        port = said.captured(2).toInt();
    }
}
