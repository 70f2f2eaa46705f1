#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace keepgate {

// New passwords drawn from the system's random source. The alphabet leaves out the characters that read
// alike in common fonts: 0 O o Q, 1 l I, 5 S s, 2 Z z, 8 B; of 6 G b and 9 g q only the digit stays; and
// the small letters that differ from their capitals only in size (c k u v w x y). So a password read
// aloud or copied by hand arrives intact.
class PasswordGenerator {
  public:
    static constexpr std::string_view kAlphabet = "34679ACDEFHJKLMNPRTUVWXYadefhijmnprt";
    static constexpr std::size_t kLength = 20;

    // A password of kLength characters of kAlphabet, each drawn without bias; nothing when the system
    // gives no random bytes. It is returned only: never stored, logged or remembered.
    static std::optional<std::string> generate(std::size_t length = kLength);
};

} // namespace keepgate
