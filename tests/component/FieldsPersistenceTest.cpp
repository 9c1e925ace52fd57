// ICapeHydroFields (nothing implemented), CreateHPM (nothing created) and IPersistStream (nothing
// kept) leave the results and the caller's values alone.
#include "FlowTesting.h"

namespace ondivar::testing {
namespace {

using FieldsPersistenceTest = ComponentTest;

TEST_F(FieldsPersistenceTest, FieldsAndPersistenceTouchNothing)
{
    auto flow = createComponent<ICapeHydroFlow>();
    const FlowCase c;
    feed(flow.get(), c);
    ASSERT_EQ(S_OK, calcUs(flow));
    auto fields = flow.query<ICapeHydroFields>();
    VARIANT layers;
    V_VT(&layers) = 0x7777;
    double value = 12.5;
    EXPECT_EQ(kCapeNoImpl, fields->GetPresentLayers(&layers));
    EXPECT_EQ(kCapeNoImpl, fields->GetSinglePhaseProp(nullptr, nullptr, nullptr, nullptr, &value));
    expectRecorded(fields.get(), L"ICapeHydroFields", L"GetSinglePhaseProp");
    EXPECT_TRUE(V_VT(&layers) == 0x7777 && value == 12.5);

    IDispatch* hpm = fields.get();
    EXPECT_EQ(S_OK, flow->CreateHPM(&hpm));
    EXPECT_EQ(nullptr, hpm);

    auto persist = flow.query<IPersistStream>();
    CLSID id = GUID_NULL;
    ASSERT_EQ(S_OK, persist->GetClassID(&id));
    EXPECT_TRUE(IsEqualCLSID(CLSID_Ondivar_Velt, id));
    ComPtr<IStream> stream;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, stream.put()));
    EXPECT_EQ(S_OK, persist->Save(stream.get(), TRUE));
    EXPECT_EQ(S_OK, persist->IsDirty());
    EXPECT_EQ(S_OK, persist->Load(nullptr));
    STATSTG stat = {};
    ASSERT_EQ(S_OK, stream->Stat(&stat, STATFLAG_NONAME));
    EXPECT_EQ(0u, stat.cbSize.QuadPart);
    ULARGE_INTEGER size;
    size.QuadPart = 99;
    EXPECT_EQ(E_NOTIMPL, persist->GetSizeMax(&size));
    EXPECT_EQ(99u, size.QuadPart);
    expectResultsOf(referenceModel(c, {0, 1}), flow.get(), c);
}

} // namespace
} // namespace ondivar::testing
