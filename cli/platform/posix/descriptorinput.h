#pragma once

#include <array>
#include <streambuf>

namespace tintwright {

// Reads an open file descriptor with read(2). A read error throws from underflow(), which
// every C++ library's istream turns into badbit with errno left as read(2) set it; a
// library's own standard input may instead take the error for the end of the input.
class DescriptorInput : public std::streambuf {
public:
    explicit DescriptorInput(int descriptor);

protected:
    int_type underflow() override;

private:
    int descriptor_;
    std::array<char, 1 << 16> buffer_{};
};

} // namespace tintwright
