#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace keepgate::fuzz {

// One scratch file per fuzzing process, rewritten with each input for the readers that take a path.
inline const std::string& scratchFile(const uint8_t* data, size_t size) {
    static const std::string path = [] {
        std::string pattern = "/tmp/keepgate-fuzz-XXXXXX";
        const int fd = mkstemp(pattern.data());
        if (fd < 0) {
            std::abort();
        }
        close(fd);
        static std::string removeAtExit = pattern;
        std::atexit([] { unlink(removeAtExit.c_str()); });
        return pattern;
    }();
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file || std::fwrite(data, 1, size, file) != size || std::fclose(file) != 0) {
        std::abort();
    }
    return path;
}

// A broken invariant is a finding: stop so libFuzzer keeps the input.
inline void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace keepgate::fuzz
