#pragma once
#include "Component.h"

#include <QIcon>
#include <QImage>
#include <QList>

// A list of same-sized pictures addressed by index (menus, the popup's "IDX:" images, icon
// cycling). Pictures of another size are scaled to the list's size when added.
class TImageList : public TComponent {
    Q_OBJECT
    Q_PROPERTY(int Width READ Width WRITE SetWidth)
    Q_PROPERTY(int Height READ Height WRITE SetHeight)

public:
    explicit TImageList(QObject* owner = nullptr);

    int Width() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    int Height() const { return height_; }
    void SetHeight(int height) { height_ = height; }

    int Count() const { return int(images_.size()); }
    int Add(const QImage& image);
    // The picture at `index`, or a null image when the index is out of range.
    QImage Image(int index) const;
    QIcon Icon(int index) const;

private:
    QList<QImage> images_;
    int width_ = 16;
    int height_ = 16;
};
