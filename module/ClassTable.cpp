#include "module/ClassTable.h"

#include "component/Ondivar_Velt.h"
#include "module/Resources.h"

#include <iterator>
#include <new>

namespace ondivar {
namespace {

const ClassEntry kClasses[] = {
    {&CLSID_Ondivar_Velt, &COndivar_Velt::createInstance, IDR_ONDIVAR_VELT},
};

// The cached class objects, by entry; set once, from any thread.
CClassFactory* volatile g_classObjects[std::size(kClasses)] = {};

} // namespace

const ClassEntry* classTable() noexcept
{
    return kClasses;
}

std::size_t classCount() noexcept
{
    return std::size(kClasses);
}

CClassFactory* cachedClassObject(std::size_t index) noexcept
{
    if (index >= std::size(kClasses))
        return nullptr;
    PVOID volatile* slot = reinterpret_cast<PVOID volatile*>(&g_classObjects[index]);
    auto* current = static_cast<CClassFactory*>(InterlockedCompareExchangePointer(slot, nullptr, nullptr));
    if (current != nullptr)
        return current;
    auto* created = new (std::nothrow) CClassFactory(kClasses[index].create);
    if (created == nullptr)
        return nullptr;
    current = static_cast<CClassFactory*>(InterlockedCompareExchangePointer(slot, created, nullptr));
    if (current != nullptr) {
        // Another thread cached its own first.
        created->Release();
        return current;
    }
    return created;
}

void releaseClassObjects() noexcept
{
    for (auto& entry : g_classObjects) {
        auto* object = static_cast<CClassFactory*>(
            InterlockedExchangePointer(reinterpret_cast<PVOID volatile*>(&entry), nullptr));
        if (object != nullptr)
            object->Release();
    }
}

} // namespace ondivar
