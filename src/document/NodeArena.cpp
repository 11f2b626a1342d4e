#include "document/NodeArena.h"

#include "document/SmlNode.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace pravik {

namespace {

constexpr std::size_t kFirstBlock = 64 * 1024;
constexpr std::size_t kLargestBlock = 8 * 1024 * 1024;
constexpr int kSmallestArray = 4; // child pointers in capacity class 0

int CapacityOf(int capacityClass) {
    return kSmallestArray << capacityClass;
}

int ClassFor(int capacity) {
    int c = 0;
    while (CapacityOf(c) < capacity)
        ++c;
    return c;
}

} // namespace

NodeArena::NodeArena() : m_nextBlockSize(kFirstBlock) {
    static_assert(std::is_trivially_destructible_v<SmlNode>,
                  "nodes are freed with their arena, without destructors");
}

NodeArena::~NodeArena() = default;

void* NodeArena::allocate(std::size_t bytes, std::size_t align) {
    auto aligned = [&](std::byte* p) {
        const auto v = reinterpret_cast<std::uintptr_t>(p);
        return reinterpret_cast<std::byte*>((v + align - 1) & ~(std::uintptr_t(align) - 1));
    };
    std::byte* at = m_cursor ? aligned(m_cursor) : nullptr;
    if (!at || at + bytes > m_end) {
        // Blocks grow with the document, so a large one needs few of them;
        // an oversized request gets a block of its own size.
        const std::size_t size = std::max(m_nextBlockSize, bytes + align);
        // Not zeroed: pages are touched only as they are used.
        std::unique_ptr<std::byte[]> block(new std::byte[size]);
        m_cursor = block.get();
        m_end = m_cursor + size;
        m_blocks.push_back(std::move(block));
        m_reserved += size;
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlock);
        at = aligned(m_cursor);
    }
    m_cursor = at + bytes;
    return at;
}

const char* NodeArena::copyText(QByteArrayView text) {
    if (text.isEmpty())
        return "";
    auto* bytes = static_cast<char*>(allocate(static_cast<std::size_t>(text.size()) + 1, 1));
    std::memcpy(bytes, text.data(), static_cast<std::size_t>(text.size()));
    bytes[text.size()] = '\0';
    return bytes;
}

SmlNode* NodeArena::newNode(QByteArrayView text, int imageIndex) {
    // The text first: should it fail, no node slot is lost.
    const char* bytes = copyText(text);
    void* slot;
    if (m_freeNodes) {
        slot = m_freeNodes;
        m_freeNodes = m_freeNodes->next;
    } else {
        slot = allocate(sizeof(SmlNode), alignof(SmlNode));
    }
    return new (slot) SmlNode(bytes, static_cast<int>(text.size()), imageIndex);
}

SmlNode* NodeArena::newNodeSharingText(const SmlNode& source) {
    void* slot;
    if (m_freeNodes) {
        slot = m_freeNodes;
        m_freeNodes = m_freeNodes->next;
    } else {
        slot = allocate(sizeof(SmlNode), alignof(SmlNode));
    }
    return new (slot) SmlNode(source.m_text, source.m_textSize, source.m_imageIndex);
}

SmlNode* NodeArena::newRoot() {
    SmlNode* root = newNode({}, ImageMessage);
    root->m_isRoot = true;
    return root;
}

void NodeArena::setText(SmlNode* node, QByteArrayView text) {
    node->m_text = copyText(text);
    node->m_textSize = static_cast<int>(text.size());
}

SmlNode** NodeArena::allocateChildArray(int capacityClass) {
    FreeItem*& list = m_freeArrays[static_cast<std::size_t>(capacityClass)];
    if (list) {
        FreeItem* item = list;
        list = item->next;
        return reinterpret_cast<SmlNode**>(item);
    }
    return static_cast<SmlNode**>(allocate(
        sizeof(SmlNode*) * static_cast<std::size_t>(CapacityOf(capacityClass)), alignof(SmlNode*)));
}

void NodeArena::freeChildArray(SmlNode** array, int capacityClass) {
    auto* item = reinterpret_cast<FreeItem*>(array);
    item->next = m_freeArrays[static_cast<std::size_t>(capacityClass)];
    m_freeArrays[static_cast<std::size_t>(capacityClass)] = item;
}

void NodeArena::reserveChild(SmlNode* parent) {
    const int needed = parent->m_childCount + 1;
    if (parent->m_children && needed <= CapacityOf(parent->m_capacityClass))
        return;
    const int cls = ClassFor(needed);
    SmlNode** grown = allocateChildArray(cls);
    if (parent->m_children) {
        std::memcpy(grown, parent->m_children,
                    sizeof(SmlNode*) * static_cast<std::size_t>(parent->m_childCount));
        freeChildArray(parent->m_children, parent->m_capacityClass);
    }
    parent->m_children = grown;
    parent->m_capacityClass = static_cast<unsigned char>(cls);
}

void NodeArena::appendChild(SmlNode* parent, SmlNode* child) {
    reserveChild(parent);
    child->m_parent = parent;
    child->m_row = parent->m_childCount;
    parent->m_children[parent->m_childCount++] = child;
}

void NodeArena::insertChild(SmlNode* parent, int row, SmlNode* child) {
    reserveChild(parent);
    SmlNode** c = parent->m_children;
    std::memmove(c + row + 1, c + row,
                 sizeof(SmlNode*) * static_cast<std::size_t>(parent->m_childCount - row));
    c[row] = child;
    ++parent->m_childCount;
    child->m_parent = parent;
    parent->renumberFrom(row);
}

void NodeArena::freeSubtree(SmlNode* root) {
    if (!root)
        return;
    // Each node's children are pushed before the node goes back on the list.
    std::vector<SmlNode*> pending{root};
    while (!pending.empty()) {
        SmlNode* n = pending.back();
        pending.pop_back();
        for (int i = 0; i < n->m_childCount; ++i)
            pending.push_back(n->m_children[i]);
        if (n->m_children)
            freeChildArray(n->m_children, n->m_capacityClass);
        auto* item = reinterpret_cast<FreeItem*>(n);
        item->next = m_freeNodes;
        m_freeNodes = item;
    }
}

SmlNode* NodeArena::cloneSubtree(const SmlNode& source, bool sameArena) {
    auto copyOf = [&](const SmlNode& n) {
        SmlNode* c = sameArena ? newNodeSharingText(n) : newNode(n.TextView(), n.m_imageIndex);
        c->m_sourceLine = n.m_sourceLine;
        return c;
    };
    SmlNode* root = copyOf(source);
    // Pairs of (original, copy) whose children still have to be copied.
    std::vector<std::pair<const SmlNode*, SmlNode*>> stack{{&source, root}};
    try {
        while (!stack.empty()) {
            auto [orig, copy] = stack.back();
            stack.pop_back();
            for (int i = 0; i < orig->m_childCount; ++i) {
                const SmlNode* c = orig->m_children[i];
                reserveChild(copy);
                SmlNode* cc = copyOf(*c);
                appendChild(copy, cc);
                if (c->m_childCount)
                    stack.emplace_back(c, cc);
            }
        }
    } catch (...) {
        freeSubtree(root);
        throw;
    }
    return root;
}

void DetachedSubtree::reset() {
    if (m_root && m_arena)
        m_arena->freeSubtree(m_root);
    m_root = nullptr;
}

SmlNode* DetachedSubtree::appendChild(SmlNode* parent, QByteArrayView text, int imageIndex) {
    SmlNode* child = m_arena->newNode(text, imageIndex);
    m_arena->appendChild(parent, child);
    return child;
}

DetachedSubtree DetachedSubtree::create(QByteArrayView text, int imageIndex) {
    auto arena = std::make_shared<NodeArena>();
    SmlNode* node = arena->newNode(text, imageIndex);
    return DetachedSubtree(std::move(arena), node);
}

DetachedSubtree DetachedSubtree::createRoot() {
    auto arena = std::make_shared<NodeArena>();
    SmlNode* root = arena->newRoot();
    return DetachedSubtree(std::move(arena), root);
}

} // namespace pravik
