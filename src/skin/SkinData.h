#pragma once
#include "SkinLoader.h"

#include "framework/Component.h"
#include "framework/Events.h"

#include <QBrush>
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QStringList>

#include <bitset>
#include <functional>
#include <memory>

class QIODevice;
class QWidget;

enum TSkinControlType {
    xcMainMenu, xcPopupMenu, xcToolbar, xcControlbar, xcCombo, xcCheckBox, xcRadioButton,
    xcProgress, xcScrollbar, xcEdit, xcButton, xcBitBtn, xcSpeedButton, xcPanel, xcGroupBox,
    xcStatusBar, xcTab, xcSystemMenu, xcReportPreview,
    kSkinControlTypeCount
};
using TSkinControls = std::bitset<kSkinControlTypeCount>;

enum TSkinFormType { sfMainform, sfOnlyThisForm, sfDialog };

using TOnFormSkin = std::function<void(QObject* Sender, const QString& aName, bool& DoSkin)>;
using TOnSkinControl = std::function<void(QObject* Sender, QObject* SkinData, QWidget* Form,
                                          QWidget* Control, const QString& ControlClass,
                                          QObject*& SkinnedControl)>;

// The skin component of a window: holds a skin package (stored with the window's layout or read
// from a file) and the elements, colours and caption buttons built from it. Once its window is
// loaded it hands itself to the skin manager, which skins the windows it serves.
class TSkinData : public TComponent {
    Q_OBJECT
    Q_PROPERTY(bool Active READ Active WRITE SetActive)
    Q_PROPERTY(int DisableTag READ DisableTag WRITE SetDisableTag)
    Q_PROPERTY(QString SkinFile READ SkinFile WRITE SetSkinFile)
    Q_PROPERTY(QString SkinStore READ SkinStore WRITE SetSkinStore)
    Q_PROPERTY(QString Version READ Version WRITE SetVersion)
    Q_PROPERTY(bool MenuUpdate READ MenuUpdate WRITE SetMenuUpdate)

public:
    explicit TSkinData(QObject* owner = nullptr);
    ~TSkinData() override;

    // Registers with the skin manager (creating it) once the owner's layout is read.
    void Loaded() override;

    bool Active() const { return active_; }
    // Switches the skinning this skin data serves on or off, 250 ms later.
    void SetActive(bool active);
    int DisableTag() const { return disableTag_; }
    void SetDisableTag(int tag) { disableTag_ = tag; }
    QString SkinFile() const { return skinFile_; }
    // Stores the path; when the file exists its content becomes the package and is loaded, and
    // the windows this skin data serves are skinned again with it.
    void SetSkinFile(const QString& path);
    // Has every window skinned with this skin data rebuilt with its current elements, 250 ms later.
    void Reapply();
    // A stored skin is reported only while designing, which this program never does.
    QString SkinStore() const { return QStringLiteral("(none)"); }
    void SetSkinStore(const QString&) {}
    QString Version() const { return QStringLiteral("1.0"); }
    void SetVersion(const QString&) {}
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool update) { menuUpdate_ = update; }

    TSkinControls SkinControls;
    QStringList Skin3rd;
    TSkinFormType SkinFormtype = sfMainform;
    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;

    // The stored property: a 4-byte little-endian count, then that many package bytes; a count
    // of 0 or less stores no skin. Reading loads the skin when there is one.
    void ReadSkinStream(QIODevice& stream);
    void WriteSkinStream(QIODevice& stream) const;
    // Makes `package` the skin package and loads it (nothing is loaded for an empty one).
    void SetSkinStream(const QByteArray& package);
    const QByteArray& SkinPackage() const { return package_; }

    // Rebuilds every element from the package; false (keeping the previous elements and the
    // skin-empty flag as they were) when the package is rejected.
    bool LoadSkin();

    bool SkinEmpty() const { return skinEmpty_; }
    const TSkinElements& Elements() const { return *elements_; }
    // The elements of the last load, shared: a painter that keeps them keeps them alive through
    // a later load.
    std::shared_ptr<const TSkinElements> SharedElements() const { return elements_; }
    // The ButtonFace colour as a solid brush.
    const QBrush& ButtonFaceBrush() const { return buttonFaceBrush_; }
    // The 16 × 16 glyphs of the skinned system menu (restore, maximise, minimise, close), white
    // made transparent.
    const QList<QImage>& MenuGlyphs() const { return menuGlyphs_; }

private:
    bool active_ = false;
    int disableTag_ = 99;
    bool menuUpdate_ = true;
    QString skinFile_;
    QByteArray package_;
    bool skinEmpty_ = true;
    std::shared_ptr<const TSkinElements> elements_;
    QBrush buttonFaceBrush_;
    QList<QImage> menuGlyphs_;
};
