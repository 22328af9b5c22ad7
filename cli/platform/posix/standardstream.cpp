#include "cli/platform/standardstream.h"

#include "cli/platform/posix/linkresolution.h"

#include <sys/stat.h>
#include <unistd.h>

namespace tintwright {

StandardStream describeStandardStream(int stream) {
    struct stat found {};
    if (::fstat(stream, &found) != 0) {
        return {};
    }
    if (S_ISREG(found.st_mode)) {
        return {StreamKind::regularFile, {found.st_dev, found.st_ino, ""}};
    }
    return {::isatty(stream) != 0 ? StreamKind::terminal : StreamKind::other, {}};
}

int streamNamedBy(const std::string& path) {
    ResolvedPath resolved;
    resolveLinks(path, resolved);
    return resolved.stream;
}

} // namespace tintwright
