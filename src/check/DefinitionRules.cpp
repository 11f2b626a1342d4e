#include "check/DefinitionRules.h"

#include "check/MemberNames.h"
#include "codegen/GeneratedNames.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/NodeText.h"
#include "document/SmlNode.h"
#include "platform/AnsiText.h"
#include "sml/StructureCheck.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <string_view>

namespace pravik {

namespace {

// --- the rules' descriptions ------------------------------------------------

constexpr RuleInfo kMessageChildren{"E101", Severity::Error, "a message has more than one child"};
constexpr RuleInfo kListCount{"E102", Severity::Error, "a list's count differs from its children"};
constexpr RuleInfo kItemChildren{"E103", Severity::Error, "an item has children"};
constexpr RuleInfo kTopLevelKind{"E201", Severity::Error, "a list or item at the top level"};
constexpr RuleInfo kNestedMessage{"E202", Severity::Error, "a message inside a list or item"};
constexpr RuleInfo kMessageForm{"E203", Severity::Error,
                                "a message text not in the form S<stream>F<function>"};
constexpr RuleInfo kClassName{"E204", Severity::Error,
                              "the declared class name differs from the numbered one"};
constexpr RuleInfo kHeaderRange{"E205", Severity::Error, "stream above 127 or function above 255"};
constexpr RuleInfo kDuplicateMessage{"E206", Severity::Error,
                                     "two messages with the same stream and function"};
constexpr RuleInfo kStreamRuns{"E207", Severity::Error,
                               "the messages of one stream are not adjacent"};
constexpr RuleInfo kAutoReplyHeader{"E208", Severity::Error,
                                    "no S9F11 whose item is an array named MHEAD"};
constexpr RuleInfo kCommentText{"E209", Severity::Error,
                                "a text that breaks the comment it is written into"};
constexpr RuleInfo kUnknownType{"E301", Severity::Error, "an unknown item type code"};
constexpr RuleInfo kJis8{"E302", Severity::Error, "a JIS8 (J8) item"};
constexpr RuleInfo kItemLength{"E303", Severity::Error,
                               "an item length that is not a number of at least 1"};
constexpr RuleInfo kListCountText{"E304", Severity::Error,
                                  "a list count that is neither n nor a number from 0 to 32767"};
constexpr RuleInfo kItemSize{"E305", Severity::Error, "an item longer than a SECS-II item can be"};
constexpr RuleInfo kEmptyName{"E401", Severity::Error, "a member without a name"};
constexpr RuleInfo kNotIdentifier{"E402", Severity::Error, "a member name that is no C++ name"};
constexpr RuleInfo kReservedName{"E403", Severity::Error,
                                 "a member name that is a C++ keyword or reserved name"};
constexpr RuleInfo kDuplicateMember{"E404", Severity::Error,
                                    "two members of one name in one struct"};
constexpr RuleInfo kGeneratedName{"E405", Severity::Error,
                                  "a member name the generated code uses itself"};
constexpr RuleInfo kLoopLetter{"E406", Severity::Error, "a loop letter past z"};
constexpr RuleInfo kNoReply{"W501", Severity::Warning, "a primary message without its reply"};
constexpr RuleInfo kNoPrimary{"W502", Severity::Warning, "a secondary message without its primary"};
constexpr RuleInfo kParity{"W503", Severity::Warning,
                           "a type letter that disagrees with the function's parity"};
constexpr RuleInfo kNoTypeLetter{"W504", Severity::Warning, "a message without a type letter"};
constexpr RuleInfo kLeadingZeros{"W505", Severity::Warning,
                                 "an item length written with leading zeros"};

// The largest item a SECS-II message can carry: three length bytes.
constexpr qint64 kMaxItemBytes = 16777215;
// List counts travel through the generated code as short.
constexpr qint64 kMaxListCount = 32767;

// Node bytes for a message. Most names are ASCII, which needs no decoder
// (making one costs more than the rest of a node's check).
QString Shown(QByteArrayView bytes) {
    for (char c : bytes)
        if (static_cast<unsigned char>(c) >= 0x80)
            return AnsiText::Decode(bytes.toByteArray());
    return QString::fromLatin1(bytes);
}

// " (12행)" naming the line of an earlier node, when it came from a file.
QString AtLine(int sourceLine) {
    return sourceLine > 0 ? QStringLiteral(" (%1행)").arg(sourceLine) : QString();
}
QString AtLine(const SmlNode* node) {
    return AtLine(node ? node->sourceLine() : 0);
}

// "S1F2" from a key.
QString KeyText(qint64 key) {
    return QStringLiteral("S%1F%2").arg(key / 1000).arg(key % 1000);
}

bool IsVariableList(const NodeVisit& v) {
    return v.node.Kind() == NodeKind::List && IsVariableCount(v.header.words.length);
}

// A node that declares a member by its name: an item, or the count
// variable of a variable list.
bool DeclaresNamedMember(const NodeVisit& v) {
    return v.node.Kind() == NodeKind::Item || IsVariableList(v);
}

// --- structure --------------------------------------------------------------

// The faults the structure check marks, one rule per kind.
class StructureRule : public CheckRule {
public:
    StructureRule(const RuleInfo& info, NodeKind kind) : CheckRule(info), m_kind(kind) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.node.Kind() != m_kind || CheckedImageIndex(&v.node) < ImageMessageError)
            return;
        const int children = v.node.childCount();
        switch (m_kind) {
        case NodeKind::Message:
            sink.report(v.ref, QStringLiteral("메시지 아래에 노드가 %1개 있습니다. 메시지는 "
                                              "리스트나 아이템을 하나만 가질 수 있습니다.")
                                   .arg(children));
            break;
        case NodeKind::List:
            if (v.header.countField == QByteArrayView("n"))
                sink.report(v.ref, QStringLiteral("길이가 정해지지 않은 리스트(n)는 반복할 노드를 "
                                                  "정확히 하나 가져야 합니다 (지금 %1개).")
                                       .arg(children));
            else
                sink.report(v.ref, QStringLiteral("리스트의 개수 '%1'이(가) 하위 노드 수 %2와(과) "
                                                  "다릅니다.")
                                       .arg(Shown(v.header.countField))
                                       .arg(children));
            break;
        case NodeKind::Item:
            sink.report(
                v.ref,
                QStringLiteral("아이템 아래에는 노드가 올 수 없습니다 (지금 %1개).").arg(children));
            break;
        }
    }

private:
    NodeKind m_kind;
};

// --- messages ---------------------------------------------------------------

class TopLevelKindRule : public CheckRule {
public:
    TopLevelKindRule() : CheckRule(kTopLevelKind) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.ref.depth != 0 || v.node.Kind() == NodeKind::Message)
            return;
        sink.report(v.ref, QStringLiteral("메시지 밖에 %1이(가) 있습니다. 최상위에는 메시지만 "
                                          "올 수 있습니다.")
                               .arg(v.node.Kind() == NodeKind::List ? QStringLiteral("리스트")
                                                                    : QStringLiteral("아이템")));
    }
};

class NestedMessageRule : public CheckRule {
public:
    NestedMessageRule() : CheckRule(kNestedMessage) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.ref.depth > 0 && v.node.Kind() == NodeKind::Message)
            sink.report(v.ref, QStringLiteral("리스트나 아이템 안에 메시지가 있습니다. 메시지는 "
                                              "최상위에만 올 수 있습니다."));
    }
};

class MessageFormRule : public CheckRule {
public:
    MessageFormRule() : CheckRule(kMessageForm) {}
    void visitMessage(const MessageVisit& m, DiagnosticSink& sink) override {
        if (m.isMessage && !m.header.messageForm)
            sink.report(m.ref, QStringLiteral("메시지 텍스트가 'S<스트림>F<펑션> <형식> <설명>' "
                                              "꼴이 아닙니다."));
    }
};

// The class head names the class by the text, the bodies by the numbers.
class ClassNameRule : public CheckRule {
public:
    ClassNameRule() : CheckRule(kClassName) {}
    void visitMessage(const MessageVisit& m, DiagnosticSink& sink) override {
        if (!m.isMessage || !m.header.messageForm)
            return;
        const QByteArray text = m.node.Text();
        const QByteArray declared = DeclaredClassName(text);
        const QByteArray numbered = MessageClassName(MessageNumbersOf(text));
        if (declared != numbered)
            sink.report(m.ref, QStringLiteral("선언되는 클래스 이름 '%1'이(가) 함수 본문이 쓰는 "
                                              "이름 '%2'와(과) 다릅니다.")
                                   .arg(Shown(declared), Shown(numbered)));
    }
};

class HeaderRangeRule : public CheckRule {
public:
    HeaderRangeRule() : CheckRule(kHeaderRange) {}
    void visitMessage(const MessageVisit& m, DiagnosticSink& sink) override {
        if (!m.isMessage || !m.header.messageForm)
            return;
        const auto stream = ParseDecimalValue(m.header.streamText);
        const auto function = ParseDecimalValue(m.header.functionText);
        const bool badStream = stream && (*stream < 0 || *stream > 127);
        const bool badFunction = function && (*function < 0 || *function > 255);
        if (badStream || badFunction)
            sink.report(m.ref, QStringLiteral("S%1F%2: 스트림은 0~127, 펑션은 0~255여야 SECS-II "
                                              "헤더에 담을 수 있습니다.")
                                   .arg(Shown(m.header.streamText), Shown(m.header.functionText)));
    }
};

class DuplicateMessageRule : public CheckRule {
public:
    DuplicateMessageRule() : CheckRule(kDuplicateMessage) {}
    void visitFacts(const MessageFacts& m, DiagnosticSink& sink) override {
        if (!m.isMessage || !m.messageForm)
            return;
        const auto it = m_firstLine.constFind(m.key);
        if (it == m_firstLine.constEnd()) {
            m_firstLine.insert(m.key, m.sourceLine);
            return;
        }
        sink.report(m.ref, QStringLiteral("같은 스트림과 펑션의 메시지 %1이(가) 앞에 이미 "
                                          "있습니다%2. 클래스가 두 번 선언됩니다.")
                               .arg(KeyText(m.key), AtLine(*it)));
    }

private:
    QHash<qint64, int> m_firstLine; // the source line of the first message of a key
};

// The generator opens a stream class whenever the stream differs from the
// message before (stream 0 joins none), so a stream that comes back after
// another one is declared twice.
class StreamRunRule : public CheckRule {
public:
    StreamRunRule() : CheckRule(kStreamRuns) {}
    void visitFacts(const MessageFacts& m, DiagnosticSink& sink) override {
        const qint64 stream = m.stream;
        if (stream == 0 || stream == m_current)
            return;
        if (m_current != 0)
            m_closed.insert(m_current);
        m_current = stream;
        if (m_closed.contains(stream))
            sink.report(m.ref, QStringLiteral("스트림 %1의 메시지가 한데 모여 있지 않습니다 "
                                              "(사이에 다른 스트림이 있습니다). 스트림 클래스 "
                                              "clsS%1이(가) 두 번 선언됩니다. 메시지를 번호 "
                                              "순서로 놓으십시오.")
                                   .arg(stream));
    }

private:
    qint64 m_current = 0;
    QSet<qint64> m_closed;
};

// AutoReply copies the received header into s9.f11.MHEAD[i].
class AutoReplyHeaderRule : public CheckRule {
public:
    AutoReplyHeaderRule() : CheckRule(kAutoReplyHeader) {}
    void visitFacts(const MessageFacts& m, DiagnosticSink&) override {
        if (m.isMessage && m.messageForm && m.key == 9011 && !m_found) {
            m_found = true;
            m_s9f11 = m.ref;
            m_headerArray = m.headerArray;
        }
    }
    void finish(DiagnosticSink& sink) override {
        if (!m_found) {
            sink.report({}, QStringLiteral("S9F11 메시지가 없습니다. 생성되는 AutoReply가 "
                                           "s9.f11.MHEAD에 받은 헤더를 씁니다 (예: S9F11 S와 "
                                           "BINARY 10 MHEAD)."));
            return;
        }
        if (!m_headerArray)
            sink.report(m_s9f11, QStringLiteral("S9F11의 아이템이 배열 MHEAD가 아닙니다. "
                                                "AutoReply가 받은 헤더를 s9.f11.MHEAD[i]에 씁니다 "
                                                "(예: BINARY 10 MHEAD)."));
    }

private:
    bool m_found = false;
    NodeRef m_s9f11;
    bool m_headerArray = false;
};

// Message and list texts are written behind "//" in the header.
class CommentTextRule : public CheckRule {
public:
    CommentTextRule() : CheckRule(kCommentText) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.node.Kind() == NodeKind::Item)
            return;
        const QByteArrayView t = v.node.TextView();
        if (t.contains('\n') || t.contains('\r'))
            sink.report(v.ref, QStringLiteral("텍스트에 줄바꿈 문자가 있어 생성된 코드의 주석이 "
                                              "끊깁니다."));
        else if (t.endsWith('\\') || t.endsWith("?\?/"))
            sink.report(v.ref, QStringLiteral("텍스트가 '\\'로 끝나서 생성된 코드의 주석이 다음 "
                                              "줄까지 이어집니다."));
    }
};

// --- types, lengths, counts ---------------------------------------------------

class UnknownTypeRule : public CheckRule {
public:
    UnknownTypeRule() : CheckRule(kUnknownType) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.node.Kind() == NodeKind::Item && !v.itemType)
            sink.report(v.ref, QStringLiteral("알 수 없는 아이템 형식 '%1'입니다. 생성된 코드에 "
                                              "그런 형식이 없고, 이 아이템은 읽히지도 보내지지도 "
                                              "않습니다.")
                                   .arg(Shown(v.header.words.type)));
    }
};

class Jis8Rule : public CheckRule {
public:
    Jis8Rule() : CheckRule(kJis8) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        const ItemType* t = v.itemType; // nullptr unless an item
        if (t && !t->sendSingle)
            sink.report(v.ref, QStringLiteral("JIS8(J8) 아이템은 생성된 코드가 읽고 쓸 수 "
                                              "없습니다 (GetJ8이 없고, 보내는 줄은 \"Not "
                                              "supported.\"가 됩니다)."));
    }
};

class ItemLengthRule : public CheckRule {
public:
    ItemLengthRule() : CheckRule(kItemLength) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (!v.itemType)
            return;
        const QByteArrayView length = v.header.words.length;
        const auto value = ParseDecimalValue(length);
        if (value && *value >= 1)
            return;
        if (IsVariableCount(length))
            sink.report(v.ref, QStringLiteral("길이가 정해지지 않은 아이템(n)은 크기 없는 배열로 "
                                              "선언됩니다. 최대 길이를 숫자로 쓰십시오."));
        else
            sink.report(v.ref, QStringLiteral("아이템 길이 '%1'은(는) 1 이상의 숫자여야 합니다.")
                                   .arg(Shown(length)));
    }
};

class ListCountTextRule : public CheckRule {
public:
    ListCountTextRule() : CheckRule(kListCountText) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.node.Kind() != NodeKind::List || IsVariableList(v))
            return;
        const QByteArrayView count = v.header.words.length;
        const auto value = ParseDecimalValue(count);
        if (!value || *value < 0)
            sink.report(v.ref,
                        QStringLiteral("리스트 개수 '%1'은(는) 0 이상의 숫자이거나 'n'이어야 "
                                       "합니다.")
                            .arg(Shown(count)));
        else if (*value > kMaxListCount)
            sink.report(v.ref, QStringLiteral("리스트 개수 %1이(가) 너무 큽니다 (생성된 코드는 "
                                              "개수를 short로 다루므로 최대 %2).")
                                   .arg(*value)
                                   .arg(kMaxListCount));
    }
};

class ItemSizeRule : public CheckRule {
public:
    ItemSizeRule() : CheckRule(kItemSize) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        const ItemType* t = v.itemType; // nullptr unless an item
        if (!t)
            return;
        const qint64 value = ParseDecimal(v.header.words.length, 0);
        const qint64 bytes = value * t->elementSize;
        if (bytes > kMaxItemBytes)
            sink.report(v.ref,
                        QStringLiteral("아이템 길이 %1(%2바이트)은(는) SECS-II 아이템 하나에 "
                                       "담을 수 없습니다 (최대 %3바이트).")
                            .arg(value)
                            .arg(bytes)
                            .arg(kMaxItemBytes));
    }
};

// --- member names -----------------------------------------------------------

class EmptyNameRule : public CheckRule {
public:
    EmptyNameRule() : CheckRule(kEmptyName) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (DeclaresNamedMember(v) && v.header.words.memberName.isEmpty())
            sink.report(v.ref, QStringLiteral("멤버 이름이 없습니다. 설명이 C++ 멤버 이름이 되므로 "
                                              "비워 둘 수 없습니다."));
    }
};

class IdentifierRule : public CheckRule {
public:
    IdentifierRule() : CheckRule(kNotIdentifier) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        const QByteArrayView name = v.header.words.memberName;
        if (DeclaresNamedMember(v) && !name.isEmpty() && !IsCppIdentifier(name))
            sink.report(v.ref, QStringLiteral("멤버 이름 '%1'은(는) C++ 이름이 될 수 없습니다 "
                                              "(영문자, 숫자, '_'만 쓰고 숫자로 시작할 수 "
                                              "없습니다).")
                                   .arg(Shown(name)));
    }
};

class ReservedNameRule : public CheckRule {
public:
    ReservedNameRule() : CheckRule(kReservedName) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        const QByteArrayView name = v.header.words.memberName;
        if (!DeclaresNamedMember(v) || !IsCppIdentifier(name))
            return;
        if (IsCppKeyword(name))
            sink.report(v.ref,
                        QStringLiteral("멤버 이름 '%1'은(는) C++ 예약어입니다.").arg(Shown(name)));
        else if (IsReservedIdentifier(name))
            sink.report(v.ref, QStringLiteral("멤버 이름 '%1'은(는) 컴파일러가 쓰도록 예약된 "
                                              "이름입니다 ('__'나 '_'와 대문자로 시작).")
                                   .arg(Shown(name)));
        else if (IsCommonMacro(name))
            sink.report(v.ref, QStringLiteral("멤버 이름 '%1'은(는) 헤더가 정의하는 매크로 이름과 "
                                              "같습니다.")
                                   .arg(Shown(name)));
    }
};

// Two members of one name in one struct, also a member named like one of
// the struct's lists (L1, L2, ...).
class DuplicateMemberRule : public CheckRule {
public:
    DuplicateMemberRule() : CheckRule(kDuplicateMember) {}
    void visitScope(const ScopeVisit& s, DiagnosticSink& sink) override {
        const std::span<const MemberEntry> members = s.members;
        for (const MemberEntry& m : members)
            if (IsListMemberName(m.name, s.listMembers))
                sink.report(m.ref, QStringLiteral("멤버 이름 '%1'은(는) 같은 구조의 리스트 멤버 "
                                                  "이름과 겹칩니다.")
                                       .arg(Shown(m.name)));
        if (members.size() < 2)
            return;
        // An open-addressing table of the names seen, twice the members'
        // size, so that a scope costs time in proportion to its members.
        size_t capacity = 4;
        while (capacity < 2 * members.size())
            capacity *= 2;
        m_slots.assign(capacity, kEmpty);
        for (size_t i = 0; i < members.size(); ++i) {
            const std::string_view name = View(members[i].name);
            if (name.empty())
                continue;
            size_t at = std::hash<std::string_view>()(name) & (capacity - 1);
            while (m_slots[at] != kEmpty && View(members[m_slots[at]].name) != name)
                at = (at + 1) & (capacity - 1);
            if (m_slots[at] == kEmpty) {
                m_slots[at] = i;
                continue;
            }
            sink.report(members[i].ref,
                        QStringLiteral("멤버 이름 '%1'이(가) 같은 구조 안에 이미 "
                                       "있습니다%2.")
                            .arg(Shown(members[i].name), AtLine(members[m_slots[at]].ref.node)));
        }
    }

private:
    static constexpr size_t kEmpty = ~size_t(0);

    static std::string_view View(QByteArrayView name) {
        return std::string_view(name.data(), static_cast<size_t>(name.size()));
    }

    // "L" and a number from 1 to listMembers, as the generator numbers lists.
    static bool IsListMemberName(QByteArrayView name, int listMembers) {
        if (name.size() < 2 || name.size() > 10 || name[0] != 'L' || name[1] == '0')
            return false;
        qint64 k = 0;
        for (char c : name.sliced(1)) {
            if (c < '0' || c > '9')
                return false;
            k = k * 10 + (c - '0');
        }
        return k <= listMembers;
    }

    std::vector<size_t> m_slots; // member index per slot
};

// The header declares A, B, B1, I1 ... as types. A member of one of those
// names hides the type in its struct and in every struct inside it, so a
// member of that type declared there, before or after it, no longer
// compiles ("changes meaning of 'A'", "'A' does not name a type"). Reached
// from elsewhere, as L1.A, such a member is harmless.
class GeneratedNameRule : public CheckRule {
public:
    GeneratedNameRule() : CheckRule(kGeneratedName) {}
    void visitNode(const NodeVisit& v, DiagnosticSink&) override {
        const size_t depth = static_cast<size_t>(v.ref.depth);
        if (m_typesUsed.size() <= depth)
            m_typesUsed.resize(depth + 1, 0);
        m_typesUsed[depth] = 0; // the node's own struct, if it has one
        if (v.itemType && depth > 0)
            m_typesUsed[depth - 1] |= TypeBit(*v.itemType);
    }
    void visitScope(const ScopeVisit& s, DiagnosticSink& sink) override {
        const size_t depth = static_cast<size_t>(s.depth);
        const unsigned used = m_typesUsed[depth];
        if (depth > 0)
            m_typesUsed[depth - 1] |= used; // seen from the enclosing struct too
        for (const MemberEntry& m : s.members)
            if (used & TypeBit(m.name))
                sink.report(m.ref, QStringLiteral("멤버 이름 '%1'은(는) 생성된 헤더의 형식 "
                                                  "이름입니다. 이 구조 안에 %1 형식의 멤버가 있어 "
                                                  "그 형식을 가리므로 컴파일되지 않습니다.")
                                       .arg(Shown(m.name)));
        if (!s.classScope)
            return;
        const QByteArray className = DeclaredClassName(s.owner.Text());
        for (const MemberEntry& m : s.members)
            if (IsClassBodyName(m.name) || m.name == QByteArrayView(className))
                sink.report(m.ref, QStringLiteral("멤버 이름 '%1'은(는) 메시지 클래스의 함수 "
                                                  "본문이 쓰는 이름과 겹칩니다.")
                                       .arg(Shown(m.name)));
    }

private:
    // One bit per item type, by its index.
    static unsigned TypeBit(const ItemType& type) { return 1u << type.index; }
    // The bit of the type the header declares by that name; 0 for every
    // other name.
    static unsigned TypeBit(QByteArrayView name) {
        struct Named {
            QByteArrayView name;
            unsigned bit;
        };
        static const std::vector<Named> names = [] {
            std::vector<Named> list;
            for (const ItemType& t : ItemTypes::all())
                if (t.typeName)
                    list.push_back({QByteArrayView(t.typeName), TypeBit(t)});
            return list;
        }();
        if (name.size() > 2)
            return 0;
        for (const Named& n : names)
            if (n.name == name)
                return n.bit;
        return 0;
    }

    std::vector<unsigned> m_typesUsed; // per depth: types the struct there uses, inside too
};

// "Max_" + the name of a variable list is that list's count constant, which
// the header declares once for the whole file.
class CountConstantNameRule : public CheckRule {
public:
    CountConstantNameRule() : CheckRule(kGeneratedName) {}
    void visitFacts(const MessageFacts& m, DiagnosticSink&) override {
        for (const QByteArray& name : m.countNames)
            m_countNames.insert(name);
        for (const auto& entry : m.maxNames)
            m_maxNames.push_back(entry);
    }
    void finish(DiagnosticSink& sink) override {
        for (const auto& [name, ref] : m_maxNames)
            if (m_countNames.contains(name.mid(4)))
                sink.report(ref, QStringLiteral("멤버 이름 '%1'은(는) 가변 리스트의 개수 상수 "
                                                "이름과 같습니다.")
                                     .arg(Shown(name)));
    }

private:
    QSet<QByteArray> m_countNames;
    std::vector<std::pair<QByteArray, NodeRef>> m_maxNames;
};

class LoopLetterRule : public CheckRule {
public:
    LoopLetterRule() : CheckRule(kLoopLetter) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (v.loopLetter > 'z')
            sink.report(v.ref, QStringLiteral("가변 리스트(n)가 너무 깊이 겹쳐서 반복 변수가 'z'를 "
                                              "넘습니다 (문자 코드 %1). 가변 리스트는 18단계까지만 "
                                              "겹칠 수 있습니다.")
                                   .arg(v.loopLetter));
    }
};

// --- warnings -----------------------------------------------------------------

// Primary and secondary messages and their partners, by key.
class MessagePairRule : public CheckRule {
public:
    MessagePairRule(const RuleInfo& info, int type, int step)
        : CheckRule(info), m_type(type), m_step(step) {}
    void visitFacts(const MessageFacts& m, DiagnosticSink&) override {
        if (!m.isMessage || !m.messageForm)
            return;
        m_keys.insert(m.key);
        if (m.messageType == m_type && !(m_step < 0 && m.function == 0))
            m_pending.push_back({m.key, m.ref});
    }
    void finish(DiagnosticSink& sink) override {
        for (const auto& [key, ref] : m_pending) {
            if (m_keys.contains(key + m_step))
                continue;
            if (m_step > 0)
                sink.report(ref, QStringLiteral("주 메시지 %1의 응답 %2이(가) 문서에 없습니다.")
                                     .arg(KeyText(key), KeyText(key + 1)));
            else
                sink.report(ref,
                            QStringLiteral("응답 메시지 %1의 주 메시지 %2이(가) 문서에 없습니다.")
                                .arg(KeyText(key), KeyText(key - 1)));
        }
    }

private:
    int m_type;
    int m_step;
    QSet<qint64> m_keys;
    std::vector<std::pair<qint64, NodeRef>> m_pending;
};

class ParityRule : public CheckRule {
public:
    ParityRule() : CheckRule(kParity) {}
    void visitMessage(const MessageVisit& m, DiagnosticSink& sink) override {
        if (!m.isMessage || !m.header.messageForm)
            return;
        const bool odd = m.header.function() % 2 != 0;
        const int type = m.header.messageType;
        if ((type == 0 && !odd) || (type == 1 && odd))
            sink.report(m.ref, QStringLiteral("메시지 형식 '%1'이(가) 펑션 번호 %2와(과) 맞지 "
                                              "않습니다: 주 메시지(P)는 홀수, 응답(S)은 짝수 "
                                              "펑션입니다.")
                                   .arg(type == 0 ? QStringLiteral("P") : QStringLiteral("S"))
                                   .arg(m.header.function()));
    }
};

class TypeLetterRule : public CheckRule {
public:
    TypeLetterRule() : CheckRule(kNoTypeLetter) {}
    void visitMessage(const MessageVisit& m, DiagnosticSink& sink) override {
        if (m.isMessage && m.header.messageForm && m.header.messageType < 0)
            sink.report(m.ref, QStringLiteral("메시지 형식(P, S, N)이 없습니다."));
    }
};

class LeadingZerosRule : public CheckRule {
public:
    LeadingZerosRule() : CheckRule(kLeadingZeros) {}
    void visitNode(const NodeVisit& v, DiagnosticSink& sink) override {
        if (!v.itemType)
            return;
        const QByteArrayView length = v.header.words.length;
        const auto value = ParseDecimalValue(length);
        // A number of at least 1 written otherwise than plainly begins with
        // a zero or a plus sign.
        if (value && *value >= 1 && (length.front() == '0' || length.front() == '+'))
            sink.report(v.ref, QStringLiteral("아이템 길이 '%1'을(를) %2(으)로 읽습니다. 앞자리 "
                                              "0이나 부호 없이 쓰십시오.")
                                   .arg(Shown(length))
                                   .arg(*value));
    }
};

} // namespace

DefinitionRuleSet MakeDefinitionRules() {
    DefinitionRuleSet set;
    auto& m = set.message;
    m.push_back(std::make_unique<StructureRule>(kMessageChildren, NodeKind::Message));
    m.push_back(std::make_unique<StructureRule>(kListCount, NodeKind::List));
    m.push_back(std::make_unique<StructureRule>(kItemChildren, NodeKind::Item));
    m.push_back(std::make_unique<TopLevelKindRule>());
    m.push_back(std::make_unique<NestedMessageRule>());
    m.push_back(std::make_unique<MessageFormRule>());
    m.push_back(std::make_unique<ClassNameRule>());
    m.push_back(std::make_unique<HeaderRangeRule>());
    m.push_back(std::make_unique<CommentTextRule>());
    m.push_back(std::make_unique<UnknownTypeRule>());
    m.push_back(std::make_unique<Jis8Rule>());
    m.push_back(std::make_unique<ItemLengthRule>());
    m.push_back(std::make_unique<ListCountTextRule>());
    m.push_back(std::make_unique<ItemSizeRule>());
    m.push_back(std::make_unique<EmptyNameRule>());
    m.push_back(std::make_unique<IdentifierRule>());
    m.push_back(std::make_unique<ReservedNameRule>());
    m.push_back(std::make_unique<DuplicateMemberRule>());
    m.push_back(std::make_unique<GeneratedNameRule>());
    m.push_back(std::make_unique<LoopLetterRule>());
    m.push_back(std::make_unique<ParityRule>());
    m.push_back(std::make_unique<TypeLetterRule>());
    m.push_back(std::make_unique<LeadingZerosRule>());
    auto& d = set.document;
    d.push_back(std::make_unique<DuplicateMessageRule>());
    d.push_back(std::make_unique<StreamRunRule>());
    d.push_back(std::make_unique<AutoReplyHeaderRule>());
    d.push_back(std::make_unique<CountConstantNameRule>());
    d.push_back(std::make_unique<MessagePairRule>(kNoReply, 0, +1));
    d.push_back(std::make_unique<MessagePairRule>(kNoPrimary, 1, -1));
    return set;
}

const std::vector<const RuleInfo*>& DefinitionRuleInfos() {
    static const std::vector<const RuleInfo*> infos = [] {
        std::vector<const RuleInfo*> list;
        const DefinitionRuleSet set = MakeDefinitionRules();
        for (const auto* rules : {&set.message, &set.document})
            for (const auto& rule : *rules)
                if (std::find(list.begin(), list.end(), &rule->info()) == list.end())
                    list.push_back(&rule->info());
        std::sort(list.begin(), list.end(), [](const RuleInfo* a, const RuleInfo* b) {
            return std::string_view(a->id) < std::string_view(b->id);
        });
        return list;
    }();
    return infos;
}

} // namespace pravik
