#pragma once
#include "ChangeNotifier.h"
#include "CommandCollection.h"

#include <QImage>
#include <QKeyCombination>
#include <QString>

class TCommandItem;
class TCommandPanel;
using TCommandItems = TCommandCollection<TCommandItem, TCommandPanel>;

// One command of a panel: in the large-icon style an icon above a one-line caption. Its index
// is its position in the panel's Items; an invisible item keeps its index but takes no row.
class TCommandItem : public TChangeNotifier<TCommandItem> {
public:
    explicit TCommandItem(TCommandItems* collection) : collection_(collection) {}

    // Repaints the bar.
    void Changed();

    TCommandPanel* Panel() const { return collection_->GetOwner(); }
    int Index() const { return collection_->IndexOf(this); }

    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& caption) { Store(caption_, caption); }
    const QImage& Icon() const { return icon_; }
    void SetIcon(const QImage& icon);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible) { Store(visible_, visible); }
    int Indent() const { return indent_; }
    void SetIndent(int indent) { Store(indent_, indent); }
    // No key when empty.
    QKeyCombination ShortCut() const { return shortCut_; }
    void SetShortCut(QKeyCombination shortCut) { Store(shortCut_, shortCut); }
    // The row height when the panel lets items choose their own.
    int Height() const { return height_; }
    void SetHeight(int height) { Store(height_, height); }
    // Opened by the desktop after the item's click event.
    const QString& URL() const { return url_; }
    void SetURL(const QString& url) { url_ = url; }
    // Shown in the bar's help area when the item is clicked.
    const QString& Help() const { return help_; }
    void SetHelp(const QString& help) { help_ = help; }

private:
    TCommandItems* collection_;
    QString caption_;
    QImage icon_;
    bool visible_ = true;
    int indent_ = 0;
    QKeyCombination shortCut_ = QKeyCombination(Qt::NoModifier, Qt::Key(0));
    int height_ = 48;
    QString url_;
    QString help_;
};
