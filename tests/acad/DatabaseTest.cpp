#include "TestSupport.h"
#include <gtest/gtest.h>
