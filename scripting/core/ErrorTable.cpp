// Error numbers and texts of both languages, sorted by number: lookups are binary searches.
#include "scripting/core/ErrorTable.h"

#include <algorithm>
#include <iterator>

namespace quillo::script {

namespace {

struct Entry {
    int32_t number;
    std::u16string_view text;
};

constexpr Entry kVBScript[] = {
    {5, u"Invalid procedure call or argument"},
    {6, u"Overflow"},
    {7, u"Out of memory"},
    {9, u"Subscript out of range"},
    {10, u"This array is fixed or temporarily locked"},
    {11, u"Division by zero"},
    {13, u"Type mismatch"},
    {14, u"Out of string space"},
    {17, u"Can't perform requested operation"},
    {28, u"Out of stack space"},
    {35, u"Sub or Function not defined"},
    {48, u"Error in loading DLL"},
    {51, u"Internal error"},
    {52, u"Bad file name or number"},
    {53, u"File not found"},
    {54, u"Bad file mode"},
    {55, u"File already open"},
    {57, u"Device I/O error"},
    {58, u"File already exists"},
    {61, u"Disk full"},
    {62, u"Input past end of file"},
    {67, u"Too many files"},
    {68, u"Device unavailable"},
    {70, u"Permission denied"},
    {71, u"Disk not ready"},
    {74, u"Can't rename with different drive"},
    {75, u"Path/File access error"},
    {76, u"Path not found"},
    {91, u"Object variable not set"},
    {92, u"For loop not initialized"},
    {94, u"Invalid use of Null"},
    {322, u"Can't create necessary temporary file"},
    {424, u"Object required"},
    {429, u"ActiveX component can't create object"},
    {430, u"Class doesn't support Automation"},
    {432, u"File name or class name not found during Automation operation"},
    {438, u"Object doesn't support this property or method"},
    {440, u"Automation error"},
    {445, u"Object doesn't support this action"},
    {446, u"Object doesn't support named arguments"},
    {447, u"Object doesn't support current locale setting"},
    {448, u"Named argument not found"},
    {449, u"Argument not optional"},
    {450, u"Wrong number of arguments or invalid property assignment"},
    {451, u"Object not a collection"},
    {453, u"Specified DLL function not found"},
    {457, u"This key is already associated with an element of this collection"},
    {458, u"Variable uses an Automation type not supported in VBScript"},
    {462, u"The remote server machine does not exist or is unavailable"},
    {481, u"Invalid picture"},
    {500, u"Variable is undefined"},
    {501, u"Illegal assignment"},
    {502, u"Object not safe for scripting"},
    {503, u"Object not safe for initializing"},
    {504, u"Object not safe for creating"},
    {505, u"Invalid or unqualified reference"},
    {506, u"Class not defined"},
    {507, u"An exception occurred"},
    {1001, u"Out of memory"},
    {1002, u"Syntax error"},
    {1003, u"Expected ':'"},
    {1005, u"Expected '('"},
    {1006, u"Expected ')'"},
    {1007, u"Expected ']'"},
    {1010, u"Expected identifier"},
    {1011, u"Expected '='"},
    {1012, u"Expected 'If'"},
    {1013, u"Expected 'To'"},
    {1014, u"Expected 'End'"},
    {1015, u"Expected 'Function'"},
    {1016, u"Expected 'Sub'"},
    {1017, u"Expected 'Then'"},
    {1018, u"Expected 'Wend'"},
    {1019, u"Expected 'Loop'"},
    {1020, u"Expected 'Next'"},
    {1021, u"Expected 'Case'"},
    {1022, u"Expected 'Select'"},
    {1023, u"Expected expression"},
    {1024, u"Expected statement"},
    {1025, u"Expected end of statement"},
    {1026, u"Expected integer constant"},
    {1027, u"Expected 'While' or 'Until'"},
    {1028, u"Expected 'While', 'Until' or end of statement"},
    {1029, u"Expected 'With'"},
    {1030, u"Identifier too long"},
    {1031, u"Invalid number"},
    {1032, u"Invalid character"},
    {1033, u"Unterminated string constant"},
    {1034, u"Unterminated comment"},
    {1037, u"Invalid use of 'Me' keyword"},
    {1038, u"'loop' without 'do'"},
    {1039, u"Invalid 'exit' statement"},
    {1040, u"Invalid 'for' loop control variable"},
    {1041, u"Name redefined"},
    {1042, u"Must be first statement on the line"},
    {1043, u"Cannot assign to non-ByVal argument"},
    {1044, u"Cannot use parentheses when calling a Sub"},
    {1045, u"Expected literal constant"},
    {1046, u"Expected 'In'"},
    {1047, u"Expected 'Class'"},
    {1048, u"Must be defined inside a Class"},
    {1049, u"Expected Let or Set or Get in property declaration"},
    {1050, u"Expected 'Property'"},
    {1051, u"Number of arguments must be consistent across properties specification"},
    {1052, u"Cannot have multiple default property/method in a Class"},
    {1053, u"Class initialize or terminate do not have arguments"},
    {1054, u"Property set or let must have at least one argument"},
    {1055, u"Unexpected 'Next'"},
    {1056, u"'Default' can be specified only on 'Property' or 'Function' or 'Sub'"},
    {1057, u"'Default' specification must also specify 'Public'"},
    {1058, u"'Default' specification can only be on Property Get"},
    {5008, u"Illegal assignment"},
    {5016, u"Regular Expression object expected"},
    {5017, u"Syntax error in regular expression"},
    {5018, u"Unexpected quantifier"},
    {5019, u"Expected ']' in regular expression"},
    {5020, u"Expected ')' in regular expression"},
    {5021, u"Invalid range in character set"},
    {32811, u"Element not found"},
    {32812, u"The specified date is not available in the current locale's calendar"},
};

constexpr Entry kJScript[] = {
    {1001, u"Out of memory"},
    {1002, u"Syntax error"},
    {1003, u"Expected ':'"},
    {1004, u"Expected ';'"},
    {1005, u"Expected '('"},
    {1006, u"Expected ')'"},
    {1007, u"Expected ']'"},
    {1008, u"Expected '{'"},
    {1009, u"Expected '}'"},
    {1010, u"Expected identifier"},
    {1011, u"Expected '='"},
    {1012, u"Expected '/'"},
    {1013, u"Invalid number"},
    {1014, u"Invalid character"},
    {1015, u"Unterminated string constant"},
    {1016, u"Unterminated comment"},
    {1018, u"'return' statement outside of function"},
    {1019, u"Can't have 'break' outside of loop"},
    {1020, u"Can't have 'continue' outside of loop"},
    {1023, u"Expected hexadecimal digit"},
    {1024, u"Expected 'while'"},
    {1025, u"Label redefined"},
    {1026, u"Label not found"},
    {1027, u"'default' can only appear once in a 'switch' statement"},
    {1028, u"Expected identifier, string or number"},
    {1029, u"Expected '@end'"},
    {1030, u"Conditional compilation is turned off"},
    {1031, u"Expected constant"},
    {1032, u"Expected '@'"},
    {1033, u"Expected 'catch'"},
    {1035, u"Throw must be followed by an expression on the same source line"},
    {5000, u"Cannot assign to 'this'"},
    {5001, u"Number expected"},
    {5002, u"Function expected"},
    {5003, u"Cannot assign to a function result"},
    {5004, u"Cannot index object"},
    {5005, u"String expected"},
    {5006, u"Date object expected"},
    {5007, u"Object expected"},
    {5008, u"Illegal assignment"},
    {5009, u"Undefined identifier"},
    {5010, u"Boolean expected"},
    {5011, u"Can't execute code from a freed script"},
    {5012, u"Object member expected"},
    {5013, u"VBArray expected"},
    {5014, u"JScript object expected"},
    {5015, u"Enumerator object expected"},
    {5016, u"Regular Expression object expected"},
    {5017, u"Syntax error in regular expression"},
    {5018, u"Unexpected quantifier"},
    {5019, u"Expected ']' in regular expression"},
    {5020, u"Expected ')' in regular expression"},
    {5021, u"Invalid range in character set"},
    {5022, u"Exception thrown and not caught"},
    {5023, u"Function does not have a valid prototype object"},
    {5024, u"The URI to be encoded contains an invalid character"},
    {5025, u"The URI to be decoded is not a valid encoding"},
    {5026, u"The number of fractional digits is out of range"},
    {5027, u"The precision is out of range"},
    {5028, u"Array or arguments object expected"},
    {5029, u"Array length must be a finite positive integer"},
    {5030, u"Array length must be assigned a finite positive number"},
    {5034, u"Circular reference in value argument not supported"},
    {5035, u"Invalid replacer argument"},
};

template <size_t N>
std::u16string_view find(const Entry (&table)[N], int32_t number)
{
    auto it = std::lower_bound(std::begin(table), std::end(table), number,
                               [](const Entry& e, int32_t n) { return e.number < n; });
    return it != std::end(table) && it->number == number ? it->text : std::u16string_view();
}

} // namespace

std::u16string_view vbscriptDescription(int32_t number)
{
    return find(kVBScript, number);
}

std::u16string_view jscriptDescription(int32_t number)
{
    if (number == 429)
        return u"Automation server can't create object";
    if (number < 1000)
        return find(kVBScript, number);
    return find(kJScript, number);
}

int32_t hresultFromNumber(int32_t number)
{
    if (number < 0 || number > 0xFFFF)
        return number;
    return int32_t(0x800A0000u | uint32_t(number));
}

int32_t numberFromHresult(int32_t code)
{
    if ((uint32_t(code) & 0xFFFF0000u) == 0x800A0000u)
        return int32_t(uint32_t(code) & 0xFFFFu);
    return code;
}

} // namespace quillo::script
