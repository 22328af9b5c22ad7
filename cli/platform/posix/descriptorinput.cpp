#include "cli/platform/posix/descriptorinput.h"

#include <cerrno>
#include <system_error>
#include <unistd.h>

namespace tintwright {

DescriptorInput::DescriptorInput(int descriptor)
    : descriptor_(descriptor) {}

DescriptorInput::int_type DescriptorInput::underflow() {
    ssize_t count = -1;
    while ((count = ::read(descriptor_, buffer_.data(), buffer_.size())) < 0 && errno == EINTR) {
    }
    if (count < 0) {
        throw std::system_error(errno, std::generic_category());
    }
    setg(buffer_.data(), buffer_.data(), buffer_.data() + count);
    return count == 0 ? traits_type::eof() : traits_type::to_int_type(buffer_[0]);
}

} // namespace tintwright
