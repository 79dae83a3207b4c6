#pragma once
// Recursive-descent parser: tokens to a tree, with automatic semicolon insertion and
// the checks that are compile errors (labels, break/continue/return placement).

#include <memory>
#include <string>
#include <vector>

#include "scripting/jscript/Ast.h"

namespace quillo::jscript {

struct Program {
    std::shared_ptr<FunctionNode> main;  // the top level as a parameterless function
};

class Parser {
public:
    // `isEval` code may not `return`; both kinds parse the same statements.
    Parser(const std::u16string& src, bool isEval);
    Program parse();

private:
    void advance();
    bool at(T t) const { return tok_.type == t; }
    void expect(T t, int errorNumber);
    void consumeSemicolon();
    [[noreturn]] void fail(int n) { throw CompileError{n, tok_.start}; }
    [[noreturn]] void failAt(int n, uint32_t pos) { throw CompileError{n, pos}; }

    NodePtr statement();
    NodePtr block();
    NodePtr varStatement(bool noIn, bool asStatement);
    NodePtr ifStatement();
    NodePtr doWhileStatement();
    NodePtr whileStatement();
    NodePtr forStatement();
    NodePtr jumpStatement(bool isBreak);
    NodePtr returnStatement();
    NodePtr withStatement();
    NodePtr switchStatement();
    NodePtr throwStatement();
    NodePtr tryStatement();
    NodePtr functionDeclaration();
    std::shared_ptr<FunctionNode> functionRest(uint32_t start, bool isExpression);
    void functionBody(FunctionNode& fn);

    NodePtr expression(bool noIn = false);
    NodePtr assignment(bool noIn);
    NodePtr conditional(bool noIn);
    NodePtr binary(int minPrec, bool noIn);
    NodePtr unary();
    NodePtr postfix();
    NodePtr leftHandSide();
    NodePtr newOrMember();
    NodePtr memberSuffixes(NodePtr n, bool allowCall);
    NodePtr primary();
    NodePtr arrayLiteral();
    NodePtr objectLiteral();
    void arguments(Node& call);
    NodePtr make(N k, uint32_t pos) { return std::make_unique<Node>(k, pos); }
    void declareVar(const std::u16string& name);
    void noteName(const std::u16string& name);

    Lexer lexer_;
    Token tok_;
    bool isEval_;
    FunctionNode* fn_ = nullptr;
    bool inFunction_ = false;
    int loopDepth_ = 0;
    int breakableDepth_ = 0;
    struct Label {
        std::u16string name;
        bool isLoop;
        uint32_t start, bodyStart;  // `a: b: for`: a's body starts where b does, so both name the loop
    };
    std::vector<Label> labels_;
    std::vector<std::u16string> pendingLabels_;
};

}  // namespace quillo::jscript
