#pragma once
#include <QString>

// Where the client reads its own pages (splash.htm, help.htm) and where it writes the page it
// generates (sample.htm); both end with a separator.
//
// In the build tree, and wherever the pages sit beside the executable, both are the executable's
// folder. An installed client (bin/vellomar, its pages in share/vellomar/) reads the pages from
// there and writes into the user's data folder ($XDG_DATA_HOME/vellomar/), since the folders it
// is installed in are not the user's to write.
struct PageFolders {
    QString pages;
    QString output;
};

// The folders for a client whose executable lies in `executableFolder` (with a separator).
PageFolders PageFoldersFor(const QString& executableFolder);

// The folders of the running client.
PageFolders RunningPageFolders();
