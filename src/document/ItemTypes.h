#pragma once

#include <QByteArrayView>
#include <array>

namespace pravik {

// How the values of a format are written and stored on the wire.
enum class ItemValueKind : unsigned char {
    List,     // nested items
    Text,     // bytes written as quoted strings (A, J)
    Binary,   // bytes written as numbers (B)
    Boolean,  // one byte each, written T or F
    Signed,   // two's complement, big-endian
    Unsigned, // big-endian
    Float,    // IEEE 754, big-endian
};

// One list or item format: how node texts, the item dialog, the SECS-II
// encoding and the generated C++ know it. ItemTypes below is the only list
// of them; everything else looks a type up there.
struct ItemType {
    int index;           // position among the item dialog's choices; 0 makes a list
    const char* code;    // as a node text writes it: "L", "A", "BINARY", ...
    const char* caption; // the item dialog's choice: "LIST(L)", "ASCII(A)", ...
    int formatCode;      // SECS-II format code (octal in the standard)
    int elementSize;     // bytes per element on the wire; 0 for a list

    // --- the generated C++ ---
    const char* typeName;    // the typedef name: "A", "B", "B1", "I1", ...; nullptr for a list
    const char* cppType;     // the typedef's element type
    const char* typedefNote; // comment after the typedef, or nullptr
    int generatedOrder;      // position among the typedefs and value helpers
    // Value helpers (GetB1/SetB1 ...): parameter as defined and as declared
    // in the header, the argument passed on, and the driver's methods.
    // nullptr where the type has no such helper (L, A and J8).
    const char* helperParameter;
    const char* declaredParameter;
    const char* helperArgument;
    const char* driverGet;
    const char* driverSet;
    // Openings of the Receive and Send lines of an item of this type, for a
    // single value (passed by address) and for an array; a send opening of
    // nullptr means the type cannot be sent ("Not supported.").
    const char* receiveSingle;
    const char* receiveArray;
    const char* sendSingle;
    const char* sendArray;
    // What a Receive line passes after the member, so that the reader never
    // writes beyond it: the member's bytes (a string), its element count (an
    // array of values), or nothing (a single value; a type without helper).
    enum class ReceiveBound { None, Bytes, Elements };
    ReceiveBound arrayBound;

    // --- common SML (the notation SECS logs and tools share)
    const char* smlName; // "L", "A", "B", "BOOLEAN", "J", "U1", ...
    ItemValueKind valueKind;

    bool isList() const { return index == 0; }
    QByteArrayView codeView() const { return QByteArrayView(code); }
};

class ItemTypes {
public:
    static constexpr int kCount = 15;
    static constexpr int kListIndex = 0;

    // In the order of the item dialog's choices.
    static const std::array<ItemType, kCount>& all();
    // nullptr outside 0..kCount-1.
    static const ItemType* at(int index);
    // The type whose code is exactly code (case-sensitive), or nullptr.
    static const ItemType* find(QByteArrayView code);
    // The type a common-SML item names, case-insensitively by its common
    // name ("BOOLEAN", "Boolean") or by our own code ("BOOL", "J8"), or nullptr.
    static const ItemType* findSmlName(QByteArrayView name);
    // The type of a SECS-II format code, or nullptr.
    static const ItemType* findFormatCode(int formatCode);
    static const ItemType& list() { return all()[kListIndex]; }
    // The item types (not the list) in the order of the generated typedefs.
    static const std::array<const ItemType*, kCount - 1>& inGeneratedOrder();
};

} // namespace pravik
