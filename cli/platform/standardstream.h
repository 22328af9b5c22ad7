#pragma once

#include "cli/platform/fileidentity.h"

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

} // namespace tintwright
