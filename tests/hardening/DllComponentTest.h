// The component as a simulator gets it: made by the class factory of Ondivar.dll loaded into this
// program, so the DLL's own module state is what the hardening tests exercise. When a test has released
// everything it made, the DLL must agree to be unloaded.
#pragma once

#include "tests/common/OndivarDll.h"
#include "tests/component/ComponentTesting.h"

namespace ondivar::testing {

class DllComponentTest : public ComponentTest {
protected:
    void SetUp() override
    {
        ComponentTest::SetUp();
        ASSERT_TRUE(ondivarDll().loaded());
    }

    // Call at the end of a test body, after every interface pointer is released.
    static void expectDllUnloadable() { EXPECT_EQ(S_OK, ondivarDll().canUnloadNow()); }

    template <class Interface = ICapeIdentification> static ComPtr<Interface> createFromDll()
    {
        ComPtr<IClassFactory> factory;
        EXPECT_EQ(S_OK,
                  ondivarDll().getClassObject(CLSID_Ondivar_Velt, IID_IClassFactory, factory.putVoid()));
        ComPtr<Interface> result;
        if (factory) {
            EXPECT_EQ(S_OK, factory->CreateInstance(nullptr, __uuidof(Interface), result.putVoid()));
        }
        return result;
    }
};

} // namespace ondivar::testing
