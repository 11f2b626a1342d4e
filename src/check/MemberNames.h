#pragma once

#include <QByteArrayView>

namespace pravik {

// What C++ makes of a name the generator writes as a member.

// Letters, digits and "_", not beginning with a digit (ASCII only: the
// generated files are CP949, which no compiler reads as identifiers).
bool IsCppIdentifier(QByteArrayView name);
// A keyword or alternative token of C++20.
bool IsCppKeyword(QByteArrayView name);
// Reserved for the compiler and its library: "__" anywhere, or "_" and a
// capital letter at the start.
bool IsReservedIdentifier(QByteArrayView name);
// A macro the generated files see through their includes (the standard
// library's and the platform's best known ones).
bool IsCommonMacro(QByteArrayView name);
// A type name the generated header declares (A, B, B1, I1 ... J8).
bool IsGeneratedTypeName(QByteArrayView name);
// A name the bodies of a message class use unqualified, so that a data
// member of the class by that name would hide it: their parameters and
// locals, the loop variable of a variable list at the top, the class's own
// methods, the helpers they call and the driver's class.
bool IsClassBodyName(QByteArrayView name);

} // namespace pravik
