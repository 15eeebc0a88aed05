#include "sigcore32.h"
#include <gtest/gtest.h>
TEST(X, Y) { EXPECT_EQ(reverse_bit(1), 32768); }
