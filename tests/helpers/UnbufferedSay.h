#pragma once

#include <cstdlib>
#include <string>
#include <unistd.h>

namespace qvmd::test {

// Prints one line unbuffered, so that what is printed is what the test can see after a kill.
inline void say(const std::string& text) {
    const std::string line = text + "\n";
    if (::write(STDOUT_FILENO, line.data(), line.size()) < 0)
        std::_Exit(3);
}

} // namespace qvmd::test
