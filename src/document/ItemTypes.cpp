#include "document/ItemTypes.h"

#include <algorithm>

namespace pravik {

namespace {

// clang-format off
constexpr std::array<ItemType, ItemTypes::kCount> kTypes = {{
    // index code caption format size   typeName cppType note order
    {0, "L", "LIST(L)", 000, 0,         nullptr, nullptr, nullptr, -1,
     nullptr, nullptr, nullptr, nullptr, nullptr,
     nullptr, nullptr, nullptr, nullptr, ItemType::ReceiveBound::None,
     "L", ItemValueKind::List},
    {1, "A", "ASCII(A)", 020, 1,        "A", "char", nullptr, 0,
     nullptr, nullptr, nullptr, nullptr, nullptr,
     "GetA (X, lMsgId, &nResult,  ", "GetA (X, lMsgId, &nResult,  ",
     "SetA (X, lMsgId, &nResult,  ", "SetA (X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Bytes, "A", ItemValueKind::Text},
    {2, "BINARY", "BINARY", 010, 1,     "B1", "short", "Binary", 2,
     "short *nValue", "short  *nValue", "nValue", "GetBinaryItem", "SetBinaryItem",
     "GetB1(X, lMsgId, &nResult, &", "GetB1(X, lMsgId, &nResult,  ",
     "SetB1(X, lMsgId, &nResult, &", "SetB1(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "B", ItemValueKind::Binary},
    {3, "BOOL", "BOOL", 011, 1,         "B", "short", "Bool", 1,
     "short *nValue", "short  *nValue", "nValue", "GetBoolItem", "SetBoolItem",
     "GetB (X, lMsgId, &nResult, &", "GetB(X, lMsgId, &nResult,  ",
     "SetB(X, lMsgId, &nResult, &", "SetB(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "BOOLEAN", ItemValueKind::Boolean},
    {4, "I1", "INT1", 031, 1,           "I1", "short", nullptr, 3,
     "short *nValue", "short  *nValue", "nValue", "GetI1Item", "SetI1Item",
     "GetI1(X, lMsgId, &nResult, &", "GetI1(X, lMsgId, &nResult,  ",
     "SetI1(X, lMsgId, &nResult, &", "SetI1(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "I1", ItemValueKind::Signed},
    {5, "I2", "INT2", 032, 2,           "I2", "short", nullptr, 4,
     "short *nValue", "short  *nValue", "nValue", "GetI2Item", "SetI2Item",
     "GetI2(X, lMsgId, &nResult, &", "GetI2(X, lMsgId, &nResult,  ",
     "SetI2(X, lMsgId, &nResult, &", "SetI2(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "I2", ItemValueKind::Signed},
    {6, "I4", "INT4", 034, 4,           "I4", "long", nullptr, 5,
     "long *lValue", "long   *lValue", "lValue", "GetI4Item", "SetI4Item",
     "GetI4(X, lMsgId, &nResult, &", "GetI4(X, lMsgId, &nResult,  ",
     "SetI4(X, lMsgId, &nResult, &", "SetI4(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "I4", ItemValueKind::Signed},
    {7, "I8", "INT8", 030, 8,           "I8", "long", nullptr, 6,
     "long *lValue", "long   *lValue", "lValue", "GetI8Item", "SetI8Item",
     "GetI8(X, lMsgId, &nResult, &", "GetI8(X, lMsgId, &nResult,  ",
     "SetI8(X, lMsgId, &nResult, &", "SetI8(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "I8", ItemValueKind::Signed},
    {8, "U1", "UNIT1(U1)", 051, 1,      "U1", "short", nullptr, 7,
     "short *nValue", "short  *nValue", "nValue", "GetU1Item", "SetU1Item",
     "GetU1(X, lMsgId, &nResult, &", "GetU1(X, lMsgId, &nResult, ",
     "SetU1(X, lMsgId, &nResult, &", "SetU1(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "U1", ItemValueKind::Unsigned},
    {9, "U2", "UNIT2(U2)", 052, 2,      "U2", "long", nullptr, 8,
     "long *lValue", "long   *lValue", "lValue", "GetU2Item", "SetU2Item",
     "GetU2(X, lMsgId, &nResult, &", "GetU2(X, lMsgId, &nResult,  ",
     "SetU2(X, lMsgId, &nResult, &", "SetU2(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "U2", ItemValueKind::Unsigned},
    {10, "U4", "UNIT4(U4)", 054, 4,     "U4", "double", nullptr, 9,
     "double *dValue", "double *dValue", "dValue", "GetU4Item", "SetU4Item",
     "GetU4(X, lMsgId, &nResult, &", "GetU4(X, lMsgId, &nResult,  ",
     "SetU4(X, lMsgId, &nResult, &", "SetU4(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "U4", ItemValueKind::Unsigned},
    {11, "U8", "UNIT8(U8)", 050, 8,     "U8", "double", nullptr, 10,
     "double *dValue", "double *dValue", "dValue", "GetU8Item", "SetU8Item",
     "GetU8(X, lMsgId, &nResult, &", "GetU8(X, lMsgId, &nResult,  ",
     "SetU8(X, lMsgId, &nResult, &", "SetU8(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "U8", ItemValueKind::Unsigned},
    {12, "F4", "FLOAT4", 044, 4,        "F4", "float", nullptr, 11,
     "float *fValue", "float  *dValue", "fValue", "GetF4Item", "SetF4Item",
     "GetF4(X, lMsgId, &nResult, &", "GetF4(X, lMsgId, &nResult,  ",
     "SetF4(X, lMsgId, &nResult, &", "SetF4(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "F4", ItemValueKind::Float},
    {13, "F8", "FLOAT8", 040, 8,        "F8", "double", nullptr, 12,
     "double *dValue", "double *dValue", "dValue", "GetF8Item", "SetF8Item",
     "GetF8(X, lMsgId, &nResult, &", "GetF8(X, lMsgId, &nResult,  ",
     "SetF8(X, lMsgId, &nResult, &", "SetF8(X, lMsgId, &nResult,  ",
     ItemType::ReceiveBound::Elements, "F8", ItemValueKind::Float},
    {14, "J8", "JIS8", 021, 1,          "J8", "char", nullptr, 13,
     nullptr, nullptr, nullptr, nullptr, nullptr,
     "GetJ8(X, lMsgId, &nResult,  ", "GetJ8(X, lMsgId, &nResult,  ",
     nullptr, nullptr, ItemType::ReceiveBound::None,
     "J", ItemValueKind::Text},
}};
// clang-format on

std::array<const ItemType*, ItemTypes::kCount - 1> SortedForGeneration() {
    std::array<const ItemType*, ItemTypes::kCount - 1> order{};
    for (const ItemType& t : kTypes)
        if (!t.isList())
            order[static_cast<size_t>(t.generatedOrder)] = &t;
    return order;
}

} // namespace

const std::array<ItemType, ItemTypes::kCount>& ItemTypes::all() {
    return kTypes;
}

const ItemType* ItemTypes::at(int index) {
    return index >= 0 && index < kCount ? &kTypes[static_cast<size_t>(index)] : nullptr;
}

const ItemType* ItemTypes::find(QByteArrayView code) {
    if (code.isEmpty())
        return nullptr;
    for (const ItemType& t : kTypes)
        if (t.code[0] == code[0] && code == QByteArrayView(t.code))
            return &t;
    return nullptr;
}

const ItemType* ItemTypes::findSmlName(QByteArrayView name) {
    for (const ItemType& t : kTypes)
        if (name.compare(QByteArrayView(t.smlName), Qt::CaseInsensitive) == 0 ||
            name.compare(QByteArrayView(t.code), Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

const ItemType* ItemTypes::findFormatCode(int formatCode) {
    for (const ItemType& t : kTypes)
        if (t.formatCode == formatCode)
            return &t;
    return nullptr;
}

const std::array<const ItemType*, ItemTypes::kCount - 1>& ItemTypes::inGeneratedOrder() {
    static const auto order = SortedForGeneration();
    return order;
}

} // namespace pravik
