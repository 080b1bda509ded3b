#include <gtest/gtest.h>

#include "core/NoteCodes.h"

TEST(Core, Placeholder) { SUCCEED(); }
