#pragma once
#include <QString>

class BrowserEngine;

// The browser engine module of this installation, loaded on first use and kept for the whole
// run. nullptr when it cannot be loaded; *error then says why.
BrowserEngine* LoadBrowserEngine(QString* error);

// The engine module at `path`, for callers that name their own.
BrowserEngine* LoadBrowserEngineFrom(const QString& path, QString* error);

// Where this installation keeps the module: at a fixed place relative to the executable, so a
// build tree and an installed tree find it alike.
QString BrowserEngineModulePath();
