// The keyword rules and the uses rule of the commenting pass.
#include <algorithm>

#include "engine/ProjectLists.h"
#include "engine/SourcePassImpl.h"
#include "text/Text.h"
#include "xref/DeclKind.h"

namespace qw {

// The first row that applies is carried out; the rows are in their order.
void SourcePass::Impl::keywordRules() {
    if (kw_ == Keyword::End) {
        s_.inAsm = false;
        // The variant part of a record (nested ones too) ends with the record.
        if (s_.declKind == d_case && inVariantPart())
            while (s_.declKind == d_case)
                popKind();
        if (s_.declKind == d_case || s_.declKind == d_class || s_.declKind == d_record)
            popKind();
        else
            popSectionsOfBody();
        --s_.blockDepth;
        if (!s_.openBlocks.empty()) {
            s_.openBlocks.pop_back();
            openBlocksSettled_ = std::min(openBlocksSettled_, s_.openBlocks.size());
        }
        closeFrame();
        return;
    }
    if (s_.inAsm)
        return; // inside asm blocks only "end" counts
    switch (kw_) {
    case Keyword::Begin:
        beginBlock();
        openBlock(Keyword::Begin);
        return;
    case Keyword::External:
    case Keyword::Forward:
        closeFrame();
        return;
    case Keyword::Case:
        // The variant part of a record opens no block: the record's end
        // closes it.
        if (inVariantPart())
            return;
        pushFrame(std::string(trim(s_.line)));
        openBlock(Keyword::Case);
        return;
    case Keyword::Colon:
        if (s_.declKind == d_case)
            pushFrame(std::string(trim(s_.line)));
        return;
    case Keyword::Try:
        pushFrame("try");
        openBlock(Keyword::Try);
        return;
    case Keyword::Asm:
        // An asm straight after the heading of a routine is its body, with or
        // without the assembler directive.
        if (s_.prevPrevToken == Keyword::Assembler || routineFrameWaitsForBody())
            assemblerBody();
        else
            pushFrame("asm");
        openBlock(Keyword::Asm);
        s_.inAsm = true;
        return;
    case Keyword::Do: {
        std::string_view head = trim(s_.line).substr(0, 8);
        pushFrame(std::string(trim(head)) + "..");
        return;
    }
    case Keyword::Class:
        // "class of" is a class reference type, not a class body; nor is the
        // "class" of a class member.
        if (s_.prevToken != Keyword::Of && !nextWordIsOf() && !classIsMemberModifier()) {
            pushFrame(std::string(trim(s_.line)));
            openBlock(Keyword::Class);
        }
        return;
    case Keyword::Interface:
        if (s_.prevToken == Keyword::Equals) {
            pushFrame(std::string(trim(s_.line)));
            openBlock(Keyword::Interface);
        } else {
            s_.inInterface = true;
        }
        return;
    case Keyword::Record:
        pushFrame(std::string(trim(s_.line)));
        openBlock(Keyword::Record);
        return;
    case Keyword::Object:
        if (s_.prevToken != Keyword::Of) {
            pushFrame(std::string(trim(s_.line)));
            openBlock(Keyword::Object);
        }
        return;
    case Keyword::Implementation:
        s_.inInterface = false;
        return;
    case Keyword::Uses:
        s_.inUses = true;
        return;
    default:
        if (xrefOn_ && !s_.token.empty())
            symbols_.AddUse(tokenLower(), s_.lineNo, s_.routineLevel);
        return;
    }
}

// A block that an end closes: BlockDepth counts it, and what opened it tells
// whether the pass is in a statement part. The case of a record's variant
// part belongs to the record.
void SourcePass::Impl::openBlock(Keyword opener) {
    ++s_.blockDepth;
    s_.openBlocks.push_back(opener);
}

// Inside a record's body or its variant part: the kinds above the record are
// all the case of a variant part.
bool SourcePass::Impl::inVariantPart() const {
    int j = s_.declDepth - 1;
    while (j >= 0 && s_.declKinds[static_cast<std::size_t>(j)] == d_case)
        --j;
    return j >= 0 && s_.declKinds[static_cast<std::size_t>(j)] == d_record;
}

void SourcePass::Impl::usesRule() {
    if (!s_.inUses)
        return;
    const std::size_t at = static_cast<std::size_t>(s_.scanPos - 1);
    const char c = at < s_.line.size() ? s_.line[at] : '\0';
    if (c == ';') {
        s_.inUses = false;
        return;
    }
    std::string& name = tokenLower();
    if (c == ',' || name.empty() || name == "uses")
        return;
    if (name.find('.') == std::string::npos) {
        name += ".pas";
        kw_ = Keyword::None; // the rest of the rules see the changed token
    }
    if (options_.projectLists)
        options_.projectLists->enqueue(name);
}

} // namespace qw
