#pragma once
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <string>

// The built demo service, started on a free port with a fresh database, stopped at the end.
class DemoProcess {
public:
    DemoProcess()
    {
        process.start(QStringLiteral(DEMO_BINARY),
                      {QStringLiteral("--port"), QStringLiteral("0"), QStringLiteral("--db"),
                       folder.filePath(QStringLiteral("demo.sqlite"))});
        process.waitForStarted();
        while (process.state() == QProcess::Running && !process.canReadLine())
            process.waitForReadyRead(100);
        const QString line = QString::fromUtf8(process.readLine());
        const auto match = QRegularExpression(QStringLiteral("^vellomar-demo listening on (http://127.0.0.1:(\\d+))\\n$"))
                               .match(line);
        if (match.hasMatch()) {
            host = match.captured(1).toStdString();
            port = match.captured(2).toInt();
        }
    }
    ~DemoProcess()
    {
        process.terminate();
        process.waitForFinished(5000);
    }

    QTemporaryDir folder;
    QProcess process;
    std::string host;
    int port = 0;
};
