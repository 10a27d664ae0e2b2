#pragma once
#include "Drawings.h"

// The pictures of the login window's three buttons.
QList<Drawing> LoginButtonDrawings();
