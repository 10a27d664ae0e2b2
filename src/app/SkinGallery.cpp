#include "SkinGallery.h"

#include "framework/Canvas.h"
#include "framework/Controls.h"
#include "framework/Edit.h"
#include "skin/SkinControl.h"
#include "skin/SkinData.h"
#include "skin/StoredSkin.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QSlider>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace {

TGroupBox* Section(const QString& caption)
{
    auto* box = new TGroupBox;
    box->setTitle(caption);
    return box;
}

} // namespace

TSkinGallery::TSkinGallery(const QString& skinFile)
{
    BeginLayout();
    setObjectName(QStringLiteral("SkinGallery"));
    SetCaption(QStringLiteral("Skin gallery"));
    resize(kOuterWidth, kOuterHeight);
    setFont(MakeFont(QStringLiteral("MS Sans Serif"), -11));

    auto* rows = new QVBoxLayout(ClientArea());
    rows->setContentsMargins(0, 0, 0, 0);
    rows->setSpacing(0);
    auto* grid = new QGridLayout;
    grid->setContentsMargins(8, 8, 8, 8);
    grid->setSpacing(8);
    rows->addLayout(grid, 1);
    grid->addWidget(Buttons(), 0, 0);
    grid->addWidget(Toggles(), 0, 1);
    grid->addWidget(Fields(), 0, 2);
    grid->addWidget(Bars(), 1, 0);
    grid->addWidget(Lists(), 1, 1, 1, 2);
    grid->addWidget(Tabs(), 2, 0, 1, 3);

    auto* status = AddComponent(Add(new TStatusBar(ClientArea()), "TSkinStatusBar"));
    status->showMessage(QStringLiteral("A status bar with a panel"));
    status->addPermanentWidget(new QLabel(QStringLiteral("Panel 2")));
    rows->addWidget(status);

    SkinData1 = AddComponent(new TSkinData(this));
    SkinData1->setObjectName(QStringLiteral("SkinData1"));
    SkinData1->SetActive(true);
    // The one control the mapping gives no skinner on a form: a size grip.
    SkinData1->OnSkinControl = [](QObject*, QObject*, QWidget*, QWidget* control, const QString& controlClass,
                                  QObject*& skinned) {
        if (controlClass == u"QSIZEGRIP")
            skinned = CreateSkinControl(TSkinnerKind::Sizer, control);
    };
    SkinData1->SetSkinStream(StoredSkinPackage());
    CenterOnScreen();
    EndLayout();
    if (!skinFile.isEmpty())
        SkinData1->SetSkinFile(skinFile);
}

template <class T> T* TSkinGallery::Add(T* control, const char* skinnerClass)
{
    bySkinner_.insert(QLatin1String(skinnerClass), control);
    return control;
}

QList<QWidget*> TSkinGallery::ControlsOf(const QString& skinnerClass) const
{
    return bySkinner_.values(skinnerClass);
}

QWidget* TSkinGallery::Buttons()
{
    TGroupBox* box = AddComponent(Add(Section(QStringLiteral("Buttons")), "TSkinGroupBox"));
    auto* layout = new QGridLayout(box);
    auto* normal = Add(new QPushButton(QStringLiteral("&Normal")), "TSkinButton");
    auto* byDefault = Add(new QPushButton(QStringLiteral("Default")), "TSkinButton");
    byDefault->setDefault(true);
    auto* disabled = Add(new QPushButton(QStringLiteral("Disabled")), "TSkinButton");
    disabled->setEnabled(false);
    layout->addWidget(normal, 0, 0);
    layout->addWidget(byDefault, 0, 1);
    layout->addWidget(disabled, 0, 2);

    const QImage glyph(QStringLiteral(":/images/login/forgotten.png"));
    auto* bit = Add(new TBitBtn, "TSkinBitButton");
    bit->setText(QStringLiteral("Bit button"));
    bit->SetGlyph(glyph);
    auto* bitOff = Add(new TBitBtn, "TSkinBitButton");
    bitOff->setText(QStringLiteral("Disabled"));
    bitOff->SetGlyph(glyph);
    bitOff->setEnabled(false);
    layout->addWidget(bit, 1, 0, 1, 2);
    layout->addWidget(bitOff, 1, 2);

    const QImage login(QStringLiteral(":/images/login/newaccount.png"));
    const auto speed = [&](const QString& caption) {
        auto* button = Add(new TSpeedButton, "TSkinSpeedButton");
        button->setText(caption);
        button->SetGlyph(login);
        button->setIconSize(login.size());
        button->SetLayout(blGlyphLeft);
        button->setMinimumHeight(30);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        return button;
    };
    TSpeedButton* flat = speed(QStringLiteral("Speed"));
    TSpeedButton* down = speed(QStringLiteral("Down"));
    down->setCheckable(true);
    down->setChecked(true);
    TSpeedButton* speedOff = speed(QStringLiteral("Off"));
    speedOff->setEnabled(false);
    layout->addWidget(flat, 2, 0);
    layout->addWidget(down, 2, 1);
    layout->addWidget(speedOff, 2, 2);
    return box;
}

QWidget* TSkinGallery::Toggles()
{
    TGroupBox* box = AddComponent(Add(Section(QStringLiteral("Check boxes and radio buttons")), "TSkinGroupBox"));
    auto* layout = new QGridLayout(box);
    const auto check = [&](const QString& caption, Qt::CheckState state, bool enabled) {
        auto* c = Add(new QCheckBox(caption), "TSkinCheckBox");
        c->setTristate(state == Qt::PartiallyChecked);
        c->setCheckState(state);
        c->setEnabled(enabled);
        return c;
    };
    layout->addWidget(check(QStringLiteral("Unchecked"), Qt::Unchecked, true), 0, 0);
    layout->addWidget(check(QStringLiteral("Checked"), Qt::Checked, true), 1, 0);
    layout->addWidget(check(QStringLiteral("Indeterminate"), Qt::PartiallyChecked, true), 2, 0);
    layout->addWidget(check(QStringLiteral("Disabled"), Qt::Checked, false), 3, 0);
    const auto radio = [&](const QString& caption, bool checked, bool enabled) {
        auto* r = Add(new QRadioButton(caption), "TSkinRadioButton");
        r->setChecked(checked);
        r->setEnabled(enabled);
        return r;
    };
    layout->addWidget(radio(QStringLiteral("Chosen"), true, true), 0, 1);
    layout->addWidget(radio(QStringLiteral("Not chosen"), false, true), 1, 1);
    layout->addWidget(radio(QStringLiteral("Disabled"), false, false), 2, 1);
    auto* panel = Add(new TCustomPanel, "TSkinBox");
    panel->setMinimumHeight(22);
    panel->setAutoFillBackground(true);
    auto* inPanel = new QHBoxLayout(panel);
    inPanel->setContentsMargins(4, 2, 4, 2);
    inPanel->addWidget(new QLabel(QStringLiteral("A panel")));
    layout->addWidget(panel, 3, 1);
    return box;
}

QWidget* TSkinGallery::Fields()
{
    TGroupBox* box = AddComponent(Add(Section(QStringLiteral("Edits and combo boxes")), "TSkinGroupBox"));
    auto* layout = new QVBoxLayout(box);
    auto* edit = Add(new TEdit, "TSkinEdit");
    edit->setText(QStringLiteral("An edit"));
    auto* editOff = Add(new TEdit, "TSkinEdit");
    editOff->setText(QStringLiteral("Disabled"));
    editOff->setEnabled(false);
    auto* spin = Add(new QSpinBox, "TSkinUpDown");
    spin->setRange(0, 100);
    spin->setValue(42);
    auto* list = Add(new QComboBox, "TSkinComBox");
    list->addItems({QStringLiteral("A drop-down list"), QStringLiteral("Second"), QStringLiteral("Third")});
    auto* typed = Add(new QComboBox, "TSkinComBox");
    typed->setEditable(true);
    typed->addItems({QStringLiteral("Typed into"), QStringLiteral("Other")});
    auto* listOff = Add(new QComboBox, "TSkinComBox");
    listOff->addItem(QStringLiteral("Disabled"));
    listOff->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{edit, editOff, spin, list, typed, listOff})
        layout->addWidget(w);
    return box;
}

QWidget* TSkinGallery::Bars()
{
    TGroupBox* box = AddComponent(Add(Section(QStringLiteral("Progress, track and scroll bars")), "TSkinGroupBox"));
    auto* layout = new QGridLayout(box);
    auto* progress = Add(new QProgressBar, "TSkinProgress");
    progress->setRange(0, 100);
    progress->setValue(50);
    layout->addWidget(progress, 0, 0, 1, 2);
    auto* track = Add(new QSlider(Qt::Horizontal), "TSkinTrackBar");
    track->setRange(0, 10);
    track->setValue(3);
    track->setTickPosition(QSlider::TicksBelow);
    layout->addWidget(track, 1, 0);
    auto* upright = Add(new QSlider(Qt::Vertical), "TSkinTrackBar");
    upright->setRange(0, 10);
    upright->setValue(7);
    layout->addWidget(upright, 1, 1, 3, 1);
    auto* scroll = Add(new QScrollBar(Qt::Horizontal), "TSkinScControl");
    scroll->setRange(0, 100);
    scroll->setPageStep(20);
    scroll->setValue(30);
    layout->addWidget(scroll, 2, 0);
    auto* grip = Add(new QSizeGrip(box), "TSkinSizer");
    layout->addWidget(grip, 3, 0, Qt::AlignRight | Qt::AlignBottom);
    return box;
}

QWidget* TSkinGallery::Lists()
{
    TGroupBox* box = AddComponent(Add(Section(QStringLiteral("Lists, memos and grids")), "TSkinGroupBox"));
    auto* layout = new QHBoxLayout(box);
    auto* list = Add(new QListWidget, "TSkinListView");
    for (int i = 1; i <= 40; ++i)
        list->addItem(QStringLiteral("List item %1 with a long name that needs scrolling").arg(i));
    auto* memo = Add(new QPlainTextEdit, "TSkinScrollbar");
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    QString text;
    for (int i = 1; i <= 40; ++i)
        text += QStringLiteral("Line %1 of a memo, long enough to need a scroll bar across\n").arg(i);
    memo->setPlainText(text);
    auto* grid = Add(new QTableWidget(20, 4), "TSkinScrollbar");
    grid->setHorizontalHeaderLabels(
        {QStringLiteral("Name"), QStringLiteral("Kind"), QStringLiteral("Size"), QStringLiteral("Date")});
    grid->horizontalHeader()->setSortIndicatorShown(true);
    grid->horizontalHeader()->setSortIndicator(0, Qt::AscendingOrder);
    Add(grid->horizontalHeader(), "TSkinHeader");
    for (int row = 0; row < 20; ++row)
        grid->setItem(row, 0, new QTableWidgetItem(QStringLiteral("Row %1").arg(row + 1)));
    layout->addWidget(list);
    layout->addWidget(memo);
    layout->addWidget(grid);
    return box;
}

QWidget* TSkinGallery::Tabs()
{
    auto* strip = new QWidget;
    auto* layout = new QHBoxLayout(strip);
    layout->setContentsMargins(0, 0, 0, 0);
    const QTabWidget::TabPosition sides[] = {QTabWidget::North, QTabWidget::South, QTabWidget::West, QTabWidget::East};
    const QString names[] = {QStringLiteral("Above"), QStringLiteral("Below"), QStringLiteral("Left"),
                             QStringLiteral("Right")};
    for (int i = 0; i < 4; ++i) {
        auto* pages = AddComponent(Add(new QTabWidget, "TSkinTab"));
        pages->setTabPosition(sides[i]);
        pages->addTab(new QLabel(QStringLiteral("Tabs %1").arg(names[i].toLower())), names[i]);
        pages->addTab(new QLabel, QStringLiteral("Second"));
        pages->addTab(new QLabel, QStringLiteral("Off"));
        pages->setTabEnabled(2, false);
        pages->setMinimumHeight(150);
        layout->addWidget(pages);
    }
    auto* set = AddComponent(Add(new TTabSet, "TSkinTab31"));
    for (const QString& tab : {QStringLiteral("Tab set"), QStringLiteral("Second"), QStringLiteral("Third")})
        set->addTab(tab);
    layout->addWidget(set, 0, Qt::AlignBottom);
    return strip;
}
