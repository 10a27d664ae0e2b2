#pragma once
#include <QStringList>

class QObject;
class QWidget;
class TWinSkinForm;

// Decides and attaches the control skinner of one component of a skinned form (its parent is the
// form or the container it was found in). Components the mapping leaves alone stay as they are.
void MapComponent(TWinSkinForm& windowSkinner, QObject* component, QObject* parent);

// The same for a window without a form (a message box, an input dialog): its child widgets are
// mapped by their kind.
void MapForeignChildren(TWinSkinForm& windowSkinner, QWidget* window);

// The Skin3rd list every skin data starts with: this toolkit's controls that the mapping table
// does not cover, each given the kind of skinner it is like ("QSpinBox=edit").
QStringList DefaultSkin3rd();
