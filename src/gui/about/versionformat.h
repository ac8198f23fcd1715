#pragma once

#include <QString>

// "major.minor.revision" with the minor padded to two digits and the revision to four; padding
// only ever adds zeros, so larger numbers keep all their digits: 1, 0, 7 give "1.00.0007".
QString FormatVersion(int major, int minor, int revision);
