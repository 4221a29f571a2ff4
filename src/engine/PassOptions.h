#pragma once

#include <string>
#include <string_view>

#include "schema/Schema.h"
#include "settings/CrossReference.h"
#include "settings/EndCommentStyle.h"

namespace qw {

class Clock;
class FileSystem;
class ProjectLists;

// Sees every non-empty token of a commenting pass, before its rules run; for
// tests, tracing and fuzzing.
class TokenObserver {
public:
    virtual ~TokenObserver() = default;
    virtual void token(std::string_view token, int lineNo, int column) = 0;
};

enum class PassMode { Comment, Clean };

struct PassOptions {
    PassMode mode = PassMode::Comment;
    EndCommentStyle style = EndCommentStyle::Brace;
    CrossReference crossReference = CrossReference::Off;
    Schema schema;                        // empty: no headers
    std::string coderName;                // value of %Coder
    Clock* clock = nullptr;               // for %Date and %Time; null gives empty texts
    FileSystem* fileSystem = nullptr;     // null: the platform's files
    ProjectLists* projectLists = nullptr; // receives the names of uses clauses
    TokenObserver* tokenObserver = nullptr;
};

} // namespace qw
