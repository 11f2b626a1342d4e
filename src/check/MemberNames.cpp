#include "check/MemberNames.h"

#include "document/ItemTypes.h"

#include <QByteArray>
#include <deque>
#include <string_view>
#include <unordered_set>

namespace pravik {

namespace {

bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// A fixed set of names. The checker asks it for every member, so it hashes
// with the standard library's fast string hash.
class NameSet {
public:
    NameSet(std::initializer_list<const char*> names) {
        for (const char* n : names)
            add(QByteArray(n));
    }
    void add(const QByteArray& name) {
        m_storage.push_back(name);
        m_names.emplace(m_storage.back().constData(), static_cast<size_t>(name.size()));
    }
    bool contains(QByteArrayView name) const {
        return m_names.count(std::string_view(name.data(), static_cast<size_t>(name.size()))) != 0;
    }

private:
    std::deque<QByteArray> m_storage;
    std::unordered_set<std::string_view> m_names;
};

} // namespace

bool IsCppIdentifier(QByteArrayView name) {
    if (name.isEmpty() || IsAsciiDigit(name[0]))
        return false;
    for (char c : name)
        if (!IsAsciiLetter(c) && !IsAsciiDigit(c) && c != '_')
            return false;
    return true;
}

bool IsCppKeyword(QByteArrayView name) {
    static const NameSet keywords({
        "alignas",       "alignof",     "and",
        "and_eq",        "asm",         "auto",
        "bitand",        "bitor",       "bool",
        "break",         "case",        "catch",
        "char",          "char8_t",     "char16_t",
        "char32_t",      "class",       "compl",
        "concept",       "const",       "consteval",
        "constexpr",     "constinit",   "const_cast",
        "continue",      "co_await",    "co_return",
        "co_yield",      "decltype",    "default",
        "delete",        "do",          "double",
        "dynamic_cast",  "else",        "enum",
        "explicit",      "export",      "extern",
        "false",         "float",       "for",
        "friend",        "goto",        "if",
        "inline",        "int",         "long",
        "mutable",       "namespace",   "new",
        "noexcept",      "not",         "not_eq",
        "nullptr",       "operator",    "or",
        "or_eq",         "private",     "protected",
        "public",        "register",    "reinterpret_cast",
        "requires",      "return",      "short",
        "signed",        "sizeof",      "static",
        "static_assert", "static_cast", "struct",
        "switch",        "template",    "this",
        "thread_local",  "throw",       "true",
        "try",           "typedef",     "typeid",
        "typename",      "union",       "unsigned",
        "using",         "virtual",     "void",
        "volatile",      "wchar_t",     "while",
        "xor",           "xor_eq",
    });
    return keywords.contains(name);
}

bool IsReservedIdentifier(QByteArrayView name) {
    if (name.size() >= 2 && name[0] == '_' && name[1] >= 'A' && name[1] <= 'Z')
        return true;
    return name.indexOf("__") >= 0;
}

bool IsCommonMacro(QByteArrayView name) {
    // The driver's header brings in the platform's headers: TRUE, FALSE,
    // ERROR, min and max are macros there.
    static const NameSet macros({"NULL", "TRUE", "FALSE", "EOF", "ERROR", "min", "max", "errno",
                                 "assert", "offsetof", "stdin", "stdout", "stderr"});
    return macros.contains(name);
}

bool IsGeneratedTypeName(QByteArrayView name) {
    static const NameSet names = [] {
        NameSet set({});
        for (const ItemType& t : ItemTypes::all())
            if (t.typeName)
                set.add(QByteArray(t.typeName));
        return set;
    }();
    return names.contains(name);
}

bool IsClassBodyName(QByteArrayView name) {
    static const NameSet names = [] {
        NameSet set({"X", "lMsgId", "nResult", "nDevId", "lSysByte", "Mode", "i", "Clear",
                     "Receive", "Send", "memset", "TeZorv", "Fillstr", "GetL", "GetA", "SetL",
                     "SetA"});
        for (const ItemType& t : ItemTypes::all()) {
            if (t.driverGet) {
                set.add(QByteArray("Get") + t.typeName);
                set.add(QByteArray("Set") + t.typeName);
            }
        }
        return set;
    }();
    return names.contains(name);
}

} // namespace pravik
