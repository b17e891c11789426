// Movable global memory. Blocks live in a table keyed by handle, so every call can tell a live
// handle from a freed or invented one. A fixed block's handle is its data address; a movable
// block gets a handle from a counter that is never reused.
#include "win/winbase.h"

#include <cstring>
#include <map>
#include <memory>
#include <new>

namespace {

struct Block {
    std::unique_ptr<std::byte[]> data;
    std::size_t size = 0;
    std::size_t capacity = 0;
    bool movable = false;
    int locks = 0;
};

struct GlobalHeap {
    std::map<std::uintptr_t, Block> blocks;
    std::map<const std::byte*, std::uintptr_t> handleOfData;
    std::uintptr_t nextMovable = 0x10;
    int failuresToInject = 0;
};

// Never destroyed, so blocks still held at exit (the clipboard's) stay valid for other
// static destructors.
GlobalHeap& heap() {
    static GlobalHeap* instance = new GlobalHeap;
    return *instance;
}

constexpr std::size_t kMaxBlockSize = std::size_t{1} << 31;
// Movable handles are small odd numbers, never valid data addresses.
constexpr std::uintptr_t kMovableTag = 0x1;

std::uintptr_t key(HGLOBAL mem) {
    return reinterpret_cast<std::uintptr_t>(mem);
}
HGLOBAL handle(std::uintptr_t value) {
    return reinterpret_cast<HGLOBAL>(value);
}

Block* find(HGLOBAL mem) {
    const auto it = heap().blocks.find(key(mem));
    if (it == heap().blocks.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return &it->second;
}

bool injectedFailure() {
    if (heap().failuresToInject <= 0) return false;
    --heap().failuresToInject;
    SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return true;
}

// A buffer of at least one byte, so that every block has a distinct address.
std::unique_ptr<std::byte[]> allocate(std::size_t bytes, bool zero) {
    std::unique_ptr<std::byte[]> data(new (std::nothrow) std::byte[bytes == 0 ? 1 : bytes]);
    if (data && zero) std::memset(data.get(), 0, bytes == 0 ? 1 : bytes);
    if (!data) SetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return data;
}

HGLOBAL insert(Block block) {
    auto& h = heap();
    std::uintptr_t id = 0;
    if (block.movable) {
        id = (h.nextMovable << 4) | kMovableTag;
        ++h.nextMovable;
    } else {
        id = reinterpret_cast<std::uintptr_t>(block.data.get());
    }
    h.handleOfData[block.data.get()] = id;
    h.blocks.emplace(id, std::move(block));
    return handle(id);
}

void forget(std::uintptr_t id) {
    auto& h = heap();
    const auto it = h.blocks.find(id);
    h.handleOfData.erase(it->second.data.get());
    h.blocks.erase(it);
}

// Whether a block may change address: an unlocked movable block may; a locked or fixed one only
// when the caller allows it with GMEM_MOVEABLE.
bool mayMove(const Block& block, UINT flags) {
    return (block.movable && block.locks == 0) || (flags & GMEM_MOVEABLE) != 0;
}

HGLOBAL resize(std::uintptr_t id, std::size_t bytes, UINT flags) {
    auto& h = heap();
    Block& block = h.blocks.at(id);
    if (bytes <= block.capacity) {
        if (bytes > block.size && (flags & GMEM_ZEROINIT))
            std::memset(block.data.get() + block.size, 0, bytes - block.size);
        block.size = bytes;
        return handle(id);
    }
    if (!mayMove(block, flags)) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto data = allocate(bytes, false);
    if (!data) return nullptr;
    std::memcpy(data.get(), block.data.get(), block.size);
    if (flags & GMEM_ZEROINIT) std::memset(data.get() + block.size, 0, bytes - block.size);
    Block moved{std::move(data), bytes, bytes, block.movable, block.locks};
    forget(id);
    if (!moved.movable) return insert(std::move(moved));
    h.handleOfData[moved.data.get()] = id;
    h.blocks.emplace(id, std::move(moved));
    return handle(id);
}

} // namespace

HGLOBAL GlobalAlloc(UINT flags, SIZE_T bytes) {
    if (injectedFailure()) return nullptr;
    if (bytes > kMaxBlockSize) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    auto data = allocate(bytes, (flags & GMEM_ZEROINIT) != 0);
    if (!data) return nullptr;
    const std::size_t capacity = bytes == 0 ? 1 : bytes;
    return insert(Block{std::move(data), bytes, capacity, (flags & GMEM_MOVEABLE) != 0, 0});
}

HGLOBAL GlobalReAlloc(HGLOBAL mem, SIZE_T bytes, UINT flags) {
    if (!find(mem)) return nullptr;
    if (flags & GMEM_MODIFY) return mem;
    if (injectedFailure()) return nullptr;
    if (bytes > kMaxBlockSize) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return resize(key(mem), bytes, flags);
}

HGLOBAL GlobalFree(HGLOBAL mem) {
    if (!find(mem)) return mem;
    forget(key(mem));
    return nullptr;
}

LPVOID GlobalLock(HGLOBAL mem) {
    Block* block = find(mem);
    if (!block) return nullptr;
    if (!block->movable) return block->data.get();
    if (block->size == 0) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY); // a discarded block has no data to lock
        return nullptr;
    }
    if (block->locks < 0xFF) ++block->locks;
    return block->data.get();
}

BOOL GlobalUnlock(HGLOBAL mem) {
    Block* block = find(mem);
    if (!block) return FALSE;
    if (block->locks == 0) {
        SetLastError(ERROR_NOT_LOCKED);
        return FALSE;
    }
    --block->locks;
    if (block->locks > 0) return TRUE;
    SetLastError(NO_ERROR);
    return FALSE;
}

SIZE_T GlobalSize(HGLOBAL mem) {
    const Block* block = find(mem);
    return block ? block->size : 0;
}

UINT GlobalFlags(HGLOBAL mem) {
    const Block* block = find(mem);
    if (!block) return GMEM_INVALID_HANDLE;
    UINT flags = static_cast<UINT>(block->locks) & GMEM_LOCKCOUNT;
    if (block->movable && block->size == 0) flags |= GMEM_DISCARDED;
    return flags;
}

HGLOBAL GlobalHandle(LPCVOID data) {
    const auto& map = heap().handleOfData;
    const auto it = map.find(static_cast<const std::byte*>(data));
    if (it == map.end()) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return handle(it->second);
}

namespace winx {

void failNextGlobalAllocs(int count) {
    heap().failuresToInject = count < 0 ? 0 : count;
}

std::size_t liveGlobalBlocks() {
    return heap().blocks.size();
}

} // namespace winx
