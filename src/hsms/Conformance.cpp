#include "hsms/Conformance.h"

#include "codegen/GeneratedNames.h"
#include "document/ItemTypes.h"
#include "document/NodeHeader.h"
#include "document/SmlNode.h"

#include <unordered_map>
#include <vector>

namespace pravik {

namespace {

// What the generated Receive function reads for one definition node.
struct Reading {
    enum class Kind { Nothing, List, Item } kind = Kind::Nothing;
    const ItemType* type = nullptr; // items
    bool variable = false;          // a list whose count is exactly "n"
    qint64 length = 0;              // an item's length as the declaration reads it
};

Reading ReadingOf(const SmlNode& node) {
    Reading r;
    if (node.Kind() == NodeKind::Message)
        return r;
    const NodeHeader h = NodeHeader::Read(node);
    if (node.Kind() == NodeKind::List) {
        r.kind = Reading::Kind::List;
        r.variable = IsVariableCount(h.words.length);
        return r;
    }
    const ItemType* t = ItemTypes::find(h.words.type);
    if (!t || t->isList() || !t->receiveSingle)
        return r;
    r.kind = Reading::Kind::Item;
    r.type = t;
    r.length = ItemLength(h.words.length);
    return r;
}

// The next child from row on that the function reads, or -1.
int NextRead(const SmlNode& parent, int row) {
    for (; row < parent.childCount(); ++row)
        if (ReadingOf(*parent.child(row)).kind != Reading::Kind::Nothing)
            return row;
    return -1;
}

qint64 ReadCount(const SmlNode& parent) {
    qint64 k = 0;
    for (int row = 0; row < parent.childCount(); ++row)
        if (ReadingOf(*parent.child(row)).kind != Reading::Kind::Nothing)
            ++k;
    return k;
}

// The readings of the definition nodes met, each made once: a long "n"
// list reads its element's definition for every element.
class Readings {
public:
    const Reading& of(const SmlNode& node) {
        auto it = m_cache.find(&node);
        if (it == m_cache.end())
            it = m_cache.emplace(&node, Entry{ReadingOf(node), -1}).first;
        return it->second.reading;
    }
    // The next child from row on that the function reads, or -1.
    int next(const SmlNode& parent, int row) {
        for (; row < parent.childCount(); ++row)
            if (of(*parent.child(row)).kind != Reading::Kind::Nothing)
                return row;
        return -1;
    }
    qint64 count(const SmlNode& list) {
        of(list);
        Entry& e = m_cache[&list];
        if (e.count < 0)
            e.count = ReadCount(list);
        return e.count;
    }

private:
    struct Entry {
        Reading reading;
        qint64 count;
    };
    std::unordered_map<const SmlNode*, Entry> m_cache;
};

QString TypeName(const SecsItem& item) {
    return QString::fromLatin1(item.itemType().smlName);
}

} // namespace

struct ConformanceCache::Data {
    Readings readings;
};
struct ConformanceAccess {
    static Readings& of(ConformanceCache& c) { return c.m_data->readings; }
};
ConformanceCache::ConformanceCache() : m_data(std::make_unique<Data>()) {}
ConformanceCache::~ConformanceCache() = default;
void ConformanceCache::clear() {
    m_data = std::make_unique<Data>();
}

ConformanceResult CheckConformance(const SmlNode& message, const SecsBody& body,
                                   ConformanceCache* cache) {
    ConformanceResult result;
    auto fail = [&](const SmlNode* node, int depth, qint64 item, const QString& reason) {
        result.conforms = false;
        result.node = node;
        result.depth = depth;
        result.item = item;
        result.reason = reason;
        return result;
    };

    const qint64 topCount = ReadCount(message);
    if (body.isEmpty()) {
        if (topCount == 0)
            return result;
        return fail(&message, 0, -1,
                    QStringLiteral("본문이 없습니다 (정의에는 아이템이 있습니다)"));
    }
    if (topCount == 0)
        return fail(&message, 0, 0, QStringLiteral("정의에 없는 본문이 있습니다"));
    if (topCount > 1)
        return fail(&message, 0, 0,
                    QStringLiteral("정의의 최상위 아이템이 %1개라 본문 하나로 읽을 수 없습니다")
                        .arg(topCount));

    // Lists being read: the definition, the next child to read (fixed
    // lists) or the one child every element is read by (variable lists),
    // and the elements left.
    struct Frame {
        const SmlNode* list;
        int nextRow;
        const SmlNode* element;
        quint32 left;
    };
    std::vector<Frame> stack;
    Readings local;
    Readings& readings = cache ? ConformanceAccess::of(*cache) : local;
    const SmlNode* def = message.child(NextRead(message, 0));
    const qsizetype count = static_cast<qsizetype>(body.items.size());
    for (qsizetype i = 0; i < count; ++i) {
        const SecsItem& got = body.items[static_cast<size_t>(i)];
        const int depth = static_cast<int>(stack.size()) + 1;
        const Reading& r = readings.of(*def);
        if (r.kind == Reading::Kind::List) {
            if (!got.isList())
                return fail(def, depth, i,
                            QStringLiteral("목록(L) 대신 %1 아이템이 왔습니다").arg(TypeName(got)));
            if (r.variable) {
                const qint64 children = readings.count(*def);
                if (children != 1 && got.length > 0)
                    return fail(def, depth, i,
                                QStringLiteral("하위 아이템이 %1개인 목록(n)은 빈 목록만 읽을 수 "
                                               "있습니다 (받은 항목 %2개)")
                                    .arg(children)
                                    .arg(got.length));
                if (got.length > 0)
                    stack.push_back({def, -1, def->child(readings.next(*def, 0)), got.length});
            } else {
                const qint64 children = readings.count(*def);
                if (got.length != children)
                    return fail(def, depth, i,
                                QStringLiteral("목록의 항목이 %1개 왔습니다 (정의 %2개)")
                                    .arg(got.length)
                                    .arg(children));
                if (got.length > 0)
                    stack.push_back({def, readings.next(*def, 0), nullptr, got.length});
            }
        } else {
            if (got.type != r.type->index)
                return fail(def, depth, i,
                            QStringLiteral("%1 대신 %2 아이템이 왔습니다")
                                .arg(QString::fromLatin1(r.type->smlName), TypeName(got)));
            const bool text = r.type->valueKind == ItemValueKind::Text;
            if (r.length > 0) {
                const qint64 n = got.count();
                if (text && n > r.length)
                    return fail(def, depth, i,
                                QStringLiteral("문자열이 %1자로 선언된 길이 %2자보다 깁니다")
                                    .arg(n)
                                    .arg(r.length));
                if (!text && n != r.length)
                    return fail(
                        def, depth, i,
                        QStringLiteral("값이 %1개 왔습니다 (선언 %2개)").arg(n).arg(r.length));
            }
        }
        // The next definition node to read, closing the lists read through.
        def = nullptr;
        while (!stack.empty()) {
            Frame& top = stack.back();
            if (top.left == 0) {
                stack.pop_back();
                continue;
            }
            --top.left;
            if (top.element) {
                def = top.element;
            } else {
                def = top.list->child(top.nextRow);
                top.nextRow = readings.next(*top.list, top.nextRow + 1);
            }
            break;
        }
        if (!def) {
            // Every list is complete; a valid body has no item left here.
            if (i + 1 < count)
                return fail(&message, 0, i + 1, QStringLiteral("본문 뒤에 아이템이 더 있습니다"));
            break;
        }
    }
    return result;
}

} // namespace pravik
