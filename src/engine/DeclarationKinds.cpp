// The declaration-kind stack and the declaration rules of the commenting pass.
#include "engine/DeclKind.h"
#include "engine/Messages.h"
#include "engine/SourcePassImpl.h"
#include "engine/Text.h"

namespace qw {
namespace {

// The kind a token opens, before the adjustment by the kind on top.
std::uint8_t kindOpenedBy(const PassState& s, bool classOf) {
    const std::string& t = s.tokenLower;
    if (t == "type")
        return d_type;
    if (t == "function")
        return d_func;
    if (t == "procedure" || t == "constructor" || t == "destructor")
        return d_proc;
    if (t == "var")
        return d_var;
    if (t == "const")
        return d_const;
    // "class of" and "of object" declare no class body.
    if (t == "class" && !classOf)
        return d_class;
    if (t == "interface" && s.prevToken == "=")
        return d_class;
    if (t == "object" && s.prevToken != "of")
        return d_class;
    if (t == "record")
        return d_record;
    if (t == "case")
        return d_case;
    if (t == "begin" || t == "implementation" || t == "interface" || t == "uses")
        return d_none;
    return s.declKind;
}

bool isRoutineKind(std::uint8_t k) {
    return k == d_func || k == d_proc;
}

} // namespace

void SourcePass::Impl::classifyToken(int column) {
    const bool classOf = s_.tokenLower == "class" && (s_.prevToken == "of" || nextWordIsOf());
    std::uint8_t k = kindOpenedBy(s_, classOf);
    switch (s_.declKind) {
    case d_func:
    case d_proc:
        // "var" and "const" before parameters open no section.
        if (k == d_var || k == d_const)
            k = s_.declKind;
        break;
    case d_type:
    case d_var:
    case d_const:
    case d_record:
        if (isRoutineKind(k) && (s_.prevToken.empty() || s_.prevToken == ";"))
            popKind();
        else if (k == d_type || k == d_var || k == d_const)
            popKind();
        break;
    default:
        break;
    }
    if (k != s_.declKind) {
        if (k == d_none)
            popKind();
        else
            pushKind(k);
        s_.declColumn = column;
    }
    if (!s_.token.empty()) {
        s_.prevPrevToken = s_.prevToken;
        s_.prevToken = s_.tokenLower;
    }
}

void SourcePass::Impl::pushKind(std::uint8_t kind) {
    if (s_.declDepth == 99) {
        ask(DialogKind::Error, std::string(messages::kDeclStackOverflow), {Button::Abort});
        requestAbort();
        --s_.declDepth;
    }
    s_.declKinds[static_cast<std::size_t>(s_.declDepth)] = kind;
    ++s_.declDepth;
    s_.declKind = kind;
}

void SourcePass::Impl::popKind() {
    if (s_.declDepth > 0) {
        --s_.declDepth;
        s_.declKinds[static_cast<std::size_t>(s_.declDepth)] = 0;
        s_.declKind = s_.declDepth > 0 ? s_.declKinds[static_cast<std::size_t>(s_.declDepth - 1)]
                                       : std::uint8_t{d_none};
        s_.prevDeclKind = 0;
    } else {
        ask(DialogKind::Error, std::string(messages::kDeclStackEmpty), {Button::Abort});
        requestAbort();
    }
}

void SourcePass::Impl::declarationRules() {
    const std::string& t = s_.tokenLower;
    switch (s_.declKind) {
    case d_func:
    case d_proc:
        routineHeadingRule();
        break;
    case d_type:
    case d_const:
        if (!t.empty() && !containsWord(" end type const : = ; , ", t))
            symbols_.AddSymbol(s_.token, s_.lineNo, s_.routineLevel, s_.declKind);
        break;
    case d_class:
        if (s_.prevDeclKind != d_class) {
            s_.classHeadState = 0; // this token opened the type
            break;
        }
        switch (s_.classHeadState) {
        case 0:
            if (t == ";") {
                popKind(); // a type without body: TFoo = class;
                deleteFrame();
            } else if (t == "(") {
                s_.classHeadState = 1;
                s_.classParenDepth = 1;
            } else if (!t.empty()) {
                s_.classHeadState = 3;
            }
            break;
        case 1:
            if (t == "(") {
                ++s_.classParenDepth;
            } else if (t == ")") {
                --s_.classParenDepth;
                if (s_.classParenDepth == 0)
                    s_.classHeadState = 2;
            }
            break;
        case 2:
            if (t == ";") {
                popKind(); // EFoo = class(Exception);
                deleteFrame();
            }
            if (!t.empty())
                s_.classHeadState = 3;
            break;
        default:
            break;
        }
        break;
    case d_var:
        if (!s_.headingDone) {
            if (t == ":")
                s_.headingDone = true;
            else if (!t.empty() && t != "var" && t != ",") {
                s_.routineName = s_.token;
                symbols_.AddSymbol(s_.token, s_.lineNo, s_.routineLevel, d_var);
            }
        } else if (t == ";") {
            s_.routineName.clear();
            s_.headingDone = false;
        }
        break;
    default:
        break;
    }
}

void SourcePass::Impl::routineHeadingRule() {
    const std::string& t = s_.tokenLower;
    if (s_.token == ".") {
        s_.routineName.clear();
        symbols_.MarkQualified();
    }
    if (s_.routineName.empty()) {
        if (t.empty() || t == "." || t == "procedure" || t == "function" || t == "constructor" ||
            t == "destructor")
            return;
        s_.routineName = s_.token;
        if (s_.declDepth == 1)
            symbols_.AddSymbol(s_.routineName, s_.lineNo, s_.routineLevel, d_proc);
        s_.paramText.clear();
        s_.resultType.clear();
        s_.headingDone = false;
        const std::size_t at = static_cast<std::size_t>(s_.scanPos - 1);
        const char c = at < s_.line.size() ? s_.line[at] : '\0';
        s_.inParams = c == '(';
        if (c == ';') {
            s_.inParams = false;
            s_.headingDone = true;
        }
        return;
    }
    if (t == "(")
        s_.inParams = true;
    if (s_.headingDone) {
        if (t == ";")
            finishHeading();
        else if (!t.empty())
            s_.resultType = s_.token;
    } else if (s_.inParams) {
        if (t == ";") {
            s_.paramText += '\r';
        } else if (t == ")") {
            s_.headingDone = true;
            s_.inParams = false;
        } else if (t == "(") {
            // skipped
        } else if (!t.empty()) {
            s_.paramText += ' ';
            s_.paramText += s_.token;
        }
    } else if (t == ":") {
        s_.headingDone = true;
    }
}

void SourcePass::Impl::finishHeading() {
    if (s_.declDepth == 1)
        symbols_.AddSymbol(s_.routineName, s_.lineNo, s_.routineLevel, d_proc);
    std::size_t lead = 0;
    while (lead < s_.paramText.size() && s_.paramText[lead] == ' ')
        ++lead;
    s_.paramText.erase(0, lead);
    if (s_.paramText.empty())
        s_.paramText.assign(1, '-');
    if (s_.resultType.empty())
        s_.resultType.assign(1, '-');
    if (s_.declDepth == 1 && !s_.inInterface) {
        const std::size_t before = s_.frameStack.size();
        try {
            headerStep_.placeHeader(*this);
        } catch (...) {
            requestAbort();
        }
        const auto& f = s_.frameStack;
        if (f.size() == before + 3 && !f[before].empty() && f[before][0] == '-')
            recordAt_.push_back(before);
    }
    s_.routineName.clear();
    s_.paramText.clear();
    s_.resultType.clear();
    popKind();
    ++s_.routineLevel;
}

} // namespace qw
