#pragma once
#include <QByteArray>

// Our own skin package, built from resources/skin and embedded in the program.
QByteArray StoredSkinPackage();
