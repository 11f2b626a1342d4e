#pragma once

#include <QByteArrayView>
#include <array>
#include <cstddef>
#include <cstdlib>
#include <memory>
#include <vector>

namespace pravik {

class SmlNode;
enum class NodeKind : int;

// The memory of one document's nodes: the node objects, their texts and
// their child arrays all come from a few large blocks, so that closing or
// replacing a document frees a million nodes in one sweep instead of one
// allocation at a time. Nodes and child arrays that leave the document for
// good (a deleted subtree whose undo step is gone) go back on free lists
// and are reused; texts are immutable and shared by copies, and stay until
// the arena goes.
class NodeArena {
public:
    NodeArena();
    ~NodeArena();
    NodeArena(const NodeArena&) = delete;
    NodeArena& operator=(const NodeArena&) = delete;

    // A new node with a copy of text (the copy ends with a NUL byte).
    SmlNode* newNode(QByteArrayView text, NodeKind kind);
    // The same, the text given as two pieces to be joined.
    SmlNode* newNode(QByteArrayView first, QByteArrayView second, NodeKind kind);
    // A node sharing text bytes that already live in this arena.
    SmlNode* newNodeSharingText(const SmlNode& source);
    // The hidden holder of a document's messages.
    SmlNode* newRoot();

    // Gives a node a copy of text; the old bytes stay for whoever still
    // holds them.
    void setText(SmlNode* node, QByteArrayView text);

    // Room for one more child, so that the insertion itself cannot fail.
    void reserveChild(SmlNode* parent);
    // Appends child (detached) as the last child of parent.
    void appendChild(SmlNode* parent, SmlNode* child);
    // Inserts child as child number row; reserveChild must have made room.
    void insertChild(SmlNode* parent, int row, SmlNode* child);

    // Returns a detached subtree's nodes and child arrays to the free lists.
    // Iterative, so any depth is fine.
    void freeSubtree(SmlNode* root);

    // A deep copy of a subtree: new nodes, kinds and source lines kept, no
    // cut marks. Texts are shared when source lives in this arena
    // (sameArena), copied otherwise. Iterative.
    SmlNode* cloneSubtree(const SmlNode& source, bool sameArena);

    // Bytes taken from the system so far.
    std::size_t reservedBytes() const { return m_reserved; }
    // For tests of running out of memory: after count more allocations every
    // allocation throws std::bad_alloc; -1 ends it.
    void failAllocationsAfter(int count) { m_failAfter = count; }

private:
    void* allocate(std::size_t bytes, std::size_t align);
    const char* copyText(QByteArrayView first, QByteArrayView second = {});
    void* nodeSlot();
    SmlNode** allocateChildArray(int capacityClass);
    void freeChildArray(SmlNode** array, int capacityClass);

    struct FreeItem {
        FreeItem* next;
    };
    struct FreeBlock {
        void operator()(std::byte* p) const { std::free(p); }
    };
    using Block = std::unique_ptr<std::byte, FreeBlock>;
    std::vector<Block> m_blocks;
    std::vector<std::size_t> m_blockSizes;
    std::byte* m_cursor = nullptr;
    std::byte* m_end = nullptr;
    std::size_t m_nextBlockSize;
    std::size_t m_reserved = 0;
    int m_failAfter = -1;
    FreeItem* m_freeNodes = nullptr;
    // Child arrays by capacity class: 4 << class pointers.
    std::array<FreeItem*, 32> m_freeArrays{};
};

// A subtree that is not part of a document: a deleted node waiting in an
// undo step, a copy about to be pasted, a tree the reader built. It keeps
// its arena alive and gives its nodes back when it goes.
class DetachedSubtree {
public:
    DetachedSubtree() = default;
    DetachedSubtree(std::shared_ptr<NodeArena> arena, SmlNode* root)
        : m_arena(std::move(arena)), m_root(root) {}
    ~DetachedSubtree() { reset(); }
    DetachedSubtree(DetachedSubtree&& other) noexcept
        : m_arena(std::move(other.m_arena)), m_root(other.m_root) {
        other.m_root = nullptr;
    }
    DetachedSubtree& operator=(DetachedSubtree&& other) noexcept {
        if (this != &other) {
            reset();
            m_arena = std::move(other.m_arena);
            m_root = other.m_root;
            other.m_root = nullptr;
        }
        return *this;
    }
    DetachedSubtree(const DetachedSubtree&) = delete;
    DetachedSubtree& operator=(const DetachedSubtree&) = delete;

    SmlNode* get() const { return m_root; }
    SmlNode* operator->() const { return m_root; }
    explicit operator bool() const { return m_root != nullptr; }
    const std::shared_ptr<NodeArena>& arena() const { return m_arena; }
    // Hands the nodes over (to a document); the arena reference stays here.
    SmlNode* release() {
        SmlNode* r = m_root;
        m_root = nullptr;
        return r;
    }
    void reset();

    // Building a detached tree: a new last child of parent (a node of this
    // subtree); the text may come in two pieces to be joined.
    SmlNode* appendChild(SmlNode* parent, QByteArrayView text, NodeKind kind);
    SmlNode* appendChild(SmlNode* parent, QByteArrayView first, QByteArrayView second,
                         NodeKind kind);

    // A fresh tree in a fresh arena: one node, or the hidden holder of a
    // document's messages (what the reader builds).
    static DetachedSubtree create(QByteArrayView text, NodeKind kind);
    static DetachedSubtree createRoot();

private:
    std::shared_ptr<NodeArena> m_arena;
    SmlNode* m_root = nullptr;
};

} // namespace pravik
