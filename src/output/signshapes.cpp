#include "output/signshapes.h"
