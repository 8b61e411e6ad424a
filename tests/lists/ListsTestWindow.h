#pragma once

#include "TestWindow.h"

using ListsTestWindow = TestWindow;
