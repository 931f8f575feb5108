// The compiler reaches every thread_local variable, the C++ runtime's own
// exception state among them, through __emutls_get_address. The library's
// version keeps each thread's variables under a key of the thread library,
// which on first use records the thread and takes a thread-local slot of
// the system's for its records; freeing the DLL gives neither back. So every
// load of a DLL that throws one C++ exception, or runs a thread_local on one
// of its threads, cost one of the process's 1088 slots and a thread record;
// after about a thousand loads the thread library aborts the process.
//
// This version, linked into every DLL we ship in the library's place, keeps
// each thread's variables in one slot of the system's that the DLL owns:
// a fiber-local slot where the system has them, so the system hands back a
// thread's variables as the thread ends, else a thread-local one. Every
// thread's block is also on a list, and freeing the DLL frees the slot and
// whatever blocks remain. Nothing here may throw or take the thread library.

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

// The compiler's description of one thread_local variable (the layout the
// compiler emits: size, alignment, the index given on first use, and the
// initial value or null for zeros).
struct EmutlsObject {
    std::uintptr_t size;
    std::uintptr_t align;
    std::uintptr_t index;
    void* initial;
};

// One thread's variables, by index - 1.
struct ThreadBlock {
    ThreadBlock* previous;
    ThreadBlock* next;
    std::uintptr_t count;
    void** variables;
};

// Fiber-local slots are looked up, not imported: Windows XP has none.
constexpr DWORD kNoFiberSlot = 0xFFFFFFFF;  // FLS_OUT_OF_INDEXES
using FiberSlotCallback = void(WINAPI*)(void*);
using FlsAllocCall = DWORD(WINAPI*)(FiberSlotCallback);
using FlsFreeCall = BOOL(WINAPI*)(DWORD);
using FlsGetValueCall = PVOID(WINAPI*)(DWORD);
using FlsSetValueCall = BOOL(WINAPI*)(DWORD, PVOID);

// Zero-initialised before any code of the DLL runs, so usable from the
// first static constructor on.
struct State {
    volatile LONG lock;
    bool slotTaken;
    bool fiberLocal;
    DWORD slot;
    std::uintptr_t lastIndex;
    ThreadBlock* blocks;
    FlsAllocCall flsAlloc;
    FlsFreeCall flsFree;
    FlsGetValueCall flsGetValue;
    FlsSetValueCall flsSetValue;
};
State state;

// A spin lock: taken briefly, on a thread's first use of a variable and as
// a thread ends; a critical section would need initialising first.
class CHold {
public:
    CHold() {
        while (InterlockedCompareExchange(&state.lock, 1, 0) != 0) Sleep(0);
    }
    ~CHold() { InterlockedExchange(&state.lock, 0); }
    CHold(const CHold&) = delete;
    CHold& operator=(const CHold&) = delete;
};

void FreeVariable(void* variable) {
    // The block's start is kept just before the aligned variable.
    if (variable != nullptr) std::free(static_cast<void**>(variable)[-1]);
}

// Takes the block off the list; the caller holds the lock.
void Unlink(ThreadBlock* block) {
    if (block->previous != nullptr) block->previous->next = block->next;
    if (block->next != nullptr) block->next->previous = block->previous;
    if (state.blocks == block) state.blocks = block->next;
}

void FreeBlock(ThreadBlock* block) {
    for (std::uintptr_t i = 0; i < block->count; ++i) FreeVariable(block->variables[i]);
    std::free(block->variables);
    std::free(block);
}

// Called by the system as a thread ends, and for every thread still holding
// a block when the slot is freed.
void WINAPI ThreadEnded(void* data) {
    auto* block = static_cast<ThreadBlock*>(data);
    if (block == nullptr) return;
    {
        CHold hold;
        Unlink(block);
    }
    FreeBlock(block);
}

// Under the lock: the slot, taken on first use.
bool TakeSlot() {
    if (state.slotTaken) return true;
    const HMODULE kernel = GetModuleHandleW(L"kernel32.dll");
    if (kernel != nullptr) {
        state.flsAlloc = reinterpret_cast<FlsAllocCall>(reinterpret_cast<void*>(GetProcAddress(kernel, "FlsAlloc")));
        state.flsFree = reinterpret_cast<FlsFreeCall>(reinterpret_cast<void*>(GetProcAddress(kernel, "FlsFree")));
        state.flsGetValue = reinterpret_cast<FlsGetValueCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "FlsGetValue")));
        state.flsSetValue = reinterpret_cast<FlsSetValueCall>(
            reinterpret_cast<void*>(GetProcAddress(kernel, "FlsSetValue")));
    }
    if (state.flsAlloc != nullptr && state.flsFree != nullptr && state.flsGetValue != nullptr &&
        state.flsSetValue != nullptr) {
        state.slot = state.flsAlloc(ThreadEnded);
        state.fiberLocal = state.slot != kNoFiberSlot;
    }
    if (!state.fiberLocal) {
        state.slot = TlsAlloc();
        if (state.slot == TLS_OUT_OF_INDEXES) return false;
    }
    __atomic_store_n(&state.slotTaken, true, __ATOMIC_RELEASE);
    return true;
}

ThreadBlock* CurrentBlock() {
    return static_cast<ThreadBlock*>(state.fiberLocal ? state.flsGetValue(state.slot) : TlsGetValue(state.slot));
}

bool SetCurrentBlock(ThreadBlock* block) {
    return state.fiberLocal ? state.flsSetValue(state.slot, block) != FALSE : TlsSetValue(state.slot, block) != FALSE;
}

void* NewVariable(const EmutlsObject& object) {
    const std::uintptr_t align = object.align > sizeof(void*) ? object.align : sizeof(void*);
    void* start = std::malloc(object.size + align + sizeof(void*));
    if (start == nullptr) return nullptr;
    const std::uintptr_t first = reinterpret_cast<std::uintptr_t>(start) + sizeof(void*);
    void* variable = reinterpret_cast<void*>((first + align - 1) & ~(align - 1));
    static_cast<void**>(variable)[-1] = start;
    if (object.initial != nullptr) {
        std::memcpy(variable, object.initial, object.size);
    } else {
        std::memset(variable, 0, object.size);
    }
    return variable;
}

// The thread's block with room for this index; null when memory ran out.
ThreadBlock* BlockWithRoom(std::uintptr_t index) {
    ThreadBlock* block = CurrentBlock();
    if (block != nullptr && block->count >= index) return block;
    const std::uintptr_t count = index < 16 ? 16 : index + index / 2;
    void** variables = static_cast<void**>(std::calloc(count, sizeof(void*)));
    if (variables == nullptr) return nullptr;
    if (block == nullptr) {
        block = static_cast<ThreadBlock*>(std::calloc(1, sizeof(ThreadBlock)));
        if (block == nullptr || !SetCurrentBlock(block)) {
            std::free(block);
            std::free(variables);
            return nullptr;
        }
        CHold hold;
        block->next = state.blocks;
        if (state.blocks != nullptr) state.blocks->previous = block;
        state.blocks = block;
    } else {
        std::memcpy(variables, block->variables, block->count * sizeof(void*));
        std::free(block->variables);
    }
    block->variables = variables;
    block->count = count;
    return block;
}

// Gives back the slot and every block left at unload. Constructed before
// every other static object of the DLL, it is destroyed after all of them.
class CReleaseThreadLocals {
public:
    CReleaseThreadLocals() = default;
    CReleaseThreadLocals(const CReleaseThreadLocals&) = delete;
    CReleaseThreadLocals& operator=(const CReleaseThreadLocals&) = delete;
    ~CReleaseThreadLocals() {
        if (!state.slotTaken) return;
        // Freeing a fiber-local slot hands each thread's block to ThreadEnded.
        if (state.fiberLocal) {
            state.flsFree(state.slot);
        } else {
            TlsFree(state.slot);
        }
        ThreadBlock* left = nullptr;
        {
            CHold hold;
            __atomic_store_n(&state.slotTaken, false, __ATOMIC_RELEASE);
            left = state.blocks;
            state.blocks = nullptr;
        }
        while (left != nullptr) {
            ThreadBlock* next = left->next;
            FreeBlock(left);
            left = next;
        }
    }
};

__attribute__((init_priority(101))) CReleaseThreadLocals releaseThreadLocals;

}  // namespace

// The compiler declares both entry points itself, with untyped objects.
extern "C" void* __emutls_get_address(void* described) {
    auto* object = static_cast<EmutlsObject*>(described);
    std::uintptr_t index = __atomic_load_n(&object->index, __ATOMIC_ACQUIRE);
    // A variable reached after the slot was given back at unload (by code
    // running later in the DLL's teardown) takes a slot again rather than
    // read one that may be someone else's by now.
    if (index == 0 || !__atomic_load_n(&state.slotTaken, __ATOMIC_ACQUIRE)) {
        CHold hold;
        if (!TakeSlot()) std::abort();
        index = object->index;
        if (index == 0) {
            index = ++state.lastIndex;
            __atomic_store_n(&object->index, index, __ATOMIC_RELEASE);
        }
    }
    ThreadBlock* block = BlockWithRoom(index);
    if (block == nullptr) std::abort();
    void*& variable = block->variables[index - 1];
    if (variable == nullptr) {
        variable = NewVariable(*object);
        if (variable == nullptr) std::abort();
    }
    return variable;
}

// For thread_local variables emitted as common symbols: the largest size and
// alignment any unit declared, and the initial value of one of that size.
extern "C" void __emutls_register_common(void* described, std::uintptr_t size, std::uintptr_t align, void* initial) {
    auto* object = static_cast<EmutlsObject*>(described);
    if (object->size < size) {
        object->size = size;
        object->initial = nullptr;
    }
    if (object->align < align) object->align = align;
    if (initial != nullptr && size == object->size) object->initial = initial;
}
