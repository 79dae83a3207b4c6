#include "scripting/jscript/Parser.h"

#include <algorithm>

#include "scripting/jscript/StackGuard.h"

namespace quillo::jscript {

Parser::Parser(const std::u16string& src, bool isEval) : lexer_(src), isEval_(isEval) {}

void Parser::advance() { tok_ = lexer_.next(); }

void Parser::expect(T t, int errorNumber) {
    if (!at(t)) fail(errorNumber);
    advance();
}

void Parser::consumeSemicolon() {
    if (at(T::Semi)) {
        advance();
        return;
    }
    if (at(T::RBrace) || at(T::End) || tok_.nlBefore) return;
    fail(1004);
}

void Parser::declareVar(const std::u16string& name) {
    auto& v = fn_->varNames;
    if (std::find(v.begin(), v.end(), name) == v.end()) v.push_back(name);
}

void Parser::noteName(const std::u16string& name) {
    if (name == u"arguments") fn_->usesArguments = true;
    fn_->freeNames.push_back(name);
}

Program Parser::parse() {
    Program p;
    p.main = std::make_shared<FunctionNode>();
    fn_ = p.main.get();
    advance();
    while (!at(T::End)) fn_->body.push_back(statement());
    p.main->srcEnd = static_cast<uint32_t>(lexer_.source().size());
    return p;
}

// ---- statements ----

NodePtr Parser::statement() {
    if (nativeStackLow()) fail(28);
    switch (tok_.type) {
        case T::LBrace: return block();
        case T::Var: return varStatement(false, true);
        case T::Semi: {
            NodePtr n = make(N::Empty, tok_.start);
            advance();
            return n;
        }
        case T::If: return ifStatement();
        case T::Do: return doWhileStatement();
        case T::While: return whileStatement();
        case T::For: return forStatement();
        case T::Continue: return jumpStatement(false);
        case T::Break: return jumpStatement(true);
        case T::Return: return returnStatement();
        case T::With: return withStatement();
        case T::Switch: return switchStatement();
        case T::Throw: return throwStatement();
        case T::Try: return tryStatement();
        case T::Function: return functionDeclaration();
        case T::Debugger: {
            NodePtr n = make(N::Debugger, tok_.start);
            advance();
            consumeSemicolon();
            return n;
        }
        case T::Catch: case T::Finally: case T::Else: case T::Case: case T::Default:
        case T::RBrace: case T::Reserved:
            fail(1002);
        default: break;
    }
    uint32_t start = tok_.start;
    bool identStart = at(T::Ident);
    NodePtr e = expression();
    if (identStart && e->kind == N::Ident && at(T::Colon)) {
        advance();
        for (const Label& l : labels_)
            if (l.name == e->str) failAt(1025, start);
        NodePtr n = make(N::Labeled, start);
        n->str = e->str;
        bool isLoop = at(T::For) || at(T::While) || at(T::Do);
        // The labels of a chain all name the loop that ends it.
        uint32_t chained = start;
        for (size_t i = labels_.size(); isLoop && i-- > 0 && labels_[i].bodyStart == chained;) {
            labels_[i].isLoop = true;
            chained = labels_[i].start;
        }
        labels_.push_back({e->str, isLoop, start, tok_.start});
        n->a = statement();
        labels_.pop_back();
        return n;
    }
    NodePtr n = make(N::ExprStmt, start);
    n->a = std::move(e);
    consumeSemicolon();
    return n;
}

NodePtr Parser::block() {
    NodePtr n = make(N::Block, tok_.start);
    expect(T::LBrace, 1008);
    while (!at(T::RBrace)) {
        if (at(T::End)) fail(1009);
        n->list.push_back(statement());
    }
    advance();
    return n;
}

NodePtr Parser::varStatement(bool noIn, bool asStatement) {
    NodePtr n = make(N::VarDecl, tok_.start);
    advance();
    for (;;) {
        if (!at(T::Ident)) fail(1010);
        NodePtr v = make(N::Var, tok_.start);
        v->str = tok_.text;
        declareVar(v->str);
        noteName(v->str);
        advance();
        if (at(T::Assign)) {
            advance();
            v->a = assignment(noIn);
        }
        n->list.push_back(std::move(v));
        if (!at(T::Comma)) break;
        advance();
    }
    if (asStatement) consumeSemicolon();
    return n;
}

NodePtr Parser::ifStatement() {
    NodePtr n = make(N::If, tok_.start);
    advance();
    expect(T::LParen, 1005);
    n->a = expression();
    expect(T::RParen, 1006);
    n->b = statement();
    if (at(T::Else)) {
        advance();
        n->c = statement();
    }
    return n;
}

NodePtr Parser::doWhileStatement() {
    NodePtr n = make(N::DoWhile, tok_.start);
    advance();
    ++loopDepth_;
    ++breakableDepth_;
    n->a = statement();
    --loopDepth_;
    --breakableDepth_;
    expect(T::While, 1024);
    expect(T::LParen, 1005);
    n->b = expression();
    expect(T::RParen, 1006);
    if (at(T::Semi)) advance();
    return n;
}

NodePtr Parser::whileStatement() {
    NodePtr n = make(N::While, tok_.start);
    advance();
    expect(T::LParen, 1005);
    n->a = expression();
    expect(T::RParen, 1006);
    ++loopDepth_;
    ++breakableDepth_;
    n->b = statement();
    --loopDepth_;
    --breakableDepth_;
    return n;
}

NodePtr Parser::forStatement() {
    uint32_t start = tok_.start;
    advance();
    expect(T::LParen, 1005);
    NodePtr init;
    if (at(T::Var)) {
        init = varStatement(true, false);
    } else if (!at(T::Semi)) {
        init = expression(true);
    }
    NodePtr n;
    if (init && at(T::In)) {
        if (init->kind == N::VarDecl && init->list.size() != 1) fail(1004);
        advance();
        n = make(N::ForIn, start);
        n->a = std::move(init);
        n->b = expression();
        expect(T::RParen, 1006);
    } else {
        n = make(N::For, start);
        n->a = std::move(init);
        expect(T::Semi, 1004);
        if (!at(T::Semi)) n->b = expression();
        expect(T::Semi, 1004);
        if (!at(T::RParen)) n->c = expression();
        expect(T::RParen, 1006);
    }
    ++loopDepth_;
    ++breakableDepth_;
    n->d = statement();
    --loopDepth_;
    --breakableDepth_;
    return n;
}

NodePtr Parser::jumpStatement(bool isBreak) {
    NodePtr n = make(isBreak ? N::Break : N::Continue, tok_.start);
    advance();
    if (at(T::Ident) && !tok_.nlBefore) {
        n->str = tok_.text;
        bool found = false;
        for (const Label& l : labels_)
            if (l.name == n->str && (isBreak || l.isLoop)) found = true;
        if (!found) fail(1026);
        advance();
    } else if (isBreak ? breakableDepth_ == 0 : loopDepth_ == 0) {
        failAt(isBreak ? 1019 : 1020, n->pos);
    }
    consumeSemicolon();
    return n;
}

NodePtr Parser::returnStatement() {
    if (!inFunction_) fail(1018);
    NodePtr n = make(N::Return, tok_.start);
    advance();
    if (!at(T::Semi) && !at(T::RBrace) && !at(T::End) && !tok_.nlBefore) n->a = expression();
    consumeSemicolon();
    return n;
}

NodePtr Parser::withStatement() {
    NodePtr n = make(N::With, tok_.start);
    advance();
    fn_->hasWith = true;
    expect(T::LParen, 1005);
    n->a = expression();
    expect(T::RParen, 1006);
    n->b = statement();
    return n;
}

NodePtr Parser::switchStatement() {
    NodePtr n = make(N::Switch, tok_.start);
    advance();
    expect(T::LParen, 1005);
    n->a = expression();
    expect(T::RParen, 1006);
    expect(T::LBrace, 1008);
    ++breakableDepth_;
    bool sawDefault = false;
    while (!at(T::RBrace)) {
        NodePtr c = make(N::Case, tok_.start);
        if (at(T::Case)) {
            advance();
            c->a = expression();
        } else if (at(T::Default)) {
            if (sawDefault) fail(1027);
            sawDefault = true;
            advance();
        } else {
            fail(1009);
        }
        expect(T::Colon, 1003);
        while (!at(T::Case) && !at(T::Default) && !at(T::RBrace)) {
            if (at(T::End)) fail(1009);
            c->list.push_back(statement());
        }
        n->list.push_back(std::move(c));
    }
    --breakableDepth_;
    advance();
    return n;
}

NodePtr Parser::throwStatement() {
    NodePtr n = make(N::Throw, tok_.start);
    advance();
    if (tok_.nlBefore || at(T::End)) fail(1035);
    n->a = expression();
    consumeSemicolon();
    return n;
}

NodePtr Parser::tryStatement() {
    NodePtr n = make(N::Try, tok_.start);
    advance();
    n->a = block();
    if (at(T::Catch)) {
        advance();
        expect(T::LParen, 1005);
        if (!at(T::Ident)) fail(1010);
        n->str = tok_.text;
        noteName(n->str);
        advance();
        expect(T::RParen, 1006);
        n->b = block();
    }
    if (at(T::Finally)) {
        advance();
        n->c = block();
    }
    if (!n->b && !n->c) fail(1033);
    return n;
}

NodePtr Parser::functionDeclaration() {
    uint32_t start = tok_.start;
    advance();
    if (!at(T::Ident)) fail(1010);
    NodePtr n = make(N::FunctionDecl, start);
    n->func = functionRest(start, false);
    fn_->functionDecls.push_back(n->func.get());
    declareVar(n->func->name);
    return n;
}

// After `function`: optional name, parameters and body.
std::shared_ptr<FunctionNode> Parser::functionRest(uint32_t start, bool isExpression) {
    auto f = std::make_shared<FunctionNode>();
    f->srcStart = start;
    f->isExpression = isExpression;
    if (at(T::Ident)) {
        f->name = tok_.text;
        advance();
    }
    expect(T::LParen, 1005);
    while (!at(T::RParen)) {
        if (!at(T::Ident)) fail(1010);
        f->params.push_back(tok_.text);
        advance();
        if (at(T::Comma)) {
            advance();
            if (!at(T::Ident)) fail(1010);
        } else if (!at(T::RParen)) {
            fail(1006);
        }
    }
    advance();
    fn_->children.push_back(f.get());
    functionBody(*f);
    return f;
}

void Parser::functionBody(FunctionNode& f) {
    FunctionNode* outer = fn_;
    bool outerIn = inFunction_;
    int outerLoop = loopDepth_, outerBreak = breakableDepth_;
    std::vector<Label> outerLabels;
    outerLabels.swap(labels_);
    fn_ = &f;
    inFunction_ = true;
    loopDepth_ = breakableDepth_ = 0;
    if (!at(T::LBrace)) fail(1008);
    advance();
    while (!at(T::RBrace)) {
        if (at(T::End)) fail(1009);
        f.body.push_back(statement());
    }
    f.srcEnd = tok_.end;
    fn_ = outer;
    inFunction_ = outerIn;
    loopDepth_ = outerLoop;
    breakableDepth_ = outerBreak;
    labels_.swap(outerLabels);
    advance();
}

// ---- expressions ----

NodePtr Parser::expression(bool noIn) {
    NodePtr e = assignment(noIn);
    while (at(T::Comma)) {
        NodePtr c = make(N::Comma, tok_.start);
        advance();
        c->a = std::move(e);
        c->b = assignment(noIn);
        e = std::move(c);
    }
    return e;
}

static bool isAssignOp(T t) {
    switch (t) {
        case T::Assign: case T::PlusAssign: case T::MinusAssign: case T::StarAssign:
        case T::SlashAssign: case T::PercentAssign: case T::ShlAssign: case T::SarAssign:
        case T::ShrAssign: case T::AndAssign: case T::OrAssign: case T::XorAssign:
            return true;
        default:
            return false;
    }
}

NodePtr Parser::assignment(bool noIn) {
    NodePtr left = conditional(noIn);
    if (isAssignOp(tok_.type)) {
        NodePtr n = make(N::Assign, tok_.start);
        n->op = tok_.type;
        advance();
        n->a = std::move(left);
        n->b = assignment(noIn);
        return n;
    }
    return left;
}

NodePtr Parser::conditional(bool noIn) {
    NodePtr test = binary(1, noIn);
    if (!at(T::Question)) return test;
    NodePtr n = make(N::Conditional, tok_.start);
    advance();
    n->a = std::move(test);
    n->b = assignment(false);
    expect(T::Colon, 1003);
    n->c = assignment(noIn);
    return n;
}

static int binaryPrec(T t, bool noIn) {
    switch (t) {
        case T::Or: return 1;
        case T::And: return 2;
        case T::BitOr: return 3;
        case T::BitXor: return 4;
        case T::BitAnd: return 5;
        case T::Eq: case T::Ne: case T::StrictEq: case T::StrictNe: return 6;
        case T::Lt: case T::Gt: case T::Le: case T::Ge: case T::Instanceof: return 7;
        case T::In: return noIn ? 0 : 7;
        case T::Shl: case T::Sar: case T::Shr: return 8;
        case T::Plus: case T::Minus: return 9;
        case T::Star: case T::Slash: case T::Percent: return 10;
        default: return 0;
    }
}

NodePtr Parser::binary(int minPrec, bool noIn) {
    NodePtr left = unary();
    for (;;) {
        int prec = binaryPrec(tok_.type, noIn);
        if (prec == 0 || prec < minPrec) return left;
        T op = tok_.type;
        NodePtr n = make(op == T::And || op == T::Or ? N::Logical : N::Binary, tok_.start);
        n->op = op;
        advance();
        n->a = std::move(left);
        n->b = binary(prec + 1, noIn);
        left = std::move(n);
    }
}

NodePtr Parser::unary() {
    if (nativeStackLow()) fail(28);  // nesting too deep for the native stack
    switch (tok_.type) {
        case T::Delete: case T::Void: case T::Typeof: case T::Plus: case T::Minus:
        case T::BitNot: case T::Not: {
            NodePtr n = make(N::Unary, tok_.start);
            n->op = tok_.type;
            advance();
            n->a = unary();
            return n;
        }
        case T::Inc: case T::Dec: {
            NodePtr n = make(N::Update, tok_.start);
            n->op = tok_.type;
            n->prefix = true;
            advance();
            n->a = unary();
            return n;
        }
        default:
            return postfix();
    }
}

NodePtr Parser::postfix() {
    NodePtr e = leftHandSide();
    if ((at(T::Inc) || at(T::Dec)) && !tok_.nlBefore) {
        NodePtr n = make(N::Update, tok_.start);
        n->op = tok_.type;
        advance();
        n->a = std::move(e);
        return n;
    }
    return e;
}

NodePtr Parser::leftHandSide() { return memberSuffixes(newOrMember(), true); }

NodePtr Parser::newOrMember() {
    if (at(T::New)) {
        NodePtr n = make(N::New, tok_.start);
        advance();
        n->a = newOrMember();
        if (at(T::LParen)) arguments(*n);
        return memberSuffixes(std::move(n), false);
    }
    return memberSuffixes(primary(), false);
}

NodePtr Parser::memberSuffixes(NodePtr n, bool allowCall) {
    for (;;) {
        if (at(T::Dot)) {
            advance();
            if (at(T::End) || (!at(T::Ident) && tok_.text.empty())) fail(1010);
            if (!at(T::Ident) && (at(T::Number) || at(T::String) || at(T::RegExp))) fail(1010);
            NodePtr m = make(N::Member, n->pos);  // errors point at the start of the expression
            m->str = tok_.text;
            m->a = std::move(n);
            advance();
            n = std::move(m);
        } else if (at(T::LBracket)) {
            NodePtr m = make(N::Index, n->pos);
            advance();
            m->a = std::move(n);
            m->b = expression();
            expect(T::RBracket, 1007);
            n = std::move(m);
        } else if (allowCall && at(T::LParen)) {
            NodePtr c = make(N::Call, n->pos);
            if (n->kind == N::Ident && n->str == u"eval") fn_->usesEval = true;
            c->a = std::move(n);
            arguments(*c);
            n = std::move(c);
        } else {
            return n;
        }
    }
}

void Parser::arguments(Node& call) {
    advance();  // (
    while (!at(T::RParen)) {
        call.list.push_back(assignment(false));
        if (at(T::Comma)) advance();
        else if (!at(T::RParen)) fail(1006);
    }
    advance();
}

NodePtr Parser::primary() {
    uint32_t start = tok_.start;
    switch (tok_.type) {
        case T::This: {
            fn_->usesThis = true;
            advance();
            return make(N::This, start);
        }
        case T::Ident: {
            NodePtr n = make(N::Ident, start);
            n->str = tok_.text;
            noteName(n->str);
            advance();
            return n;
        }
        case T::Number: {
            NodePtr n = make(N::Num, start);
            n->num = tok_.num;
            advance();
            return n;
        }
        case T::String: {
            NodePtr n = make(N::Str, start);
            n->str = tok_.text;
            advance();
            return n;
        }
        case T::True: advance(); return make(N::True, start);
        case T::False: advance(); return make(N::False, start);
        case T::Null: advance(); return make(N::Null, start);
        case T::Slash: case T::SlashAssign: {
            Token r = lexer_.rescanRegExp(tok_);
            NodePtr n = make(N::RegExp, start);
            n->str = r.text;
            n->flags = r.flags;
            advance();
            return n;
        }
        case T::LBracket: return arrayLiteral();
        case T::LBrace: return objectLiteral();
        case T::LParen: {
            advance();
            NodePtr e = expression();
            expect(T::RParen, 1006);
            return e;
        }
        case T::Function: {
            advance();
            NodePtr n = make(N::Function, start);
            n->func = functionRest(start, true);
            if (!n->func->name.empty()) {
                // This dialect also reads a named function expression as a declaration in the
                // enclosing scope: the name is bound on entry to a function object of its own.
                fn_->functionDecls.push_back(n->func.get());
                declareVar(n->func->name);
                noteName(n->func->name);
            }
            return n;
        }
        default:
            fail(1002);
    }
}

NodePtr Parser::arrayLiteral() {
    NodePtr n = make(N::Array, tok_.start);
    advance();
    while (!at(T::RBracket)) {
        if (at(T::Comma)) {
            n->list.push_back(nullptr);  // elision
            advance();
            continue;
        }
        n->list.push_back(assignment(false));
        if (at(T::Comma)) {
            advance();
            // This dialect counts a trailing comma as one more (undefined) element.
            if (at(T::RBracket)) n->list.push_back(make(N::Ident, tok_.start)), n->list.back()->kind = N::Empty;
        } else if (!at(T::RBracket)) {
            fail(1007);
        }
    }
    advance();
    return n;
}

NodePtr Parser::objectLiteral() {
    NodePtr n = make(N::Object, tok_.start);
    advance();
    while (!at(T::RBrace)) {
        NodePtr p = make(N::Str, tok_.start);
        if (at(T::Ident) || at(T::String)) {
            p->str = tok_.text;
        } else if (at(T::Number)) {
            p->kind = N::Num;
            p->num = tok_.num;
        } else if (!tok_.text.empty() && tok_.type != T::RegExp) {
            p->str = tok_.text;  // a keyword used as a name
        } else {
            fail(1028);
        }
        advance();
        expect(T::Colon, 1003);
        p->a = assignment(false);
        n->list.push_back(std::move(p));
        if (at(T::Comma)) {
            advance();
            if (at(T::RBrace)) fail(1028);  // no trailing comma in this dialect's object literals
        } else if (!at(T::RBrace)) {
            fail(1009);
        }
    }
    advance();
    return n;
}

}  // namespace quillo::jscript
