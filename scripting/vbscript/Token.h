#pragma once
// Tokens of VBScript source text. Reserved words get their own kinds; words that are
// keywords only in some places (Property, Get, Step, Preserve, ...) stay identifiers and
// the parser tests their text.

#include "scripting/core/Variant.h"

#include <cstdint>
#include <string>

namespace quillo::vbscript {

enum class Tok : uint8_t {
    End,        // end of text
    Newline,    // end of a line (statement separator)
    Colon,      // ':' statement separator on one line
    Identifier, // a name, text in `text` (bracketed names too)
    Number,     // numeric literal, value in `value`
    String,     // string literal, value in `value`
    Date,       // #date# literal, value in `value`
    // punctuation and operators
    LParen, RParen, Comma, Dot, Amp, Plus, Minus, Star, Slash, Backslash, Caret,
    Eq, Ne, Lt, Gt, Le, Ge,
    // reserved words
    KwAnd, KwByRef, KwByVal, KwCall, KwCase, KwClass, KwConst, KwDim, KwDo, KwEach,
    KwElse, KwElseIf, KwEmpty, KwEnd, KwEqv, KwErase, KwExit, KwFalse, KwFor, KwFunction,
    KwIf, KwImp, KwIn, KwIs, KwLoop, KwMe, KwMod, KwNew, KwNext, KwNot, KwNothing, KwNull,
    KwOn, KwOption, KwOr, KwPrivate, KwPublic, KwReDim, KwSelect, KwSet, KwStop, KwSub,
    KwThen, KwTo, KwTrue, KwUntil, KwWend, KwWhile, KwWith, KwXor,
};

struct Token {
    Tok kind = Tok::End;
    int line = 1;   // 1-based
    int column = 1; // 1-based, in UTF-16 code units
    uint32_t offset = 0;        // start in the source text
    bool spaceBefore = false;   // blank directly before the token
    std::u16string text;        // identifier text as written
    quillo::script::Variant value;
};

} // namespace quillo::vbscript
