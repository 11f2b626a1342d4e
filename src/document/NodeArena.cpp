#include "document/NodeArena.h"

#include "document/SmlNode.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <new>
#include <sys/mman.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#endif

namespace pravik {

namespace {

constexpr std::size_t kFirstBlock = 64 * 1024;
constexpr std::size_t kLargestBlock = 8 * 1024 * 1024;
// Blocks from this size on are aligned to and sized in huge pages, which the
// kernel is asked to use: a large document then costs a few page faults
// instead of one per 4 KiB.
constexpr std::size_t kHugePage = 2 * 1024 * 1024;
constexpr int kSmallestArray = 4; // child pointers in capacity class 0

int CapacityOf(int capacityClass) {
    return kSmallestArray << capacityClass;
}

// Under AddressSanitizer a node or child array on a free list is poisoned
// (all but the link at its start), so that a pointer kept to a node that
// left the document for good is caught when it is used.
#if defined(__SANITIZE_ADDRESS__)
void Poison(void* p, std::size_t bytes) {
    ASAN_POISON_MEMORY_REGION(static_cast<char*>(p) + sizeof(void*), bytes - sizeof(void*));
}
void Unpoison(void* p, std::size_t bytes) {
    ASAN_UNPOISON_MEMORY_REGION(p, bytes);
}
#else
void Poison(void*, std::size_t) {}
void Unpoison(void*, std::size_t) {}
#endif

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

NodeArena::~NodeArena() {
#if defined(__SANITIZE_ADDRESS__)
    // The blocks go back whole; nothing in them is poisoned any more.
    for (std::size_t i = 0; i < m_blockSizes.size(); ++i)
        ASAN_UNPOISON_MEMORY_REGION(m_blocks[i].get(), m_blockSizes[i]);
#endif
}

void* NodeArena::allocate(std::size_t bytes, std::size_t align) {
    if (m_failAfter >= 0 && m_failAfter-- == 0) {
        m_failAfter = 0;
        throw std::bad_alloc();
    }
    auto aligned = [&](std::byte* p) {
        const auto v = reinterpret_cast<std::uintptr_t>(p);
        return reinterpret_cast<std::byte*>((v + align - 1) & ~(std::uintptr_t(align) - 1));
    };
    std::byte* at = m_cursor ? aligned(m_cursor) : nullptr;
    if (!at || at + bytes > m_end) {
        // Blocks grow with the document, so a large one needs few of them;
        // an oversized request gets a block of its own size.
        std::size_t size = std::max(m_nextBlockSize, bytes + align);
        const bool huge = size >= kHugePage;
        if (huge)
            size = (size + kHugePage - 1) / kHugePage * kHugePage;
        // Not zeroed: pages are touched only as they are used.
        void* memory = huge ? std::aligned_alloc(kHugePage, size) : std::malloc(size);
        if (!memory)
            throw std::bad_alloc();
        Block block(static_cast<std::byte*>(memory));
#if defined(MADV_HUGEPAGE)
        if (huge)
            ::madvise(memory, size, MADV_HUGEPAGE); // a hint; without it all still works
#endif
        m_cursor = block.get();
        m_end = m_cursor + size;
        m_blocks.reserve(m_blocks.size() + 1);
        m_blockSizes.reserve(m_blockSizes.size() + 1);
        m_blocks.push_back(std::move(block));
        m_blockSizes.push_back(size);
        m_reserved += size;
        m_nextBlockSize = std::min(m_nextBlockSize * 2, kLargestBlock);
        at = aligned(m_cursor);
    }
    m_cursor = at + bytes;
    return at;
}

const char* NodeArena::copyText(QByteArrayView first, QByteArrayView second) {
    const auto n1 = static_cast<std::size_t>(first.size());
    const auto n2 = static_cast<std::size_t>(second.size());
    if (n1 + n2 == 0)
        return "";
    auto* bytes = static_cast<char*>(allocate(n1 + n2 + 1, 1));
    if (n1)
        std::memcpy(bytes, first.data(), n1);
    if (n2)
        std::memcpy(bytes + n1, second.data(), n2);
    bytes[n1 + n2] = '\0';
    return bytes;
}

void* NodeArena::nodeSlot() {
    if (!m_freeNodes)
        return allocate(sizeof(SmlNode), alignof(SmlNode));
    FreeItem* item = m_freeNodes;
    Unpoison(item, sizeof(SmlNode));
    m_freeNodes = item->next;
    return item;
}

SmlNode* NodeArena::newNode(QByteArrayView text, NodeKind kind) {
    return newNode(text, {}, kind);
}

SmlNode* NodeArena::newNode(QByteArrayView first, QByteArrayView second, NodeKind kind) {
    // The text first: should it fail, no node slot is lost.
    const char* bytes = copyText(first, second);
    return new (nodeSlot()) SmlNode(bytes, static_cast<int>(first.size() + second.size()), kind);
}

SmlNode* NodeArena::newNodeSharingText(const SmlNode& source) {
    return new (nodeSlot()) SmlNode(source.m_text, source.m_textSize, source.m_kind);
}

SmlNode* NodeArena::newRoot() {
    SmlNode* root = newNode({}, NodeKind::Message);
    root->m_isRoot = true;
    return root;
}

void NodeArena::setText(SmlNode* node, QByteArrayView text) {
    node->m_text = copyText(text, {});
    node->m_textSize = static_cast<int>(text.size());
}

SmlNode** NodeArena::allocateChildArray(int capacityClass) {
    FreeItem*& list = m_freeArrays[static_cast<std::size_t>(capacityClass)];
    if (list) {
        FreeItem* item = list;
        Unpoison(item, sizeof(SmlNode*) * static_cast<std::size_t>(CapacityOf(capacityClass)));
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
    Poison(item, sizeof(SmlNode*) * static_cast<std::size_t>(CapacityOf(capacityClass)));
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
        Poison(item, sizeof(SmlNode));
    }
}

SmlNode* NodeArena::cloneSubtree(const SmlNode& source, bool sameArena) {
    auto copyOf = [&](const SmlNode& n) {
        SmlNode* c = sameArena ? newNodeSharingText(n) : newNode(n.TextView(), n.m_kind);
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

SmlNode* DetachedSubtree::appendChild(SmlNode* parent, QByteArrayView text, NodeKind kind) {
    return appendChild(parent, text, {}, kind);
}

SmlNode* DetachedSubtree::appendChild(SmlNode* parent, QByteArrayView first, QByteArrayView second,
                                      NodeKind kind) {
    m_arena->reserveChild(parent);
    SmlNode* child = m_arena->newNode(first, second, kind);
    m_arena->appendChild(parent, child);
    return child;
}

DetachedSubtree DetachedSubtree::create(QByteArrayView text, NodeKind kind) {
    auto arena = std::make_shared<NodeArena>();
    SmlNode* node = arena->newNode(text, kind);
    return DetachedSubtree(std::move(arena), node);
}

DetachedSubtree DetachedSubtree::createRoot() {
    auto arena = std::make_shared<NodeArena>();
    SmlNode* root = arena->newRoot();
    return DetachedSubtree(std::move(arena), root);
}

} // namespace pravik
