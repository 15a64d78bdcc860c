#include <gtest/gtest.h>
#include "support/recorders.h"
TEST(Probe, PromptRecorded) { PromptRecorder r; ShowMessage(nullptr, "a", "b", MB_OK); ASSERT_EQ(r.shown.size(), 1u); }
