// The keyword rules and the uses rule of the commenting pass.
#include <algorithm>

#include "engine/ProjectLists.h"
#include "engine/SourcePassImpl.h"
#include "text/Text.h"
#include "xref/DeclKind.h"

namespace qw {

// The first row that applies is carried out; the rows are in their order.
void SourcePass::Impl::keywordRows() {
    if (kw_ == Keyword::End) {
        endRow();
        return;
    }
    if (s_.inAsm)
        return; // inside asm blocks only "end" counts
    switch (kw_) {
    case Keyword::Begin:
        beginRow();
        return;
    case Keyword::External:
    case Keyword::Forward:
        closeFrame();
        return;
    case Keyword::Case:
        caseRow();
        return;
    case Keyword::Colon:
        if (s_.declKind == d_case)
            pushFrameOfLine();
        return;
    case Keyword::Try:
        tryRow();
        return;
    case Keyword::Asm:
        asmRow();
        return;
    case Keyword::Do:
        doRow();
        return;
    case Keyword::Class:
        classRow();
        return;
    case Keyword::Interface:
        interfaceRow();
        return;
    case Keyword::Record:
        recordRow();
        return;
    case Keyword::Object:
        objectRow();
        return;
    case Keyword::Implementation:
        s_.inInterface = false;
        return;
    case Keyword::Uses:
        s_.inUses = true;
        return;
    default:
        if (xrefOn_ && !s_.token.empty())
            addUse();
        return;
    }
}

void SourcePass::Impl::endRow() {
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
}

void SourcePass::Impl::beginRow() {
    beginBlock();
    openBlock(Keyword::Begin);
}

void SourcePass::Impl::caseRow() {
    // The variant part of a record opens no block: the record's end closes
    // it.
    if (inVariantPart())
        return;
    pushFrameOfLine();
    openBlock(Keyword::Case);
}

void SourcePass::Impl::tryRow() {
    pushFrame("try");
    openBlock(Keyword::Try);
}

void SourcePass::Impl::asmRow() {
    // An asm straight after the heading of a routine is its body, with or
    // without the assembler directive.
    if (s_.prevPrevToken == Keyword::Assembler || routineFrameWaitsForBody())
        assemblerBody();
    else
        pushFrame("asm");
    openBlock(Keyword::Asm);
    s_.inAsm = true;
}

void SourcePass::Impl::doRow() {
    std::string_view head = trim(s_.line).substr(0, 8);
    pushFrame(std::string(trim(head)) + "..");
}

void SourcePass::Impl::classRow() {
    // "class of" is a class reference type, not a class body; nor is the
    // "class" of a class member.
    if (s_.prevToken != Keyword::Of && !nextWordIsOf() && !classIsMemberModifier()) {
        pushFrameOfLine();
        openBlock(Keyword::Class);
    }
}

void SourcePass::Impl::interfaceRow() {
    if (s_.prevToken == Keyword::Equals) {
        pushFrameOfLine();
        openBlock(Keyword::Interface);
    } else {
        s_.inInterface = true;
    }
}

void SourcePass::Impl::recordRow() {
    pushFrameOfLine();
    openBlock(Keyword::Record);
}

void SourcePass::Impl::objectRow() {
    if (s_.prevToken != Keyword::Of) {
        pushFrameOfLine();
        openBlock(Keyword::Object);
    }
}

void SourcePass::Impl::addUse() {
    symbols_.AddUse(tokenLower(), s_.lineNo, s_.routineLevel);
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

void SourcePass::Impl::usesClauseRule() {
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
