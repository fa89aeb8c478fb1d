#include "package/Sysinit.h"

#include <pthread.h>

#include <cstdlib>
#include <filesystem>

#include "package/Drowcastb5.h"
#include "vcl50/Forms.h"
#include "vcl50/Modules.h"

// Everything here is plain data with constant initialisation: the entry runs from the module's
// constructor and destructor functions, outside the order of C++ static objects.
namespace {

// One thread's block: the runtime's per-thread variables (this module declares none of its own,
// so they stay zero), linked into the module's list so that process detach frees them all
// (a slot whose module is gone must leave no blocks and no destructor behind).
struct TThreadBlock {
    TThreadBlock* Next;
    TThreadBlock* Prev;
    unsigned char Variables[Sysinit::ThreadBlockSize];
};

bool started = false;
TLibModule moduleRecord;

pthread_mutex_t blockLock = PTHREAD_MUTEX_INITIALIZER;
TThreadBlock* blocks = nullptr;
size_t blockCount = 0;
pthread_key_t threadSlot;
bool haveSlot = false;

void Unlink(TThreadBlock* block)
{
    (block->Prev ? block->Prev->Next : blocks) = block->Next;
    if (block->Next)
        block->Next->Prev = block->Prev;
    --blockCount;
}

// A thread's exit: its detach.
void FreeThreadBlock(void* data)
{
    auto* block = static_cast<TThreadBlock*>(data);
    pthread_mutex_lock(&blockLock);
    Unlink(block);
    pthread_mutex_unlock(&blockLock);
    std::free(block);
}

bool MakeSlot()
{
    pthread_mutex_lock(&blockLock);
    if (!haveSlot)
        haveSlot = pthread_key_create(&threadSlot, FreeThreadBlock) == 0;
    const bool ok = haveSlot;
    pthread_mutex_unlock(&blockLock);
    return ok;
}

void* AttachThread()
{
    if (!MakeSlot())
        return nullptr;
    if (auto* existing = static_cast<TThreadBlock*>(pthread_getspecific(threadSlot)))
        return existing->Variables;
    auto* block = static_cast<TThreadBlock*>(std::calloc(1, sizeof(TThreadBlock)));
    if (!block)
        return nullptr;
    pthread_mutex_lock(&blockLock);
    block->Next = blocks;
    if (blocks)
        blocks->Prev = block;
    blocks = block;
    ++blockCount;
    pthread_mutex_unlock(&blockLock);
    pthread_setspecific(threadSlot, block);
    return block->Variables;
}

void DetachThread()
{
    if (!haveSlot)
        return;
    if (void* data = pthread_getspecific(threadSlot)) {
        pthread_setspecific(threadSlot, nullptr);
        FreeThreadBlock(data);
    }
}

// Every thread's block and the slot itself.
void ReleaseThreadData()
{
    pthread_mutex_lock(&blockLock);
    while (blocks) {
        TThreadBlock* block = blocks;
        Unlink(block);
        std::free(block);
    }
    if (haveSlot) {
        pthread_key_delete(threadSlot);
        haveSlot = false;
    }
    pthread_mutex_unlock(&blockLock);
}

void RefuseSecondStart()
{
    const std::string caption = std::filesystem::path(GetModuleFileName(MainInstance())).filename().string();
    Application->MessageBox(Sysinit::SecondStartText(GetVersion()), caption, MB_ICONSTOP | MB_SETFOREGROUND);
}

void ShutDown()
{
    UnregisterModule(&moduleRecord);
    started = false;
}

BOOL ProcessAttach(HINSTANCE instance)
{
    if (!AttachThread())
        return 0;
    if (started) {
        RefuseSecondStart();
        return 0;
    }
    started = true;
    // Sharing the heap with the host needs nothing here: every module of a Linux process
    // allocates from the one C heap, so either side may free what the other made.
    moduleRecord.Instance = instance;
    moduleRecord.CodeInstance = nullptr;
    moduleRecord.DataInstance = nullptr;
    HINSTANCE language = LoadResourceModule(GetModuleFileName(instance).c_str());
    moduleRecord.ResInstance = language ? language : instance;
    RegisterModule(&moduleRecord);
    if (!Drowcastb5::DllEntryPoint(instance, DLL_PROCESS_ATTACH, nullptr)) {
        ShutDown();
        return 0;
    }
    return 1;
}

BOOL ProcessDetach(HINSTANCE instance)
{
    if (started) {
        Drowcastb5::DllEntryPoint(instance, DLL_PROCESS_DETACH, nullptr);
        // The runtime keeps nothing of its own to shut down: it allocates from the host's heap.
        ShutDown();
    }
    ReleaseThreadData();
    return 1;
}

HINSTANCE OwnInstance()
{
    return InstanceOfAddress(&moduleRecord);
}

__attribute__((constructor)) void AttachAtLoad()
{
    ModuleEntry(OwnInstance(), DLL_PROCESS_ATTACH, nullptr);
}

__attribute__((destructor)) void DetachAtUnload()
{
    ModuleEntry(OwnInstance(), DLL_PROCESS_DETACH, nullptr);
}

}  // namespace

extern "C" BOOL ModuleEntry(HINSTANCE instance, DWORD reason, void*)
{
    // Nothing may leave the entry: it runs inside the system's loader.
    try {
        switch (reason) {
        case DLL_PROCESS_ATTACH:
            return ProcessAttach(instance);
        case DLL_PROCESS_DETACH:
            return ProcessDetach(instance);
        case DLL_THREAD_ATTACH:
            return AttachThread() != nullptr;
        case DLL_THREAD_DETACH:
            DetachThread();
            return 1;
        }
    } catch (...) {
    }
    return 0;
}

void* Sysinit::CurrentThreadBlock()
{
    return AttachThread();
}

size_t Sysinit::ThreadBlockCount()
{
    pthread_mutex_lock(&blockLock);
    const size_t count = blockCount;
    pthread_mutex_unlock(&blockLock);
    return count;
}

const char* Sysinit::SecondStartText(DWORD version)
{
    return version & SharedDataSystemBit ? "Cannot run multiple instances of a DLL under WIN32s"
                                         : "Nonshared DATA segment required";
}

PACKAGE_UNIT_PROCS(Sysinit)
