// The keyword rules and the uses rule of the commenting pass.
#include "engine/DeclKind.h"
#include "engine/ProjectLists.h"
#include "engine/SourcePassImpl.h"
#include "engine/Text.h"

namespace qw {

// The first row that applies is carried out; the rows are in their order.
void SourcePass::Impl::keywordRules() {
    const std::string& t = s_.tokenLower;
    if (t == "end") {
        s_.inAsm = false;
        if (s_.declKind == d_case || s_.declKind == d_class || s_.declKind == d_record)
            popKind();
        --s_.blockDepth;
        closeFrame();
    } else if (s_.inAsm) {
        // inside asm blocks only "end" counts
    } else if (t == "begin") {
        beginBlock();
        ++s_.blockDepth;
    } else if (t == "external" || t == "forward") {
        closeFrame();
    } else if (t == "case") {
        pushFrame(std::string(trim(s_.line)));
        ++s_.blockDepth;
    } else if (t == ":") {
        if (s_.declKind == d_case)
            pushFrame(std::string(trim(s_.line)));
    } else if (t == "try") {
        pushFrame("try");
        ++s_.blockDepth;
    } else if (t == "asm") {
        // An asm straight after the heading of a routine is its body, with or
        // without the assembler directive.
        if (s_.prevPrevToken == "assembler" || routineFrameWaitsForBody())
            assemblerBody();
        else
            pushFrame("asm");
        ++s_.blockDepth;
        s_.inAsm = true;
    } else if (t == "do") {
        std::string_view head = trim(s_.line).substr(0, 8);
        pushFrame(std::string(trim(head)) + "..");
    } else if (t == "class") {
        // "class of" is a class reference type, not a class body.
        if (s_.prevToken != "of" && !nextWordIsOf()) {
            pushFrame(std::string(trim(s_.line)));
            ++s_.blockDepth;
        }
    } else if (t == "interface" && s_.prevToken == "=") {
        pushFrame(std::string(trim(s_.line)));
        ++s_.blockDepth;
    } else if (t == "record") {
        pushFrame(std::string(trim(s_.line)));
        ++s_.blockDepth;
    } else if (t == "object") {
        if (s_.prevToken != "of") {
            pushFrame(std::string(trim(s_.line)));
            ++s_.blockDepth;
        }
    } else if (t == "interface") {
        s_.inInterface = true;
    } else if (t == "implementation") {
        s_.inInterface = false;
    } else if (t == "uses") {
        s_.inUses = true;
    } else if (!t.empty()) {
        symbols_.AddUse(t, s_.lineNo, s_.routineLevel);
    }
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
    std::string& name = s_.tokenLower;
    if (c == ',' || name.empty() || name == "uses")
        return;
    if (name.find('.') == std::string::npos)
        name += ".pas";
    if (options_.projectLists)
        options_.projectLists->enqueue(name);
}

} // namespace qw
