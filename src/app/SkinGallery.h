#pragma once
#include "framework/Form.h"

class TSkinData;

// "Skin gallery": one control of every kind the skin draws, each in the states worth seeing
// (disabled, default, checked, indeterminate, a progress bar half full, long lists with scroll
// bars, tabs on all four sides), so that a skin's author sees the skin on every control at once.
// The window carries its own skin data: the stored skin, or a skin file.
class TSkinGallery : public TForm {
    Q_OBJECT

public:
    explicit TSkinGallery(const QString& skinFile = QString());

    TSkinData* SkinData1 = nullptr;

    static constexpr int kOuterWidth = 820;
    static constexpr int kOuterHeight = 700;

    // The controls of the gallery, by the skinner class that draws them ("TSkinButton" ...).
    QList<QWidget*> ControlsOf(const QString& skinnerClass) const;

private:
    template <class T> T* Add(T* control, const char* skinnerClass);
    QWidget* Buttons();
    QWidget* Toggles();
    QWidget* Fields();
    QWidget* Bars();
    QWidget* Lists();
    QWidget* Tabs();

    QMultiHash<QString, QWidget*> bySkinner_;
};
