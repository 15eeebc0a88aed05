#include "docio32.h"
