#include "services/PasswordGenerator.h"

#include <cerrno>
#include <fcntl.h>
#include <string.h>
#include <sys/random.h>
#include <unistd.h>

namespace keepgate {

namespace {

// Fills the buffer from getrandom(2), which waits only until the kernel's pool is first seeded; where the
// call is missing, from /dev/urandom.
bool randomBytes(unsigned char* buffer, std::size_t size) {
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got = getrandom(buffer + filled, size - filled, 0);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (got < 0 && errno == EINTR) {
            continue;
        } else {
            break;
        }
    }
    if (filled == size) {
        return true;
    }
    const int fd = open("/dev/urandom", O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    while (filled < size) {
        const ssize_t got = read(fd, buffer + filled, size - filled);
        if (got > 0) {
            filled += static_cast<std::size_t>(got);
        } else if (!(got < 0 && errno == EINTR)) {
            break;
        }
    }
    close(fd);
    return filled == size;
}

} // namespace

std::optional<std::string> PasswordGenerator::generate(std::size_t length) {
    constexpr std::size_t kSize = kAlphabet.size();
    // Bytes at or above the largest multiple of the alphabet's size are drawn again, so every character
    // is equally likely (a plain modulo would favour the first 256 % size characters).
    constexpr unsigned kLimit = 256 - 256 % kSize;
    std::string password;
    password.reserve(length);
    unsigned char pool[64];
    while (password.size() < length) {
        if (!randomBytes(pool, sizeof pool)) {
            explicit_bzero(password.data(), password.size());
            return std::nullopt;
        }
        for (const unsigned char byte : pool) {
            if (byte < kLimit && password.size() < length) {
                password += kAlphabet[byte % kSize];
            }
        }
    }
    // The pool held password material; it is not left on the stack.
    explicit_bzero(pool, sizeof pool);
    return password;
}

} // namespace keepgate
