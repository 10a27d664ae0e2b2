#include "SkinMapping.h"
#include "SkinControl.h"
#include "SkinData.h"
#include "WinSkinForm.h"

#include "framework/Controls.h"
#include "framework/Form.h"

#include <QAbstractScrollArea>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QDateTimeEdit>
#include <QGroupBox>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QToolBar>
#include <QToolButton>

#include <optional>

namespace {

// One mapping at work: the window skinner, its skin data and the component being mapped.
class Mapping {
public:
    Mapping(TWinSkinForm& skinner, QWidget* control) : skinner(skinner), data(*skinner.SkinData()), control(control) {}

    bool Has(TSkinControlType type) const { return data.SkinControls.test(type); }
    bool HasTabs() const { return Has(xcTab) && data.Elements().Tabs; }

    void Attach(TSkinnerKind kind, TSkinnerOptions options = {}) const { Attach(control, kind, options); }
    void Attach(QWidget* widget, TSkinnerKind kind, TSkinnerOptions options = {}) const
    {
        if (!skinner.HasSkinnerFor(widget))
            CreateSkinControl(kind, widget)->Init(&skinner, &data, options);
    }
    // The component's own children, each mapped in turn.
    void WalkChildren() const
    {
        for (QObject* child : control->children())
            MapComponent(skinner, child, control);
    }
    void AttachToEachChild(TSkinnerKind kind) const
    {
        for (QWidget* child : control->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            Attach(child, kind);
    }
    // Sets a published property; controls of this toolkit that lack it are left as they are.
    void Publish(const char* name, const QVariant& value) const
    {
        if (control->metaObject()->indexOfProperty(name) >= 0)
            control->setProperty(name, value);
    }

    TWinSkinForm& skinner;
    TSkinData& data;
    QWidget* control;
};

template <class T> bool Is(const QWidget* w)
{
    return qobject_cast<const T*>(w) != nullptr;
}
bool NamedOneOf(const QWidget* w, std::initializer_list<const char*> names)
{
    const QByteArray name = w->metaObject()->className();
    for (const char* candidate : names)
        if (name == candidate)
            return true;
    return false;
}
bool OnToolBar(const QWidget* w)
{
    return Is<QToolButton>(w) && Is<QToolBar>(w->parentWidget());
}
bool ScrollingWindow(const QWidget* w)
{
    return Is<QAbstractScrollArea>(w) || ComponentTag(w) == 55;
}
// An embedded form: a form that is not a window of its own.
bool EmbeddedForm(const QWidget* w)
{
    return Is<TForm>(w) && !w->isWindow();
}

// What a row asks of the skin data before it applies: a kind in SkinControls, the Tabs element.
struct Needs {
    std::optional<TSkinControlType> type;
    bool tabs = false;
};

// A row of the mapping table. Rows are tried in order; the first whose test and needs hold
// decides. A row whose needs fail is passed over, unless it stops the search either way.
struct Row {
    int number;
    bool (*test)(const QWidget*);
    Needs needs;
    void (*apply)(const Mapping&);
    bool stopsEitherWay = false;
};

void ApplySkin3rd(const Mapping& m, const QString& kind);

// The mapping table in this toolkit's classes. Rows 5, 10, 11, 12 and 26 name classes that have
// no counterpart here (tabbed notebooks, stand-alone up-down controls, radio groups, data-set
// navigators, add-on tree lists and grids) and are left out; a spin box's up-down buttons are
// skinned with the spin box. Row 2 (Skin3rd) is tried in MapComponent, as it looks at the list
// rather than the class.
const Row kRows[] = {
    // A tab set is no tab control: row 4 takes it.
    {1,
     [](const QWidget* w) { return Is<QTabBar>(w) && !Is<TTabSet>(w); },
     {xcTab, true},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Tab, {.onWindow = true}); }},
    // A tool bar's button: its drop-down menu is drawn as the skin's menus are.
    {3,
     OnToolBar,
     {xcMainMenu},
     [](const Mapping& m) {
         if (QMenu* menu = static_cast<QToolButton*>(m.control)->menu())
             m.skinner.OwnerDrawMenu(menu);
     },
     false},
    {4,
     [](const QWidget* w) { return NamedOneOf(w, {"TTabSet"}); },
     {xcTab, true},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Tab31); }},
    // Containers whose children are not components of the form.
    {6,
     [](const QWidget* w) {
         return NamedOneOf(w, {"QStackedWidget", "QSplitter", "QDialogButtonBox"});
     },
     {},
     [](const Mapping& m) { m.WalkChildren(); }},
    {7,
     [](const QWidget* w) { return Is<QTabWidget>(w); },
     {xcTab, true},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Tab, {.onWindow = true}); }},
    {8,
     [](const QWidget* w) { return Is<QCheckBox>(w); },
     {xcCheckBox},
     [](const Mapping& m) { m.Attach(TSkinnerKind::CheckBox); }},
    {9,
     [](const QWidget* w) { return NamedOneOf(w, {"QSlider"}); },
     {xcButton},
     [](const Mapping& m) { m.Attach(TSkinnerKind::TrackBar); }},
    {13,
     [](const QWidget* w) { return Is<QGroupBox>(w); },
     {xcPanel},
     [](const Mapping& m) {
         m.Attach(TSkinnerKind::GroupBox, {.recolour = true});
         m.WalkChildren();
     }},
    {14,
     [](const QWidget* w) { return Is<QRadioButton>(w); },
     {xcRadioButton},
     [](const Mapping& m) { m.Attach(TSkinnerKind::RadioButton); }},
    {15,
     [](const QWidget* w) { return Is<QToolBar>(w); },
     {xcToolbar},
     [](const Mapping& m) {
         m.Publish("Flat", true);
         m.Publish("Transparent", true);
         m.Attach(TSkinnerKind::Box, {.recolour = true});
     }},
    // The status bar's skinner switches its size grip off while it is attached.
    {16,
     [](const QWidget* w) { return Is<QStatusBar>(w); },
     {xcStatusBar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::StatusBar); }},
    {17,
     [](const QWidget* w) { return Is<QProgressBar>(w); },
     {xcProgress},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Progress); }},
    {18,
     [](const QWidget* w) { return Is<QScrollBar>(w); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::ScControl); }},
    {19,
     [](const QWidget* w) { return Is<QComboBox>(w); },
     {xcCombo},
     [](const Mapping& m) { m.Attach(TSkinnerKind::ComBox); }},
    // A date and time edit: with a calendar it drops down as a combo box does, else it steps.
    {20,
     [](const QWidget* w) {
         return NamedOneOf(w, {"QDateTimeEdit", "QDateEdit", "QTimeEdit"});
     },
     {xcEdit},
     [](const Mapping& m) {
         const bool dropsDown = static_cast<QDateTimeEdit*>(m.control)->calendarPopup();
         m.Attach(dropsDown ? TSkinnerKind::ComBox : TSkinnerKind::Edit);
     }},
    {21,
     [](const QWidget* w) { return NamedOneOf(w, {"QTextEdit"}); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true}); }},
    {22,
     [](const QWidget* w) { return NamedOneOf(w, {"QTextBrowser"}); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true}); }},
    // A push button with a picture and a note is a bit button too.
    {23,
     [](const QWidget* w) { return Is<TBitBtn>(w) || Is<QCommandLinkButton>(w); },
     {xcBitBtn},
     [](const Mapping& m) { m.Attach(TSkinnerKind::BitButton); },
     true},
    {24,
     [](const QWidget* w) { return Is<QToolButton>(w); },
     {xcSpeedButton},
     [](const Mapping& m) { m.Attach(TSkinnerKind::SpeedButton); }},
    // Panels, the command bar among them: the layouts store it as one.
    {25,
     [](const QWidget* w) { return Is<TCustomPanel>(w); },
     {xcPanel},
     [](const Mapping& m) {
         m.Attach(TSkinnerKind::Box, {.recolour = true});
         m.WalkChildren();
     }},
    {27,
     [](const QWidget* w) { return Is<QListView>(w); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::ListView); }},
    {28,
     [](const QWidget* w) { return Is<QPlainTextEdit>(w); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true}); }},
    // The grid's fixed cells (its headers) are recoloured by their own skinners.
    {29,
     [](const QWidget* w) { return Is<QTableView>(w); },
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true}); }},
    {30,
     ScrollingWindow,
     {xcScrollbar},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true}); }},
    {31,
     [](const QWidget* w) { return Is<QPushButton>(w); },
     {xcButton},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Button); }},
    {32,
     [](const QWidget* w) { return Is<QLineEdit>(w); },
     {xcEdit},
     [](const Mapping& m) { m.Attach(TSkinnerKind::Edit, {.onWindow = true}); }},
    // A frame used as a container.
    {33,
     [](const QWidget* w) {
         return NamedOneOf(w, {"QFrame", "QWidget"});
     },
     {},
     [](const Mapping& m) { m.WalkChildren(); }},
    {34,
     EmbeddedForm,
     {},
     [](const Mapping& m) {
         m.Attach(TSkinnerKind::Box, {.recolour = true});
         m.WalkChildren();
     }},
};

bool NeedsMet(const Mapping& m, const Needs& needs)
{
    return (!needs.type || m.Has(*needs.type)) && (!needs.tabs || m.HasTabs());
}

// The kind the skin data's Skin3rd list gives the component's class, if a line names it.
std::optional<QString> Skin3rdKind(const TSkinData& data, const QWidget* control)
{
    const QString prefix = QString::fromLatin1(control->metaObject()->className()).toLower() + QLatin1Char('=');
    for (const QString& line : data.Skin3rd) {
        const QString lower = line.toLower();
        if (lower.startsWith(prefix))
            return lower.mid(lower.indexOf(QLatin1Char('=')) + 1).left(50);
    }
    return std::nullopt;
}

void ApplySkin3rd(const Mapping& m, const QString& kind)
{
    const auto groupOf = [&m](TSkinnerKind item) {
        if (m.Has(xcRadioButton))
            m.AttachToEachChild(item);
        m.Attach(TSkinnerKind::GroupBox, {.recolour = true});
    };
    if (kind == u"combobox" && m.Has(xcCombo))
        m.Attach(TSkinnerKind::ComBox);
    else if (kind == u"edit" && m.Has(xcEdit))
        m.Attach(TSkinnerKind::Edit, {.onWindow = true});
    else if (kind == u"radiobutton" && m.Has(xcRadioButton))
        m.Attach(TSkinnerKind::RadioButton);
    else if (kind == u"panel" && m.Has(xcPanel)) {
        m.Publish("Transparent", true);
        m.Attach(TSkinnerKind::Box, {.recolour = true});
    } else if (kind == u"trackbar" && m.Has(xcButton)) {
        m.Publish("Transparent", true);
        m.Attach(TSkinnerKind::TrackBar);
    } else if (kind == u"button" && m.Has(xcButton))
        m.Attach(TSkinnerKind::Button);
    else if (kind == u"bitbtn" && m.Has(xcButton))
        m.Attach(TSkinnerKind::BitButton);
    else if (kind == u"tab" && m.HasTabs())
        m.Attach(TSkinnerKind::Tab, {.onWindow = true});
    else if (kind == u"progress" && m.Has(xcProgress))
        m.Attach(TSkinnerKind::Progress);
    else if (kind == u"scrollbar" && m.Has(xcScrollbar))
        m.Attach(TSkinnerKind::Scrollbar, {.withBorder = true});
    else if (kind == u"groupbox" && m.Has(xcGroupBox))
        m.Attach(TSkinnerKind::GroupBox, {.recolour = true});
    else if (kind == u"radiogroup" && m.Has(xcPanel))
        groupOf(TSkinnerKind::RadioButton);
    else if (kind == u"checkgroup" && m.Has(xcPanel))
        groupOf(TSkinnerKind::CheckBox);
    else if (kind == u"checkbox" && m.Has(xcCheckBox))
        m.Attach(TSkinnerKind::CheckBox);
    // "nil" and any other word: not skinned.
}

// Classes that are never skinned: print previews draw pages, not controls.
bool NeverSkinned(const QWidget* control)
{
    return NamedOneOf(control, {"QPrintPreviewWidget"});
}

} // namespace

void MapComponent(TWinSkinForm& skinner, QObject* component, QObject* parent)
{
    TSkinData* data = skinner.SkinData();
    auto* control = qobject_cast<QWidget*>(component);
    // Only controls inside the window: menus and other windows are not controls.
    if (!data || !control || control->isWindow())
        return;
    if (ComponentTag(control) % 100 == data->DisableTag())
        return;
    if (skinner.HasSkinnerFor(control))
        return;
    if (const TOnSkinControl handler = data->OnSkinControl) {
        QObject* chosen = nullptr;
        handler(&skinner, data, qobject_cast<QWidget*>(parent), control,
                QString::fromLatin1(control->metaObject()->className()).toUpper(), chosen);
        if (auto* skinnerOfControl = qobject_cast<TSkinControl*>(chosen)) {
            if (!skinner.HasSkinnerFor(control))
                skinnerOfControl->Init(&skinner, data, {});
            if (Is<TCustomPanel>(control))
                Mapping(skinner, control).WalkChildren();
            return;
        }
    }
    if (NeverSkinned(control))
        return;
    const Mapping m(skinner, control);
    if (const std::optional<QString> kind = Skin3rdKind(*data, control)) {
        ApplySkin3rd(m, *kind);
        return;
    }
    for (const Row& row : kRows) {
        if (!row.test(control))
            continue;
        if (NeedsMet(m, row.needs)) {
            row.apply(m);
            return;
        }
        if (row.stopsEitherWay)
            return;
    }
}

void MapForeignChildren(TWinSkinForm& skinner, QWidget* window)
{
    TSkinData& data = *skinner.SkinData();
    for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || skinner.HasSkinnerFor(child))
            continue;
        std::optional<TSkinnerKind> kind;
        if (Is<QCheckBox>(child))
            kind = TSkinnerKind::CheckBox;
        else if (Is<QRadioButton>(child))
            kind = TSkinnerKind::RadioButton;
        else if (Is<QAbstractButton>(child))
            kind = TSkinnerKind::Button;
        else if (Is<QComboBox>(child))
            kind = TSkinnerKind::ComBox;
        else if (Is<QSizeGrip>(child))
            kind = TSkinnerKind::Sizer;
        else if (Is<QTabBar>(child))
            kind = TSkinnerKind::Tab;
        else if (Is<QLineEdit>(child))
            kind = TSkinnerKind::Edit;
        if (kind)
            CreateSkinControl(*kind, child)->InitWindow(&skinner, &data, {.onWindow = true});
        else
            MapForeignChildren(skinner, child); // a container: its controls are further down
    }
}

QStringList DefaultSkin3rd()
{
    return {
        QStringLiteral("QSpinBox=edit"),         QStringLiteral("QDoubleSpinBox=edit"),
        QStringLiteral("QKeySequenceEdit=edit"), QStringLiteral("QFontComboBox=combobox"),
        QStringLiteral("QDial=trackbar"),        QStringLiteral("QLCDNumber=panel"),
        QStringLiteral("QToolBox=panel"),        QStringLiteral("QCalendarWidget=nil"),
        QStringLiteral("QColumnView=scrollbar"),
    };
}
