#pragma once
// Compile errors carry number, table text, line, column and the source line.

#include "scripting/core/ScriptError.h"

#include <string_view>

namespace quillo::vbscript {

namespace cerr {
constexpr int SyntaxError = 1002;
constexpr int ExpectedColon = 1003;
constexpr int ExpectedLParen = 1005;
constexpr int ExpectedRParen = 1006;
constexpr int ExpectedRBracket = 1007;
constexpr int ExpectedIdentifier = 1010;
constexpr int ExpectedEquals = 1011;
constexpr int ExpectedIf = 1012;
constexpr int ExpectedTo = 1013;
constexpr int ExpectedEnd = 1014;
constexpr int ExpectedFunction = 1015;
constexpr int ExpectedSub = 1016;
constexpr int ExpectedThen = 1017;
constexpr int ExpectedWend = 1018;
constexpr int ExpectedLoop = 1019;
constexpr int ExpectedNext = 1020;
constexpr int ExpectedCase = 1021;
constexpr int ExpectedSelect = 1022;
constexpr int ExpectedExpression = 1023;
constexpr int ExpectedStatement = 1024;
constexpr int ExpectedEndOfStatement = 1025;
constexpr int ExpectedInteger = 1026;
constexpr int ExpectedWhileUntil = 1027;
constexpr int ExpectedWhileUntilEnd = 1028;
constexpr int ExpectedWith = 1029;
constexpr int IdentifierTooLong = 1030;
constexpr int InvalidNumber = 1031;
constexpr int InvalidCharacter = 1032;
constexpr int UnterminatedString = 1033;
constexpr int InvalidMe = 1037;
constexpr int LoopWithoutDo = 1038;
constexpr int InvalidExit = 1039;
constexpr int InvalidForVariable = 1040;
constexpr int NameRedefined = 1041;
constexpr int MustBeFirstStatement = 1042;
constexpr int AssignToNonByVal = 1043;
constexpr int ParensCallingSub = 1044;
constexpr int ExpectedLiteral = 1045;
constexpr int ExpectedIn = 1046;
constexpr int ExpectedClass = 1047;
constexpr int MustBeInClass = 1048;
constexpr int ExpectedLetSetGet = 1049;
constexpr int ExpectedProperty = 1050;
constexpr int InconsistentPropertyArgs = 1051;
constexpr int MultipleDefault = 1052;
constexpr int InitTerminateArgs = 1053;
constexpr int PropertyNeedsArgument = 1054;
constexpr int UnexpectedNext = 1055;
constexpr int DefaultOnlyOnProcedures = 1056;
constexpr int DefaultNeedsPublic = 1057;
constexpr int DefaultOnlyOnGet = 1058;
} // namespace cerr

// A compile error at 1-based `line` / `column` of `source`.
quillo::script::ScriptError compileError(int number, std::u16string_view source, int line, int column);

} // namespace quillo::vbscript
