#pragma once
#include <QImage>
#include <QStringList>

// The pictures the first windows show, decoded on a helper thread while the application connects
// to the display, so the start-up picture does not wait for them. A picture that was not decoded
// ahead is decoded when it is asked for.
namespace PicturesAhead {

// Starts decoding the files (resource or file paths) on a helper thread. Call it once, before
// the first window is made.
void Start(const QStringList& files);

// The file's picture: what the helper thread decoded (waiting for it when it is not done yet;
// handed out once), or, for any other file, decoded now.
QImage Take(const QString& file);

} // namespace PicturesAhead
