#pragma once

#include <QString>

// The C library's description of an error number, stable English whatever the locale
// ("No such file or directory").
QString errorText(int errorNumber);
