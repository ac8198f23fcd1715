#include "output/writtenlayout.h"
