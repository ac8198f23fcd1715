#include "output/writingpainter.h"
