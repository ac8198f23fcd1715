#pragma once

#include <QString>

// The maker's home page, which the About window's copyright line opens.
QString HomePageAddress();
