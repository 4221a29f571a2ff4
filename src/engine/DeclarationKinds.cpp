// The declaration-kind stack and the declaration rules of the commenting pass.
#include "engine/Messages.h"
#include "engine/SourcePassImpl.h"
#include "schema/RoutineHeading.h"
#include "text/Text.h"
#include "xref/DeclKind.h"

namespace qw {
namespace {

// The kind a token opens, before the adjustment by the kind on top. "class
// of" and "of object" declare no class body.
std::uint8_t kindOpenedBy(Keyword kw, Keyword prev, bool classOf, std::uint8_t current) {
    switch (kw) {
    case Keyword::Type:
        return d_type;
    case Keyword::Function:
        return d_func;
    case Keyword::Procedure:
    case Keyword::Constructor:
    case Keyword::Destructor:
        return d_proc;
    case Keyword::Var:
        return d_var;
    case Keyword::Const:
        return d_const;
    case Keyword::Class:
        return classOf ? current : std::uint8_t{d_class};
    case Keyword::Interface:
        return prev == Keyword::Equals ? d_class : d_none;
    case Keyword::Object:
        return prev == Keyword::Of ? current : std::uint8_t{d_class};
    case Keyword::Record:
        return d_record;
    case Keyword::Case:
        return d_case;
    case Keyword::Begin:
    case Keyword::Implementation:
    case Keyword::Uses:
        return d_none;
    default:
        return current;
    }
}

// " end type const : = ; , ": the tokens a type or const section records no
// symbol for.
bool isTypeOrConstSeparator(Keyword kw) {
    switch (kw) {
    case Keyword::End:
    case Keyword::Type:
    case Keyword::Const:
    case Keyword::Colon:
    case Keyword::Equals:
    case Keyword::Semicolon:
    case Keyword::Comma:
        return true;
    default:
        return false;
    }
}

bool isRoutineKind(std::uint8_t k) {
    return k == d_func || k == d_proc;
}

} // namespace

void SourcePass::Impl::classifyKeyword(int column) {
    if (kw_ != Keyword::Class &&
        kindOpenedBy(kw_, s_.prevToken, false, s_.declKind) == s_.declKind) {
        // Punctuation opens no kind, nor does the keyword of the kind on
        // top: the stack stays as it is, and the token is only the one
        // before the next.
        rememberToken();
        return;
    }
    if (kw_ == Keyword::Class && classIsMemberModifier()) {
        // Seen through: the member after it is classified as without it.
        s_.classModifierPending = true;
        return;
    }
    const bool classOf = kw_ == Keyword::Class && (s_.prevToken == Keyword::Of || nextWordIsOf());
    std::uint8_t k = kindOpenedBy(kw_, s_.prevToken, classOf, s_.declKind);
    const bool statements = (s_.declKind == d_none || s_.declKind == d_case) && inStatementPart();
    if (statements && (k == d_var || k == d_const))
        k = s_.declKind; // an inline declaration: var X := 1; for var I := ...
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
        // (In a record, as in a class, sections and methods nest.)
        if (isRoutineKind(k) && (s_.prevTokenEmpty || s_.prevToken == Keyword::Semicolon))
            popKind();
        else if ((k == d_type || k == d_var || k == d_const) && k != s_.declKind)
            popKind(); // (the same section again would pop and push itself)
        break;
    default:
        break;
    }
    if (k != s_.declKind) {
        if (k == d_none) {
            popKind();
        } else {
            const bool newHeading = isRoutineKind(k) && !isRoutineKind(s_.declKind);
            pushKind(k);
            if (newHeading) {
                // A heading starts afresh: no name of a declaration before it
                // (a label section, an unfinished heading) is carried on.
                s_.routineName.clear();
                s_.memberHeading = s_.classModifierPending;
                s_.anonymousPending = statements;
            }
        }
        s_.declColumn = column;
    }
    rememberToken();
}

void SourcePass::Impl::pushKind(std::uint8_t kind) {
    if (s_.declDepth == 99) {
        ask(MessageId::DeclarationStackOverflow, DialogKind::Error,
            std::string(messages::kDeclStackOverflow), {Button::Abort});
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
        ask(MessageId::DeclarationStackEmpty, DialogKind::Error,
            std::string(messages::kDeclStackEmpty), {Button::Abort});
        requestAbort();
    }
}

// The end of a class, object, interface or record also closes the sections
// opened inside its body (nested type, const and var sections, class vars).
void SourcePass::Impl::popSectionsOfBody() {
    int j = s_.declDepth - 1;
    while (j >= 0 && (s_.declKinds[static_cast<std::size_t>(j)] == d_type ||
                      s_.declKinds[static_cast<std::size_t>(j)] == d_var ||
                      s_.declKinds[static_cast<std::size_t>(j)] == d_const))
        --j;
    if (j < 0 || j == s_.declDepth - 1)
        return;
    const std::uint8_t body = s_.declKinds[static_cast<std::size_t>(j)];
    if (body != d_class && body != d_record)
        return;
    while (s_.declDepth > j)
        popKind();
}

void SourcePass::Impl::declarationRulesOfKind() {
    const std::string_view t = s_.token;
    switch (s_.declKind) {
    case d_func:
    case d_proc:
        routineHeadingRule();
        break;
    case d_type:
    case d_const:
        if (!t.empty() && !isTypeOrConstSeparator(kw_))
            addSymbol(s_.token, s_.declKind);
        break;
    case d_class:
        if (s_.prevDeclKind != d_class) {
            s_.classHead = ClassHead::AfterKeyword; // this token opened the type
            break;
        }
        switch (s_.classHead) {
        case ClassHead::AfterKeyword:
            if (kw_ == Keyword::Semicolon) {
                popKind(); // a type without body: TFoo = class;
                deleteFrame();
            } else if (kw_ == Keyword::OpenParen) {
                s_.classHead = ClassHead::InAncestors;
                s_.classParenDepth = 1;
            } else if (!t.empty()) {
                s_.classHead = ClassHead::Past;
            }
            break;
        case ClassHead::InAncestors:
            if (kw_ == Keyword::OpenParen) {
                ++s_.classParenDepth;
            } else if (kw_ == Keyword::CloseParen) {
                --s_.classParenDepth;
                if (s_.classParenDepth == 0)
                    s_.classHead = ClassHead::AfterAncestors;
            }
            break;
        case ClassHead::AfterAncestors:
            if (kw_ == Keyword::Semicolon) {
                popKind(); // EFoo = class(Exception);
                deleteFrame();
            }
            if (!t.empty())
                s_.classHead = ClassHead::Past;
            break;
        case ClassHead::Past:
            break;
        }
        break;
    case d_var:
        if (!s_.headingDone) {
            if (kw_ == Keyword::Colon)
                s_.headingDone = true;
            else if (!t.empty() && kw_ != Keyword::Var && kw_ != Keyword::Comma) {
                s_.routineName.assign(s_.token);
                addSymbol(s_.token, d_var);
            }
        } else if (kw_ == Keyword::Semicolon) {
            s_.routineName.clear();
            s_.headingDone = false;
        }
        break;
    default:
        break;
    }
}

// The word after a procedure or function keyword in a statement part decides:
// "(", ":", begin or the start of a declaration part mean an anonymous method,
// which is no heading: its kind is given up where its heading ends (begin
// gives it up by itself), so that its body stays a plain block of the
// enclosing routine.
void SourcePass::Impl::anonymousMethodRule() {
    const bool declarationPart = kw_ == Keyword::Var || kw_ == Keyword::Const ||
                                 kw_ == Keyword::Type || kw_ == Keyword::Asm ||
                                 tokenLower() == "label";
    if (s_.anonymousPending) {
        s_.anonymousPending = false;
        if (kw_ == Keyword::OpenParen || kw_ == Keyword::Colon) {
            s_.inAnonymousHeading = true;
            s_.anonymousParenDepth = 0;
        } else if (declarationPart) {
            popKind();
            return;
        } else {
            return; // a name, or begin
        }
    }
    if (kw_ == Keyword::OpenParen) {
        ++s_.anonymousParenDepth;
    } else if (kw_ == Keyword::CloseParen) {
        --s_.anonymousParenDepth;
    } else if (s_.anonymousParenDepth <= 0) {
        if (kw_ == Keyword::Begin) {
            s_.inAnonymousHeading = false;
        } else if (declarationPart || kw_ == Keyword::Semicolon) {
            s_.inAnonymousHeading = false;
            popKind();
        }
    }
}

void SourcePass::Impl::routineHeadingRule() {
    if (s_.inAnonymousHeading)
        return;
    const std::string_view t = s_.token;
    // A dot qualifies the name only while the name is read: in a parameter
    // list or a result type it belongs to a type or a value.
    const bool readingName = !s_.inParams && !s_.headingDone;
    if (kw_ == Keyword::Dot && readingName) {
        s_.routineName.clear();
        if (xrefOn_)
            symbols_.MarkQualified();
    }
    if (s_.routineName.empty()) {
        if (t.empty() || kw_ == Keyword::Dot || kw_ == Keyword::Procedure ||
            kw_ == Keyword::Function || kw_ == Keyword::Constructor || kw_ == Keyword::Destructor)
            return;
        startRoutineName();
        if (kw_ == Keyword::Semicolon)
            finishHeading(); // "procedure ;" of a procedural type: no name, no parameters
        return;
    }
    if (kw_ == Keyword::OpenParen &&
        !(s_.inParams && s_.defaultValueLine == s_.lineNo && tokenColumn_ < s_.defaultValueEnd))
        s_.inParams = true;
    if (s_.headingDone) {
        if (kw_ == Keyword::Semicolon)
            finishHeading();
        else if (kw_ == Keyword::Colon && !s_.inResultType)
            s_.inResultType = true, s_.resultType.clear();
        else if (!t.empty())
            appendToResultType();
    } else if (s_.inParams) {
        parameterRule();
    } else if (kw_ == Keyword::Colon) {
        s_.headingDone = true;
        s_.inResultType = true;
    } else if (kw_ == Keyword::Less) {
        s_.nameGenericDepth = 1;
        s_.inConstraint = false;
        s_.routineName += '<';
    }
}

// The first word of a heading after its keyword, or after a qualifier's dot.
void SourcePass::Impl::startRoutineName() {
    s_.routineName.assign(s_.token);
    if (headingAtTopLevel())
        addSymbol(s_.routineName, d_proc);
    s_.paramText.clear();
    s_.resultType.clear();
    s_.headingDone = false;
    s_.nameGenericDepth = 0;
    s_.paramGenericDepth = 0;
    s_.glueNextParamToken = false;
    s_.inResultType = false;
    s_.defaultValueLine = 0;
    const std::size_t at = static_cast<std::size_t>(s_.scanPos - 1);
    const char c = at < s_.line.size() ? s_.line[at] : '\0';
    s_.inParams = c == '(';
    if (c == ';') {
        s_.inParams = false;
        s_.headingDone = true;
    }
}

// Inside the generic parameter list of a routine's name: the names go into
// the name (Map<K,V>), the constraints after a ":" are left out, so that the
// name holds no blank.
void SourcePass::Impl::genericNameRule() {
    switch (kw_) {
    case Keyword::Less:
        ++s_.nameGenericDepth;
        if (!s_.inConstraint)
            s_.routineName += '<';
        return;
    case Keyword::Greater:
        if (--s_.nameGenericDepth == 0) {
            s_.routineName += '>';
            s_.inConstraint = false;
        } else if (!s_.inConstraint) {
            s_.routineName += '>';
        }
        return;
    case Keyword::Colon:
        s_.inConstraint = true;
        return;
    case Keyword::Semicolon:
        if (s_.nameGenericDepth == 1) {
            s_.inConstraint = false;
            s_.routineName += ',';
        }
        return;
    case Keyword::Comma:
        if (!s_.inConstraint)
            s_.routineName += ',';
        return;
    default:
        if (!s_.inConstraint && !s_.token.empty())
            s_.routineName += s_.token;
        return;
    }
}

void SourcePass::Impl::parameterRule() {
    if (s_.defaultValueLine == s_.lineNo && tokenColumn_ < s_.defaultValueEnd)
        return; // copied with its default value
    switch (kw_) {
    case Keyword::Semicolon:
        s_.paramText += '\r';
        return;
    case Keyword::CloseParen:
        s_.headingDone = true;
        s_.inParams = false;
        return;
    case Keyword::OpenParen:
        return;
    case Keyword::Less:
    case Keyword::Greater:
        // Generic arguments of a parameter's type: TArray<string>.
        s_.paramGenericDepth += kw_ == Keyword::Less ? 1 : -1;
        s_.paramText += s_.token;
        s_.glueNextParamToken = kw_ == Keyword::Less;
        return;
    case Keyword::Comma:
        if (s_.paramGenericDepth > 0) {
            s_.paramText += ", ";
            s_.glueNextParamToken = true;
            return;
        }
        break;
    case Keyword::Dot:
        // A qualified type: SysUtils.TFileName.
        s_.paramText += '.';
        s_.glueNextParamToken = true;
        return;
    case Keyword::Equals:
        copyDefaultValue();
        return;
    default:
        break;
    }
    if (s_.token.empty())
        return;
    if (!s_.glueNextParamToken)
        s_.paramText += ' ';
    s_.glueNextParamToken = false;
    s_.paramText += s_.token;
}

// A default value goes into the parameter text as written, up to the ";" or
// ")" that ends it on this line: numbers and strings give no token.
void SourcePass::Impl::copyDefaultValue() {
    const std::string& line = s_.line;
    std::size_t i = static_cast<std::size_t>(tokenColumn_) + 1;
    int depth = 0;
    while (i < line.size()) {
        const char c = line[i];
        if (c == '\'') {
            const std::size_t close = line.find('\'', i + 1);
            i = close == std::string::npos ? line.size() : close + 1;
            continue;
        }
        if (c == '{' || (c == '(' && i + 1 < line.size() && line[i + 1] == '*') ||
            (c == '/' && i + 1 < line.size() && line[i + 1] == '/'))
            break; // a comment ends what is copied
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if ((c == ')' || c == ';') && depth == 0)
            break;
        ++i;
    }
    const std::size_t from = static_cast<std::size_t>(tokenColumn_) + 1;
    const std::string_view value = trim(std::string_view(line).substr(from, i - from));
    s_.paramText += " =";
    if (!value.empty()) {
        s_.paramText += ' ';
        s_.paramText += value;
    }
    s_.defaultValueLine = s_.lineNo;
    s_.defaultValueEnd = static_cast<int>(from + trimRight(line.substr(from, i - from)).size());
}

// The result type as written, one token after the other: TArray<string>,
// TDictionary<string, TList<Integer>>, TSHA3.THashMode.
void SourcePass::Impl::appendToResultType() {
    if (!s_.inResultType) {
        s_.resultType.assign(s_.token); // a token between the parameters and ";"
        return;
    }
    std::string& r = s_.resultType;
    const auto isWordChar = [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
               c == '_' || c == '&';
    };
    if (!r.empty() && (r.back() == ',' || (isWordChar(r.back()) && isWordChar(s_.token[0]))))
        r += ' ';
    r += s_.token;
}

void SourcePass::Impl::finishHeading() {
    const bool topLevel = headingAtTopLevel();
    if (topLevel)
        addSymbol(s_.routineName, d_proc);
    std::size_t lead = 0;
    while (lead < s_.paramText.size() && s_.paramText[lead] == ' ')
        ++lead;
    s_.paramText.erase(0, lead);
    if (s_.paramText.empty())
        s_.paramText.assign(1, '-');
    if (s_.resultType.empty())
        s_.resultType.assign(1, '-');
    // A heading without a name ("= procedure (...) of object" of a type in
    // an include file) is no routine's.
    const char first = s_.routineName[0];
    const bool named = (first >= 'a' && first <= 'z') || (first >= 'A' && first <= 'Z') ||
                       first == '_' || first == '&';
    if (topLevel && named && !s_.inInterface) {
        try {
            const UpdateRecord record = headerStep_.placeHeader(
                {s_.routineName, s_.resultType, s_.paramText, s_.declColumn, s_.lineNo}, *this,
                pendingRecords());
            s_.frames.push_back({Frame::Kind::Routine, s_.routineName, s_.blockDepth, record});
        } catch (...) {
            requestAbort();
        }
    }
    s_.routineName.clear();
    s_.paramText.clear();
    s_.resultType.clear();
    s_.memberHeading = false;
    // A routine heading stands outside every statement part: a begin left
    // open before it (one of two begins under {$ifdef}) opened none.
    for (std::size_t k = openBlocksSettled_; k < s_.openBlocks.size(); ++k) {
        Keyword& opener = s_.openBlocks[k];
        if (opener == Keyword::Begin || opener == Keyword::Try || opener == Keyword::Case)
            opener = Keyword::None;
    }
    openBlocksSettled_ = s_.openBlocks.size();
    s_.inResultType = false;
    s_.nameGenericDepth = 0;
    s_.defaultValueLine = 0;
    popKind();
    ++s_.routineLevel;
}

} // namespace qw
