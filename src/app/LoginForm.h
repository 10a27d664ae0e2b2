#pragma once
#include "framework/Form.h"

// The login window "Vellomar Login". Created hidden at start and kept for the whole run.
class TForm3 : public TForm {
    Q_OBJECT

public:
    TForm3();
};

extern TForm3* Form3;
