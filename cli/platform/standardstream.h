#pragma once

#include "cli/platform/fileidentity.h"

#include <string>

namespace tintwright {

// What an open standard stream leads to: only a regular file can be the same file as another.
enum class StreamKind { regularFile, terminal, other };
struct StandardStream {
    StreamKind kind = StreamKind::other;
    FileIdentity identity;
    bool operator==(const StandardStream&) const = default;
};

// Standard input (0), output (1) or error (2) as this process has it open.
StandardStream describeStandardStream(int stream);

// The open descriptor that the name `path` stands for, after any symbolic links: 1 for
// /dev/stdout, 2 for /dev/stderr, N for /dev/fd/N or /proc/self/fd/N; -1 for any other name,
// even one of the file behind a stream.
int streamNamedBy(const std::string& path);

} // namespace tintwright
