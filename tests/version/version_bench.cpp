// Median time of reading a large system library's version resource: the whole reader, and
// the bare platform calls for the same keys.
#include "version/version_reader.h"

#include "support/recorders.h"
#include "test_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "support/bench.h"

namespace {

}  // namespace

TEST(VersionBench, ReaderAgainstBarePlatformCalls) {
    PromptRecorder prompts;
    std::string path = SystemFile("shell32.dll");
    std::vector<std::string> keys, values;
    ASSERT_TRUE(GetVersionInfo(path, keys, values));
    const std::string prefix = versionState.prefixes[0];
    const std::vector<std::string> stringKeys(keys.begin() + 7, keys.end());
    const int runs = 300;

    const double reader = MedianMicroseconds(runs, [&] { GetVersionInfo(path, keys, values); });
    size_t sink = 0;
    const double bare = MedianMicroseconds(runs, [&] {
        DWORD handle = 0;
        const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
        std::vector<unsigned char> block(size);
        GetFileVersionInfoA(path.c_str(), handle, size, block.data());
        void* pointer = nullptr;
        UINT length = 0;
        VerQueryValueA(block.data(), "\\", &pointer, &length);
        VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &pointer, &length);
        for (const std::string& key : stringKeys)
            if (VerQueryValueA(block.data(), (prefix + key).c_str(), &pointer, &length)) sink += length;
    });
    std::printf("bench GetVersionInfo(%s): median %.1f us over %d calls (%zu string keys)\n", path.c_str(), reader, runs,
                stringKeys.size());
    std::printf("bench bare GetFileVersionInfoA + VerQueryValueA, same keys: median %.1f us (%zu)\n", bare, sink % 10);
}
