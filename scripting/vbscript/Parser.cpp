#include "scripting/vbscript/Parser.h"

#include "scripting/core/Text.h"
#include "scripting/vbscript/CompileError.h"
#include "scripting/vbscript/Lexer.h"

namespace quillo::vbscript {

using quillo::script::Variant;

namespace {

// What the statement list being parsed belongs to; decides which Exit forms are valid.
struct Context {
    bool inClass = false;
    ProcKind procKind = ProcKind::Sub;
    bool inProc = false;
    int doDepth = 0;
    int forDepth = 0;
};

class Parser {
public:
    Parser(std::u16string_view src) : src_(src), toks_(tokenize(src)) {}

    ProgramAst program()
    {
        ProgramAst prog;
        bool first = true;
        for (;;) {
            skipSeparators();
            if (at(Tok::End))
                break;
            if (at(Tok::KwOption)) {
                if (!first)
                    fail(cerr::MustBeFirstStatement);
                next();
                if (!atWord(u"explicit"))
                    fail(cerr::ExpectedIdentifier); // 'Explicit' expected
                next();
                prog.optionExplicit = true;
                endStatement();
                first = false;
                continue;
            }
            first = false;
            topLevelItem(prog);
        }
        return prog;
    }

    ExprPtr expressionOnly()
    {
        skipSeparators();
        ExprPtr e = expression();
        skipSeparators();
        if (!at(Tok::End))
            fail(cerr::ExpectedEndOfStatement);
        return e;
    }

private:
    // ---- token helpers ----
    const Token& cur() const { return toks_[pos_]; }
    const Token& peekTok(size_t n = 1) const
    {
        return toks_[std::min(pos_ + n, toks_.size() - 1)];
    }
    bool at(Tok k) const { return cur().kind == k; }
    bool atWord(std::u16string_view lowerWord) const
    {
        return cur().kind == Tok::Identifier && quillo::script::equalsIgnoreCase(cur().text, lowerWord);
    }
    void next()
    {
        if (pos_ + 1 < toks_.size())
            ++pos_;
    }
    bool accept(Tok k)
    {
        if (!at(k))
            return false;
        next();
        return true;
    }
    void expect(Tok k, int err)
    {
        if (!accept(k))
            fail(err);
    }
    void expectWord(std::u16string_view w, int err)
    {
        if (!atWord(w))
            fail(err);
        next();
    }
    Pos here() const { return {cur().line, cur().column}; }

    [[noreturn]] void fail(int number) { failAt(number, cur()); }
    [[noreturn]] void failAt(int number, const Token& t)
    {
        throw compileError(number, src_, t.line, t.column);
    }

    bool atStatementEnd() const
    {
        Tok k = cur().kind;
        return k == Tok::Newline || k == Tok::Colon || k == Tok::End
            || (singleLineIf_ > 0 && k == Tok::KwElse);
    }
    void skipSeparators()
    {
        while (at(Tok::Newline) || at(Tok::Colon))
            next();
    }
    void endStatement()
    {
        if (!atStatementEnd())
            fail(cerr::ExpectedEndOfStatement);
    }

    std::u16string identifier()
    {
        if (!at(Tok::Identifier))
            fail(cerr::ExpectedIdentifier);
        std::u16string name = cur().text;
        next();
        return name;
    }
    // After a dot any word, reserved or not, names a member.
    std::u16string memberName()
    {
        if (at(Tok::Identifier) || cur().kind >= Tok::KwAnd) {
            std::u16string name = cur().text;
            next();
            return name;
        }
        fail(cerr::ExpectedIdentifier);
    }

    // ---- top level ----
    void topLevelItem(ProgramAst& prog)
    {
        Pos p = here();
        bool isPublic = true, hasScope = false, isDefault = false;
        if (at(Tok::KwPublic) || at(Tok::KwPrivate)) {
            isPublic = at(Tok::KwPublic);
            hasScope = true;
            next();
            if (atWord(u"default")) {
                failAt(cerr::MustBeInClass, cur());
            }
        }
        if (at(Tok::KwSub) || at(Tok::KwFunction)) {
            prog.procs.push_back(procedure(isPublic, isDefault, Context{}));
            return;
        }
        if (atWord(u"property"))
            fail(cerr::MustBeInClass);
        if (at(Tok::KwClass)) {
            if (hasScope)
                fail(cerr::ExpectedStatement);
            prog.classes.push_back(classDecl());
            return;
        }
        if (hasScope) {
            if (at(Tok::KwConst)) {
                StmtPtr s = constStatement();
                s->isPublic = isPublic;
                prog.body.push_back(std::move(s));
                return;
            }
            StmtPtr s = std::make_unique<Stmt>(StmtKind::Dim, p);
            s->isPublic = isPublic;
            varList(s->vars);
            endStatement();
            prog.body.push_back(std::move(s));
            return;
        }
        Context ctx;
        prog.body.push_back(statement(ctx));
    }

    ClassPtr classDecl()
    {
        auto cls = std::make_unique<ClassDecl>();
        cls->pos = here();
        next(); // Class
        cls->name = identifier();
        endStatement();
        bool haveDefault = false;
        for (;;) {
            skipSeparators();
            if (at(Tok::KwEnd)) {
                next();
                expect(Tok::KwClass, cerr::ExpectedClass);
                endStatement();
                break;
            }
            if (at(Tok::End))
                fail(cerr::ExpectedEnd);
            bool isPublic = true, isDefault = false, hasScope = false;
            if (at(Tok::KwPublic) || at(Tok::KwPrivate)) {
                isPublic = at(Tok::KwPublic);
                hasScope = true;
                next();
            }
            if (atWord(u"default")) {
                const Token& d = cur();
                if (!hasScope || !isPublic)
                    failAt(cerr::DefaultNeedsPublic, d);
                next();
                if (!(at(Tok::KwSub) || at(Tok::KwFunction) || atWord(u"property")))
                    failAt(cerr::DefaultOnlyOnProcedures, d);
                isDefault = true;
            }
            if (at(Tok::KwSub) || at(Tok::KwFunction) || atWord(u"property")) {
                Context ctx;
                ctx.inClass = true;
                ProcPtr proc = procedure(isPublic, isDefault, ctx);
                if (proc->isDefault) {
                    if (haveDefault)
                        throw compileError(cerr::MultipleDefault, src_, proc->pos.line, proc->pos.column);
                    haveDefault = true;
                }
                cls->procs.push_back(std::move(proc));
                continue;
            }
            if (at(Tok::KwConst)) {
                StmtPtr s = constStatement();
                for (auto& c : s->consts)
                    cls->consts.push_back(std::move(c));
                continue;
            }
            if (at(Tok::KwDim)) {
                if (hasScope)
                    fail(cerr::ExpectedIdentifier);
                next();
                hasScope = true;
            }
            if (!hasScope)
                fail(cerr::ExpectedStatement);
            std::vector<VarDecl> vars;
            varList(vars);
            endStatement();
            for (auto& v : vars)
                cls->fields.push_back(FieldDecl{std::move(v), isPublic});
        }
        return cls;
    }

    ProcPtr procedure(bool isPublic, bool isDefault, Context ctx)
    {
        auto proc = std::make_unique<ProcDecl>();
        proc->isPublic = isPublic;
        proc->isDefault = isDefault;
        const Token& kindTok = cur();
        if (at(Tok::KwSub)) {
            proc->kind = ProcKind::Sub;
            next();
        } else if (at(Tok::KwFunction)) {
            proc->kind = ProcKind::Function;
            next();
        } else {
            next(); // Property
            if (at(Tok::KwSet)) {
                proc->kind = ProcKind::PropertySet;
                next();
            } else if (atWord(u"get")) {
                proc->kind = ProcKind::PropertyGet;
                next();
            } else if (atWord(u"let")) {
                proc->kind = ProcKind::PropertyLet;
                next();
            } else {
                fail(cerr::ExpectedLetSetGet);
            }
            if (isDefault && proc->kind != ProcKind::PropertyGet)
                failAt(cerr::DefaultOnlyOnGet, kindTok);
        }
        proc->pos = here();
        proc->name = identifier();
        if (accept(Tok::LParen)) {
            if (!at(Tok::RParen)) {
                for (;;) {
                    Param prm;
                    if (accept(Tok::KwByVal))
                        prm.byVal = true;
                    else
                        accept(Tok::KwByRef);
                    prm.pos = here();
                    prm.name = identifier();
                    if (accept(Tok::LParen)) {
                        expect(Tok::RParen, cerr::ExpectedRParen);
                        prm.isArray = true;
                    }
                    proc->params.push_back(std::move(prm));
                    if (!accept(Tok::Comma))
                        break;
                }
            }
            expect(Tok::RParen, cerr::ExpectedRParen);
        }
        endStatement();
        bool isInitTerm = ctx.inClass && proc->kind == ProcKind::Sub
            && (quillo::script::equalsIgnoreCase(proc->name, u"class_initialize")
                || quillo::script::equalsIgnoreCase(proc->name, u"class_terminate"));
        if (isInitTerm && !proc->params.empty())
            throw compileError(cerr::InitTerminateArgs, src_, proc->pos.line, proc->pos.column);
        if ((proc->kind == ProcKind::PropertyLet || proc->kind == ProcKind::PropertySet) && proc->params.empty())
            throw compileError(cerr::PropertyNeedsArgument, src_, proc->pos.line, proc->pos.column);
        ctx.inProc = true;
        ctx.procKind = proc->kind;
        ctx.doDepth = ctx.forDepth = 0;
        proc->body = block(ctx, [](Parser& p) { return p.at(Tok::KwEnd); });
        if (at(Tok::End))
            fail(cerr::ExpectedEnd);
        next(); // End
        switch (proc->kind) {
        case ProcKind::Sub: expect(Tok::KwSub, cerr::ExpectedSub); break;
        case ProcKind::Function: expect(Tok::KwFunction, cerr::ExpectedFunction); break;
        default: expectWord(u"property", cerr::ExpectedProperty); break;
        }
        endStatement();
        return proc;
    }

    // ---- statement lists ----
    template <class Stop>
    Block block(Context& ctx, Stop stop)
    {
        if (++nesting_ > kMaxDepth)
            throw tooDeep(here());
        Block out;
        for (;;) {
            skipSeparators();
            if (at(Tok::End) || stop(*this)) {
                --nesting_;
                return out;
            }
            out.push_back(statement(ctx));
        }
    }

    StmtPtr statement(Context& ctx)
    {
        Pos p = here();
        switch (cur().kind) {
        case Tok::KwDim: {
            next();
            auto s = std::make_unique<Stmt>(StmtKind::Dim, p);
            varList(s->vars);
            endStatement();
            return s;
        }
        case Tok::KwConst: return constStatement();
        case Tok::KwReDim: return redimStatement();
        case Tok::KwErase: {
            next();
            auto s = std::make_unique<Stmt>(StmtKind::Erase, p);
            for (;;) {
                VarDecl v;
                v.pos = here();
                v.name = identifier();
                s->vars.push_back(std::move(v));
                if (!accept(Tok::Comma))
                    break;
            }
            endStatement();
            return s;
        }
        case Tok::KwIf: return ifStatement(ctx);
        case Tok::KwSelect: return selectStatement(ctx);
        case Tok::KwFor: return forStatement(ctx);
        case Tok::KwDo: return doStatement(ctx);
        case Tok::KwWhile: return whileStatement(ctx);
        case Tok::KwWith: return withStatement(ctx);
        case Tok::KwExit: return exitStatement(ctx);
        case Tok::KwOn: return onErrorStatement();
        case Tok::KwSet: {
            next();
            auto s = std::make_unique<Stmt>(StmtKind::Assign, p);
            s->isSet = true;
            s->target = postfix(leftPrimary());
            expect(Tok::Eq, cerr::ExpectedEquals);
            s->value = expression();
            endStatement();
            return s;
        }
        case Tok::KwCall: {
            next();
            auto s = std::make_unique<Stmt>(StmtKind::Call, p);
            s->target = postfix(leftPrimary());
            endStatement();
            return s;
        }
        case Tok::KwStop: {
            next();
            endStatement();
            return std::make_unique<Stmt>(StmtKind::Stop, p);
        }
        case Tok::Identifier:
        case Tok::KwMe:
        case Tok::Dot: return assignOrCall();
        case Tok::KwNext: fail(cerr::UnexpectedNext);
        case Tok::KwLoop: fail(cerr::LoopWithoutDo);
        case Tok::KwSub:
        case Tok::KwFunction:
        case Tok::KwClass:
        case Tok::KwPublic:
        case Tok::KwPrivate:
        case Tok::KwOption:
        case Tok::KwEnd:
        default: fail(cerr::ExpectedStatement);
        }
    }

    StmtPtr assignOrCall()
    {
        Pos p = here();
        if (atWord(u"let") && peekTok().kind == Tok::Identifier)
            next();
        ExprPtr primary = leftPrimary();
        size_t lastParen = 0;
        ExprPtr target = postfix(std::move(primary), &lastParen);
        if (accept(Tok::Eq)) {
            auto s = std::make_unique<Stmt>(StmtKind::Assign, p);
            s->target = std::move(target);
            s->value = expression();
            endStatement();
            return s;
        }
        auto s = std::make_unique<Stmt>(StmtKind::Call, p);
        if (atStatementEnd()) {
            // `f(x)` as a statement: one parenthesised argument, passed by value.
            if (target->kind == ExprKind::Call && lastParen) {
                if (target->args.size() > 1)
                    failAt(cerr::ParensCallingSub, toks_[lastParen]);
                if (target->args.size() == 1 && target->args[0]) {
                    auto paren = std::make_unique<Expr>(ExprKind::Paren, target->args[0]->pos);
                    paren->left = std::move(target->args[0]);
                    target->args[0] = std::move(paren);
                }
            }
            s->target = std::move(target);
            return s;
        }
        // `f (a) + 1, b`: the parentheses belonged to the first argument.
        if (target->kind == ExprKind::Call && lastParen) {
            pos_ = lastParen;
            target = std::move(target->left);
        }
        if (target->kind == ExprKind::Call)
            fail(cerr::ExpectedEndOfStatement);
        auto call = std::make_unique<Expr>(ExprKind::Call, target->pos);
        call->left = std::move(target);
        argumentsWithoutParens(call->args);
        endStatement();
        s->target = std::move(call);
        return s;
    }

    void argumentsWithoutParens(std::vector<ExprPtr>& args)
    {
        for (;;) {
            if (at(Tok::Comma)) {
                args.push_back(nullptr);
            } else {
                args.push_back(expression());
            }
            if (!accept(Tok::Comma))
                break;
            if (atStatementEnd()) {
                args.push_back(nullptr);
                break;
            }
        }
    }

    void varList(std::vector<VarDecl>& vars)
    {
        for (;;) {
            VarDecl v;
            v.pos = here();
            v.name = identifier();
            if (accept(Tok::LParen)) {
                v.isArray = true;
                if (!at(Tok::RParen)) {
                    for (;;) {
                        if (!at(Tok::Number))
                            fail(cerr::ExpectedInteger);
                        auto e = std::make_unique<Expr>(ExprKind::Literal, here());
                        e->value = cur().value;
                        next();
                        v.dims.push_back(std::move(e));
                        if (!accept(Tok::Comma))
                            break;
                    }
                }
                expect(Tok::RParen, cerr::ExpectedRParen);
            }
            vars.push_back(std::move(v));
            if (!accept(Tok::Comma))
                break;
        }
    }

    StmtPtr constStatement()
    {
        auto s = std::make_unique<Stmt>(StmtKind::Const, here());
        next(); // Const
        for (;;) {
            ConstDecl c;
            c.pos = here();
            c.name = identifier();
            expect(Tok::Eq, cerr::ExpectedEquals);
            c.value = constValue();
            s->consts.push_back(std::move(c));
            if (!accept(Tok::Comma))
                break;
        }
        endStatement();
        return s;
    }

    // A literal, optionally signed or parenthesised.
    ExprPtr constValue()
    {
        Pos p = here();
        if (accept(Tok::LParen)) {
            ExprPtr e = constValue();
            expect(Tok::RParen, cerr::ExpectedRParen);
            return e;
        }
        if (at(Tok::Minus) || at(Tok::Plus)) {
            bool neg = at(Tok::Minus);
            next();
            ExprPtr operand = constValue();
            if (!neg)
                return operand;
            auto e = std::make_unique<Expr>(ExprKind::Unary, p);
            e->op = Op::Neg;
            e->left = std::move(operand);
            return e;
        }
        switch (cur().kind) {
        case Tok::Number:
        case Tok::String:
        case Tok::Date:
        case Tok::KwTrue:
        case Tok::KwFalse:
        case Tok::KwEmpty:
        case Tok::KwNull:
        case Tok::KwNothing: return primary();
        default: fail(cerr::ExpectedLiteral);
        }
    }

    StmtPtr redimStatement()
    {
        auto s = std::make_unique<Stmt>(StmtKind::ReDim, here());
        next();
        if (atWord(u"preserve")) {
            s->preserve = true;
            next();
        }
        for (;;) {
            VarDecl v;
            v.pos = here();
            v.name = identifier();
            v.isArray = true;
            expect(Tok::LParen, cerr::ExpectedLParen);
            for (;;) {
                v.dims.push_back(expression());
                if (!accept(Tok::Comma))
                    break;
            }
            expect(Tok::RParen, cerr::ExpectedRParen);
            s->vars.push_back(std::move(v));
            if (!accept(Tok::Comma))
                break;
        }
        endStatement();
        return s;
    }

    StmtPtr ifStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::If, here());
        next();
        s->cond = expression();
        expect(Tok::KwThen, cerr::ExpectedThen);
        if (!at(Tok::Newline) && !at(Tok::End)) {
            singleLineIfBody(ctx, *s);
            return s;
        }
        auto stop = [](Parser& p) { return p.at(Tok::KwElseIf) || p.at(Tok::KwElse) || p.at(Tok::KwEnd); };
        s->body = block(ctx, stop);
        for (;;) {
            if (at(Tok::KwElseIf)) {
                ElseIf e;
                e.pos = here();
                next();
                e.cond = expression();
                expect(Tok::KwThen, cerr::ExpectedThen);
                if (!at(Tok::Newline) && !at(Tok::Colon))
                    fail(cerr::ExpectedEndOfStatement);
                e.body = block(ctx, stop);
                s->elseIfs.push_back(std::move(e));
                continue;
            }
            if (at(Tok::KwElse)) {
                next();
                s->hasElse = true;
                s->elseBody = block(ctx, [](Parser& p) { return p.at(Tok::KwEnd) || p.at(Tok::KwElseIf) || p.at(Tok::KwElse); });
                if (!at(Tok::KwEnd))
                    fail(cerr::ExpectedEnd);
            }
            break;
        }
        if (!at(Tok::KwEnd))
            fail(cerr::ExpectedEnd);
        next();
        expect(Tok::KwIf, cerr::ExpectedIf);
        endStatement();
        return s;
    }

    // `If c Then a : b Else d : e` up to the end of the line.
    void singleLineIfBody(Context& ctx, Stmt& s)
    {
        ++singleLineIf_;
        auto lineEnd = [this]() { return at(Tok::Newline) || at(Tok::End); };
        Block* target = &s.body;
        for (;;) {
            while (accept(Tok::Colon)) {
            }
            if (lineEnd())
                break;
            if (at(Tok::KwElse)) {
                if (target == &s.elseBody)
                    fail(cerr::ExpectedEndOfStatement);
                next();
                s.hasElse = true;
                target = &s.elseBody;
                continue;
            }
            if (at(Tok::KwIf)) {
                // a nested single-line If owns the rest of the line
                target->push_back(statement(ctx));
                continue;
            }
            target->push_back(statement(ctx));
            if (!atStatementEnd())
                fail(cerr::ExpectedEndOfStatement);
        }
        if (at(Tok::KwEnd) && peekTok().kind == Tok::KwIf) {
            next();
            next();
        }
        --singleLineIf_;
    }

    StmtPtr selectStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::Select, here());
        next();
        expect(Tok::KwCase, cerr::ExpectedCase);
        s->value = expression();
        endStatement();
        skipSeparators();
        auto stop = [](Parser& p) { return p.at(Tok::KwCase) || p.at(Tok::KwEnd); };
        while (at(Tok::KwCase)) {
            Pos cp = here();
            next();
            if (at(Tok::KwElse)) {
                next();
                s->hasElse = true;
                s->elseBody = block(ctx, stop);
                if (at(Tok::KwCase))
                    fail(cerr::ExpectedEnd);
                break;
            }
            CaseClause c;
            c.pos = cp;
            for (;;) {
                c.values.push_back(expression());
                if (!accept(Tok::Comma))
                    break;
            }
            if (!atStatementEnd())
                fail(cerr::ExpectedEndOfStatement);
            c.body = block(ctx, stop);
            s->cases.push_back(std::move(c));
        }
        if (!at(Tok::KwEnd))
            fail(cerr::ExpectedEnd);
        next();
        expect(Tok::KwSelect, cerr::ExpectedSelect);
        endStatement();
        return s;
    }

    StmtPtr forStatement(Context& ctx)
    {
        Pos p = here();
        next();
        if (accept(Tok::KwEach)) {
            auto s = std::make_unique<Stmt>(StmtKind::ForEach, p);
            s->name = identifier();
            expect(Tok::KwIn, cerr::ExpectedIn);
            s->value = expression();
            endStatement();
            ++ctx.forDepth;
            s->body = block(ctx, [](Parser& pr) { return pr.at(Tok::KwNext); });
            --ctx.forDepth;
            expect(Tok::KwNext, cerr::ExpectedNext);
            endStatement();
            return s;
        }
        auto s = std::make_unique<Stmt>(StmtKind::For, p);
        if (!at(Tok::Identifier))
            fail(cerr::InvalidForVariable);
        s->name = identifier();
        expect(Tok::Eq, cerr::ExpectedEquals);
        s->from = expression();
        expect(Tok::KwTo, cerr::ExpectedTo);
        s->to = expression();
        if (atWord(u"step")) {
            next();
            s->step = expression();
        }
        endStatement();
        ++ctx.forDepth;
        s->body = block(ctx, [](Parser& pr) { return pr.at(Tok::KwNext); });
        --ctx.forDepth;
        expect(Tok::KwNext, cerr::ExpectedNext);
        if (at(Tok::Identifier))
            next();
        endStatement();
        return s;
    }

    StmtPtr doStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::Do, here());
        next();
        if (at(Tok::KwWhile) || at(Tok::KwUntil)) {
            s->until = at(Tok::KwUntil);
            next();
            s->cond = expression();
        } else if (!atStatementEnd()) {
            fail(cerr::ExpectedWhileUntilEnd);
        }
        endStatement();
        ++ctx.doDepth;
        s->body = block(ctx, [](Parser& p) { return p.at(Tok::KwLoop); });
        --ctx.doDepth;
        expect(Tok::KwLoop, cerr::ExpectedLoop);
        if (at(Tok::KwWhile) || at(Tok::KwUntil)) {
            if (s->cond)
                fail(cerr::ExpectedEndOfStatement);
            s->until = at(Tok::KwUntil);
            s->testAtEnd = true;
            next();
            s->cond = expression();
        }
        endStatement();
        return s;
    }

    StmtPtr whileStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::While, here());
        next();
        s->cond = expression();
        endStatement();
        s->body = block(ctx, [](Parser& p) { return p.at(Tok::KwWend); });
        expect(Tok::KwWend, cerr::ExpectedWend);
        endStatement();
        return s;
    }

    StmtPtr withStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::With, here());
        next();
        s->value = expression();
        endStatement();
        s->body = block(ctx, [](Parser& p) { return p.at(Tok::KwEnd); });
        expect(Tok::KwEnd, cerr::ExpectedEnd);
        expect(Tok::KwWith, cerr::ExpectedWith);
        endStatement();
        return s;
    }

    StmtPtr exitStatement(Context& ctx)
    {
        auto s = std::make_unique<Stmt>(StmtKind::Exit, here());
        const Token& exitTok = cur();
        next();
        bool ok = false;
        if (at(Tok::KwDo)) {
            s->exitKind = ExitKind::Do;
            ok = ctx.doDepth > 0;
        } else if (at(Tok::KwFor)) {
            s->exitKind = ExitKind::For;
            ok = ctx.forDepth > 0;
        } else if (at(Tok::KwSub)) {
            s->exitKind = ExitKind::Sub;
            ok = ctx.inProc && ctx.procKind == ProcKind::Sub;
        } else if (at(Tok::KwFunction)) {
            s->exitKind = ExitKind::Function;
            ok = ctx.inProc && ctx.procKind == ProcKind::Function;
        } else if (atWord(u"property")) {
            s->exitKind = ExitKind::Property;
            ok = ctx.inProc && ctx.procKind >= ProcKind::PropertyGet;
        } else {
            fail(cerr::InvalidExit);
        }
        if (!ok)
            failAt(cerr::InvalidExit, exitTok);
        next();
        endStatement();
        return s;
    }

    StmtPtr onErrorStatement()
    {
        Pos p = here();
        next();
        expectWord(u"error", cerr::SyntaxError);
        if (atWord(u"resume")) {
            next();
            expect(Tok::KwNext, cerr::SyntaxError);
            endStatement();
            return std::make_unique<Stmt>(StmtKind::OnErrorResumeNext, p);
        }
        expectWord(u"goto", cerr::SyntaxError);
        if (!at(Tok::Number) || cur().value.valueType() != quillo::script::VarType::Integer || cur().value.asInteger() != 0)
            fail(cerr::SyntaxError);
        next();
        endStatement();
        return std::make_unique<Stmt>(StmtKind::OnErrorGoto0, p);
    }

    // ---- expressions ----
    ExprPtr leftPrimary()
    {
        Pos p = here();
        if (at(Tok::Identifier)) {
            auto e = std::make_unique<Expr>(ExprKind::Name, p);
            e->name = cur().text;
            next();
            return e;
        }
        if (accept(Tok::KwMe))
            return std::make_unique<Expr>(ExprKind::Me, p);
        if (accept(Tok::Dot)) {
            auto e = std::make_unique<Expr>(ExprKind::Member, p);
            e->name = memberName();
            return e;
        }
        fail(cerr::ExpectedStatement);
    }

    // Member accesses and argument lists after a primary; `lastParen` gets the index
    // of the '(' of the final argument list, 0 when the chain does not end in one.
    ExprPtr postfix(ExprPtr e, size_t* lastParen = nullptr)
    {
        for (;;) {
            if (at(Tok::Dot) && !cur().spaceBefore) {
                Pos p = here();
                next();
                auto m = std::make_unique<Expr>(ExprKind::Member, p);
                m->name = memberName();
                m->left = std::move(e);
                setDepth(*m, p);
                e = std::move(m);
                if (lastParen)
                    *lastParen = 0;
                continue;
            }
            if (at(Tok::LParen)) {
                size_t open = pos_;
                Pos p = here();
                next();
                auto c = std::make_unique<Expr>(ExprKind::Call, p);
                c->left = std::move(e);
                if (!at(Tok::RParen)) {
                    for (;;) {
                        if (at(Tok::Comma) || at(Tok::RParen))
                            c->args.push_back(nullptr);
                        else
                            c->args.push_back(expression());
                        if (!accept(Tok::Comma))
                            break;
                    }
                }
                expect(Tok::RParen, cerr::ExpectedRParen);
                setDepth(*c, p);
                e = std::move(c);
                if (lastParen)
                    *lastParen = open;
                continue;
            }
            return e;
        }
    }

    // Nesting is bounded so that compiling never exhausts the native stack.
    static constexpr int kMaxDepth = 800;

    void setDepth(Expr& e, Pos at)
    {
        int d = 0;
        if (e.left)
            d = std::max(d, e.left->depth);
        if (e.right)
            d = std::max(d, e.right->depth);
        for (const ExprPtr& a : e.args)
            if (a)
                d = std::max(d, a->depth);
        e.depth = d + 1;
        if (e.depth > kMaxDepth)
            throw tooDeep(at);
    }

    quillo::script::ScriptError tooDeep(Pos at)
    {
        quillo::script::ScriptError e = compileError(28, src_, at.line, at.column);
        return e;
    }

    ExprPtr expression()
    {
        if (++nesting_ > kMaxDepth)
            throw tooDeep(here());
        ExprPtr e = binaryLevel(0);
        --nesting_;
        return e;
    }

    static int levelOf(Tok k, Op& op)
    {
        switch (k) {
        case Tok::KwImp: op = Op::Imp; return 0;
        case Tok::KwEqv: op = Op::Eqv; return 1;
        case Tok::KwXor: op = Op::Xor; return 2;
        case Tok::KwOr: op = Op::Or; return 3;
        case Tok::KwAnd: op = Op::And; return 4;
        // level 5 is Not
        case Tok::Eq: op = Op::Eq; return 6;
        case Tok::Ne: op = Op::Ne; return 6;
        case Tok::Lt: op = Op::Lt; return 6;
        case Tok::Gt: op = Op::Gt; return 6;
        case Tok::Le: op = Op::Le; return 6;
        case Tok::Ge: op = Op::Ge; return 6;
        case Tok::KwIs: op = Op::Is; return 6;
        case Tok::Amp: op = Op::Concat; return 7;
        case Tok::Plus: op = Op::Add; return 8;
        case Tok::Minus: op = Op::Sub; return 8;
        case Tok::KwMod: op = Op::Mod; return 9;
        case Tok::Backslash: op = Op::IntDiv; return 10;
        case Tok::Star: op = Op::Mul; return 11;
        case Tok::Slash: op = Op::Div; return 11;
        default: return -1;
        }
    }

    ExprPtr binaryLevel(int level)
    {
        if (level == 5) {
            if (at(Tok::KwNot)) {
                Pos p = here();
                next();
                auto e = std::make_unique<Expr>(ExprKind::Unary, p);
                e->op = Op::Not;
                e->left = binaryLevel(5);
                setDepth(*e, p);
                return e;
            }
            return binaryLevel(6);
        }
        if (level == 12)
            return unary();
        ExprPtr left = binaryLevel(level + 1);
        for (;;) {
            Op op = Op::Add;
            if (levelOf(cur().kind, op) != level)
                return left;
            Pos p = here();
            next();
            ExprPtr right = binaryLevel(level + 1);
            auto e = std::make_unique<Expr>(ExprKind::Binary, p);
            e->op = op;
            e->left = std::move(left);
            e->right = std::move(right);
            setDepth(*e, p);
            left = std::move(e);
        }
    }

    ExprPtr unary()
    {
        if (at(Tok::Minus)) {
            Pos p = here();
            next();
            auto e = std::make_unique<Expr>(ExprKind::Unary, p);
            e->op = Op::Neg;
            e->left = unary();
            setDepth(*e, p);
            return e;
        }
        if (accept(Tok::Plus))
            return unary();
        return power();
    }

    ExprPtr power()
    {
        ExprPtr left = postfix(primary());
        while (at(Tok::Caret)) {
            Pos p = here();
            next();
            ExprPtr right;
            if (at(Tok::Minus)) {
                Pos np = here();
                next();
                right = std::make_unique<Expr>(ExprKind::Unary, np);
                right->op = Op::Neg;
                right->left = postfix(primary());
            } else {
                accept(Tok::Plus);
                right = postfix(primary());
            }
            auto e = std::make_unique<Expr>(ExprKind::Binary, p);
            e->op = Op::Pow;
            e->left = std::move(left);
            e->right = std::move(right);
            setDepth(*e, p);
            left = std::move(e);
        }
        return left;
    }

    ExprPtr literal(Variant v)
    {
        auto e = std::make_unique<Expr>(ExprKind::Literal, here());
        e->value = std::move(v);
        next();
        return e;
    }

    ExprPtr primary()
    {
        Pos p = here();
        switch (cur().kind) {
        case Tok::Number:
        case Tok::String:
        case Tok::Date: return literal(cur().value);
        case Tok::KwTrue: return literal(Variant::fromBool(true));
        case Tok::KwFalse: return literal(Variant::fromBool(false));
        case Tok::KwEmpty: return literal(Variant());
        case Tok::KwNull: return literal(Variant::null());
        case Tok::KwNothing: return literal(Variant::nothing());
        case Tok::Identifier:
        case Tok::KwMe:
        case Tok::Dot: return leftPrimary();
        case Tok::LParen: {
            next();
            auto e = std::make_unique<Expr>(ExprKind::Paren, p);
            e->left = expression();
            expect(Tok::RParen, cerr::ExpectedRParen);
            setDepth(*e, p);
            return e;
        }
        case Tok::KwNew: {
            next();
            auto e = std::make_unique<Expr>(ExprKind::New, p);
            e->name = identifier();
            return e;
        }
        default: fail(cerr::ExpectedExpression);
        }
    }

    std::u16string_view src_;
    std::vector<Token> toks_;
    size_t pos_ = 0;
    int singleLineIf_ = 0;
    int nesting_ = 0; // expressions and blocks being parsed
};

} // namespace

ProgramAst parseProgram(std::u16string_view source)
{
    return Parser(source).program();
}

ExprPtr parseExpression(std::u16string_view source)
{
    return Parser(source).expressionOnly();
}

} // namespace quillo::vbscript
