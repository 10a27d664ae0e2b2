#pragma once
#include <QImage>
#include <QList>
#include <QString>

#include <functional>

struct Drawing {
    QString fileName;
    std::function<QImage()> draw;
};

QList<Drawing> AllDrawings();
// The main window's 16 x 16 image list, imagelist/N.png in index order.
QList<Drawing> MenuImageDrawings();

// The icon sizes of the application icon.
const QList<int>& AppIconSizes();
QImage DrawAppIcon(int size);
QImage DrawSplashPicture();
QList<Drawing> SidebarIconDrawings();
