#include "SkinData.h"
#include "QuickIni.h"
#include "SkinManager.h"
#include "SkinMapping.h"
#include "SkinReader.h"

#include "framework/Dialogs.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QtEndian>

namespace {

constexpr int kGlyphSize = 16;

QList<QImage> LoadMenuGlyphs()
{
    const QImage strip = QImage(QStringLiteral(":/skin/SKINMENU.bmp")).convertToFormat(QImage::Format_ARGB32);
    QList<QImage> glyphs;
    for (int x = 0; x + kGlyphSize <= strip.width(); x += kGlyphSize) {
        QImage glyph = strip.copy(x, 0, kGlyphSize, kGlyphSize);
        for (int y = 0; y < glyph.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(glyph.scanLine(y));
            for (int i = 0; i < glyph.width(); ++i)
                if ((row[i] & RGB_MASK) == 0xFFFFFFu)
                    row[i] = 0;
        }
        glyphs.append(glyph);
    }
    return glyphs;
}

} // namespace

TSkinData::TSkinData(QObject* owner)
    : TComponent(owner), elements_(std::make_shared<TSkinElements>()), menuGlyphs_(LoadMenuGlyphs())
{
    SkinControls.set();
    SkinControls.reset(xcReportPreview);
    Skin3rd = DefaultSkin3rd();
    buttonFaceBrush_ = QBrush(ToQColor(ColorToRGB(elements_->Colours.ButtonFace)));
}

TSkinData::~TSkinData()
{
    if (TSkinManage* manager = TSkinManage::Instance())
        manager->UnregisterSkinData(this);
}

void TSkinData::Loaded()
{
    TSkinManage::Create().SkinDataLoaded(this);
}

void TSkinData::SetActive(bool active)
{
    if (active_ == active)
        return;
    if (Reading()) {
        active_ = active;
        return;
    }
    if (SkinFormtype != sfDialog && active && skinEmpty_)
        return;
    active_ = active;
    if (SkinFormtype == sfDialog)
        return;
    if (TSkinManage* manager = TSkinManage::Instance())
        manager->RequestAction(this, active ? TSkinManage::kSkinOn : TSkinManage::kSkinOff);
}

void TSkinData::Reapply()
{
    if (Reading())
        return;
    TSkinManage* manager = TSkinManage::Instance();
    if (!manager) {
        Loaded();
        manager = TSkinManage::Instance();
    }
    manager->RequestAction(this, TSkinManage::kSkinRefresh);
}

void TSkinData::ReadSkinStream(QIODevice& stream)
{
    const QByteArray countBytes = stream.read(4);
    const qint32 count = countBytes.size() == 4 ? qFromLittleEndian<qint32>(countBytes.constData()) : 0;
    if (count <= 0) {
        package_.clear();
        return;
    }
    const QByteArray package = stream.read(count);
    if (package.size() != count) {
        ShowErrorBox(QStringLiteral("The stored skin is cut short: %1 of %2 bytes.").arg(package.size()).arg(count));
        package_.clear();
        return;
    }
    SetSkinStream(package);
}

void TSkinData::WriteSkinStream(QIODevice& stream) const
{
    char count[4];
    qToLittleEndian<qint32>(qint32(package_.size()), count);
    stream.write(count, 4);
    stream.write(package_);
}

void TSkinData::SetSkinStream(const QByteArray& package)
{
    package_ = package;
    if (!package_.isEmpty())
        LoadSkin();
}

void TSkinData::SetSkinFile(const QString& path)
{
    // A file that is missing or rejected changes nothing but the path: the windows keep the
    // skin they wear, and new ones get it too.
    skinFile_ = path;
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowErrorBox(QStringLiteral("The skin file %1 cannot be read: %2").arg(path, file.errorString()));
        return;
    }
    // Read no more than a package may be, whatever the file has grown to meanwhile.
    QByteArray package = file.read(TSkinReader::kMaxPackageSize + 1);
    if (package.size() > TSkinReader::kMaxPackageSize) {
        ShowErrorBox(TooLargeSkinPackage(std::max(file.size(), qint64(package.size()))));
        return;
    }
    package_ = std::move(package);
    if (LoadSkin() && SkinFormtype == sfMainform)
        Reapply();
}

bool TSkinData::LoadSkin()
{
    TSkinReader reader;
    if (!reader.ReadPackage(package_))
        return false;
    TQuickIni ini;
    ini.LoadFromStream(reader.ExtractByPart(QStringLiteral(".ini")));
    QString refusal;
    TSkinElements elements = BuildSkinElements(reader, ini, &refusal);
    if (!refusal.isEmpty()) {
        ShowErrorBox(refusal);
        return false;
    }
    elements_ = std::make_shared<TSkinElements>(std::move(elements));
    buttonFaceBrush_ = QBrush(ToQColor(ColorToRGB(elements_->Colours.ButtonFace)));
    skinEmpty_ = false;
    return true;
}
