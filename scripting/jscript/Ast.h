#pragma once
// Syntax tree. One node type with a kind and up to four children keeps the parser and
// compiler short; functions carry what scope analysis needs.

#include <memory>
#include <string>
#include <vector>

#include "scripting/jscript/Lexer.h"

namespace quillo::jscript {

enum class N : uint8_t {
    // expressions
    Num, Str, RegExp, Ident, This, Null, True, False, Array, Object, Function, Member, Index,
    Call, New, Unary, Update, Binary, Logical, Conditional, Assign, Comma,
    // statements
    Var, VarDecl, ExprStmt, Block, Empty, If, DoWhile, While, For, ForIn, Continue, Break,
    Return, With, Switch, Case, Labeled, Throw, Try, FunctionDecl, Debugger,
};

struct FunctionNode;
struct Node;
using NodePtr = std::unique_ptr<Node>;

struct Node {
    Node(N k, uint32_t p) : kind(k), pos(p) {}
    Node(const Node&) = delete;
    Node& operator=(const Node&) = delete;
    // Children are released iteratively: `1+1+...+1` nests a node per operator.
    ~Node() {
        std::vector<NodePtr> pending;
        auto detach = [&pending](Node& n) {
            for (NodePtr* c : {&n.a, &n.b, &n.c, &n.d})
                if (*c) pending.push_back(std::move(*c));
            for (NodePtr& c : n.list)
                if (c) pending.push_back(std::move(c));
            n.list.clear();
        };
        detach(*this);
        while (!pending.empty()) {
            NodePtr n = std::move(pending.back());
            pending.pop_back();
            detach(*n);
        }
    }
    N kind;
    T op = T::End;
    bool prefix = false;
    uint32_t pos;
    double num = 0;
    std::u16string str;
    std::u16string flags;
    NodePtr a, b, c, d;
    std::vector<NodePtr> list;
    std::shared_ptr<FunctionNode> func;
};

struct FunctionNode {
    std::u16string name;
    bool isExpression = false;
    std::vector<std::u16string> params;
    std::vector<NodePtr> body;
    uint32_t srcStart = 0, srcEnd = 0;
    // Filled by the parser while it reads the body.
    std::vector<std::u16string> varNames;  // hoisted `var` names, in order
    std::vector<FunctionNode*> functionDecls;  // hoisted declarations (including in blocks)
    std::vector<FunctionNode*> children;  // every function literal directly inside
    bool usesArguments = false;
    bool usesEval = false;  // a direct call `eval(...)`
    bool hasWith = false;
    bool usesThis = false;
    std::vector<std::u16string> freeNames;  // identifiers referenced in this function
};

}  // namespace quillo::jscript
