#pragma once
#include "framework/Form.h"

class TRegistryStore;
class TComponentState;

// The login window "Vellomar Login". Created hidden at start and kept for the whole run.
class TForm3 : public TForm {
    Q_OBJECT

public:
    TForm3();

    // Non-visual components: the login fields remembered between runs.
    TRegistryStore* RegistryStore1 = nullptr;
    TComponentState* ComponentState1 = nullptr;
};

extern TForm3* Form3;
