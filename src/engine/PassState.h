#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/Frame.h"
#include "engine/Keyword.h"
#include "engine/ScanStep.h"

namespace qw {

// How far the head of a class-like type has been read: its keyword, its
// ancestor list in parentheses, the end of that list, and past the head.
enum class ClassHead : std::uint8_t { AfterKeyword, InAncestors, AfterAncestors, Past };

// The state of one pass over one file, shared by the scanner, the keyword and
// declaration rules, the frames and the header step. Created afresh per file.
struct PassState {
    // Scanner
    std::string line;
    int lineNo = 0;
    int origLineLen = -1;
    int scanPos = 1; // 1-based
    ScanState scanState = ScanState::Code;
    int multiLineQuotes = 0; // the quotes that open (and will close) it
    // The token being processed, as written: a view into `line` (or of a
    // literal), valid while the rules for it run.
    std::string_view token;
    // The token in lower case; made only when a rule reads it as text
    // (SourcePass::Impl::tokenLower), as keywords are looked up in any case.
    std::string tokenLower;
    // The last and the last but one non-blank token, kept as the keyword they
    // are (Keyword::None for any other token): the rules compare them with
    // keywords only, and with the empty token at the start of a file.
    Keyword prevToken = Keyword::None;
    Keyword prevPrevToken = Keyword::None;
    bool prevTokenEmpty = true;

    // Declaration-kind stack
    static constexpr int kDeclStackSize = 100;
    std::array<std::uint8_t, kDeclStackSize> declKinds{};
    int declDepth = 0;
    std::uint8_t declKind = 0;
    std::uint8_t prevDeclKind = 0;
    int declColumn = 0;

    // Frames of open blocks, innermost last.
    std::vector<Frame> frames;
    int blockDepth = 0;
    // What raised BlockDepth, innermost last: begin, try, case, asm, or the
    // keyword of a class-like type or record.
    std::vector<Keyword> openBlocks;

    bool inInterface = false;
    bool inUses = false;
    bool inAsm = false;

    // Routine heading / var declaration
    std::string routineName;
    std::string paramText;
    std::string resultType;
    bool inParams = false;
    bool headingDone = false;
    // Inside a routine heading: the generic parameter list of its name (with
    // the constraints after a ":"), generic arguments in its parameter list,
    // the result type after its ":", and the default value last copied into
    // the parameter text (its tokens up to that column are passed over).
    int nameGenericDepth = 0;
    bool inConstraint = false;
    int paramGenericDepth = 0;
    bool glueNextParamToken = false;
    bool inResultType = false;
    int defaultValueLine = 0;
    int defaultValueEnd = 0;
    ClassHead classHead = ClassHead::AfterKeyword;
    std::uint8_t classParenDepth = 0;
    int routineLevel = 0;
    // The last token was "class" in front of a member; the heading it
    // introduces is a class method's, which gets no header and no frame.
    bool classModifierPending = false;
    bool memberHeading = false;
    // A procedure or function keyword in a statement part waits for its next
    // token: without a name it introduces an anonymous method, whose heading
    // (parameters, result type) is then passed over.
    bool anonymousPending = false;
    bool inAnonymousHeading = false;
    int anonymousParenDepth = 0;

    int lineChecksum = 0;
};

} // namespace qw
