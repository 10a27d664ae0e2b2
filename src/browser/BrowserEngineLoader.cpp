#include "BrowserEngineLoader.h"
#include "BrowserEngine.h"

#include <QCoreApplication>
#include <QDir>
#include <QOpenGLContext>
#include <QPluginLoader>

// Exported by Qt GUI under its own name; the engine reads the context it sets.
Q_GUI_EXPORT void qt_gl_set_global_share_context(QOpenGLContext* context); // NOLINT(readability-identifier-naming)

namespace {

// The engine insists on an application-wide GL context to share its own with, and otherwise
// asks for one before the application object exists, which loads the GL driver before the
// first window. It renders in software here (the module says so), so a context that is never
// created serves: the engine reads its format and finds no GL to use.
void OfferUncreatedShareContext()
{
    if (!QOpenGLContext::globalShareContext())
        qt_gl_set_global_share_context(new QOpenGLContext(QCoreApplication::instance()));
}

} // namespace

QString BrowserEngineModulePath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QLatin1Char('/')
                           + QStringLiteral(VELLOMAR_ENGINE_MODULE_FROM_BINARY));
}

BrowserEngine* LoadBrowserEngineFrom(const QString& path, QString* error)
{
    OfferUncreatedShareContext();
    QPluginLoader loader(path);
    auto* engine = qobject_cast<BrowserEngine*>(loader.instance());
    if (!engine)
        *error = loader.errorString().isEmpty() ? QStringLiteral("%1 is not a browser engine module").arg(path)
                                                : loader.errorString();
    return engine;
}

BrowserEngine* LoadBrowserEngine(QString* error)
{
    static QString failure;
    static BrowserEngine* const engine = LoadBrowserEngineFrom(BrowserEngineModulePath(), &failure);
    if (!engine)
        *error = failure;
    return engine;
}
