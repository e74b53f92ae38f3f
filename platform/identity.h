#pragma once

#include <QString>

// The product's name (also the application title) and version, fixed for the program's life.
QString ProductName();
QString ProductVersion();
