#pragma once
#include <QString>

class QWidget;

// The icon and buttons of a message box. Every box the program shows has one "OK" button.
enum class TMessageKind { Error, Warning, Information, Plain };

struct TMessageBox {
    TMessageKind kind;
    QString caption;
    QString text;
};

// Shows modal message boxes. Production code uses the one service installed at any time; tests
// install their own to record the boxes instead of blocking.
class DialogService {
public:
    virtual ~DialogService() = default;
    virtual void Show(const TMessageBox& box, QWidget* parent) = 0;

    static DialogService& Current();
    // Installs a service (nullptr restores the on-screen one); returns the previous one.
    static DialogService* Install(DialogService* service);
};

inline const QString kErrorCaption = QStringLiteral("Erreur");
inline const QString kWarningCaption = QStringLiteral("Avertissement");

// The error kind: critical icon, caption "Erreur", one "OK" button.
void ShowErrorBox(const QString& text, QWidget* parent = nullptr);
// The warning kind: warning icon, caption "Avertissement", one "OK" button.
void ShowWarningBox(const QString& text, QWidget* parent = nullptr);
// Any other box, with its own caption.
void ShowMessageBox(TMessageKind kind, const QString& caption, const QString& text,
                    QWidget* parent = nullptr);
