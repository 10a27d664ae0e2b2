#pragma once
#include "ChildProcess.h"

#include <QTemporaryDir>

#include <string>

// The built demo chat service, started on a free port with a fresh database, stopped at the end.
// Further options (a simulated room) come after those.
class DemoService {
public:
    explicit DemoService(const QStringList& options = {});
    ~DemoService() { process.Stop(); }

    bool Started() const { return port > 0; }

    std::string host;
    int port = 0;
    ChildProcess process;

private:
    QTemporaryDir folder_;
};
