// The built client under a real X server: a click on the sidebar's "Help" row shows the help
// page in the browser pane.
#include "TestSupport.h"

#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QScreen>
#include <QTemporaryDir>

namespace {

// Runs xdotool and returns its standard output, trimmed.
QString XDoTool(const QStringList& arguments)
{
    QProcess tool;
    tool.start(QStringLiteral("xdotool"), arguments);
    tool.waitForFinished(20000);
    return QString::fromLocal8Bit(tool.readAllStandardOutput()).trimmed();
}

QImage GrabWindow(WId window)
{
    return QGuiApplication::primaryScreen()->grabWindow(window).toImage();
}

} // namespace

class ClientHelpCommandTest : public QObject {
    Q_OBJECT

private slots:
    void helpRowShowsTheHelpPage()
    {
        QTemporaryDir config;
        QProcess client;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("VELLOMAR_TRACE_STARTUP"), QStringLiteral("1"));
        env.insert(QStringLiteral("VELLOMAR_CONFIG_DIR"), config.path());
        client.setProcessEnvironment(env);
        client.setProcessChannelMode(QProcess::SeparateChannels);
        client.start(QCoreApplication::applicationDirPath() + QStringLiteral("/vellomar"));
        QVERIFY(client.waitForStarted());
        QByteArray log;
        QTRY_VERIFY_WITH_TIMEOUT((log += client.readAllStandardError()).contains("vellomar-trace page-loaded"), 60000);

        const QString id = XDoTool({"search", "--sync", "--onlyvisible", "--name", "^Vellomar manager$"}).section(u'\n', 0, 0);
        QVERIFY2(!id.isEmpty(), "the main window did not appear");
        const WId window = id.toULongLong();
        // The start page is dark; the help page is light.
        const QPoint inPane(500, 300);
        QTRY_VERIFY_WITH_TIMEOUT(qGray(GrabWindow(window).pixel(inPane)) < 128, 10000);

        XDoTool({"mousemove", "--window", id, "60", "190", "click", "1"});
        QTRY_VERIFY_WITH_TIMEOUT(qGray(GrabWindow(window).pixel(inPane)) > 200, 20000);
        // The pointer rests on the row, which shows the hover box.
        const QImage shot = GrabWindow(window);
        QCOMPARE(shot.pixelColor(0, 162), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(3, 170), QColor(Qt::white));

        client.terminate();
        if (!client.waitForFinished(5000)) {
            client.kill();
            client.waitForFinished(5000);
        }
    }
};

VELLOMAR_TEST_MAIN(ClientHelpCommandTest)
#include "ClientHelpCommandTest.moc"
