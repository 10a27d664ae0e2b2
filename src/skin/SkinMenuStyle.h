#pragma once
#include <QProxyStyle>

class TSkinManage;
struct TSkinElements;
class QStyleOptionMenuItem;

// The style of skinned popup menus: their frame and background from the popup skinner's
// MenuBackground image, and, for menus whose items the skin draws (kSkinItemsProperty), the
// items from the MenuItem element and the skin's menu colours. Everything else is the
// application's style.
class TSkinMenuStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit TSkinMenuStyle(TSkinManage& manager);

    int pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const override;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override;
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& contents,
                           const QWidget* widget) const override;

private:
    // The popup's composed frame image, or nullptr when the skin draws no frame for it.
    const QImage* FrameOf(const QWidget* menu) const;
    // The skin elements when the skin draws the menu's items.
    const TSkinElements* ItemElementsOf(const QWidget* menu) const;

    TSkinManage& manager_;
};

// A skinned menu item: measured from its contents (popup menus are wider), drawn over the
// menu's background (its composed frame image, or nullptr for the Menu colour).
QSize MeasureSkinMenuItem(const TSkinElements& elements, const QStyleOptionMenuItem& item, QSize contents, bool popup);
void DrawSkinMenuItem(QPainter& painter, const TSkinElements& elements, const QStyleOptionMenuItem& item,
                      const QImage* background);
