// Compiles the precompiled GoogleTest header that every test program reuses.
#include <gtest/gtest.h>
