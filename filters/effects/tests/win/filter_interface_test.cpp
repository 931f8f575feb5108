#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

#include "CEffectFilter.h"
#include "EffectGraph.h"
#include "FakeSample.h"

namespace lenstinttest {
namespace {

using dshowbase::CMediaType;

// The settings interface as a caller that knows only the slot numbers sees
// it: IUnknown's three, then the filter's 26 in order.
struct SlotTable {
    void* unknown[3];
    HRESULT(STDMETHODCALLTYPE* GetEffect)(void*, int*, int*);  // 3
    HRESULT(STDMETHODCALLTYPE* SetEffect)(void*, int, int);    // 4
    void* slots5to14[10];
    HRESULT(STDMETHODCALLTYPE* GetFeatureState)(void*, int, int*);           // 15
    HRESULT(STDMETHODCALLTYPE* Reserved16)(void*, int, int, int, int, int);  // 16
    HRESULT(STDMETHODCALLTYPE* Reserved17)(void*, int, int, int);            // 17
    HRESULT(STDMETHODCALLTYPE* Reserved18)(void*, int);                      // 18
    HRESULT(STDMETHODCALLTYPE* Reserved19)(void*, int);                      // 19
    HRESULT(STDMETHODCALLTYPE* Reserved20)(void*, int, int, int, int);       // 20
    HRESULT(STDMETHODCALLTYPE* Reserved21)(void*, int, int);                 // 21
    HRESULT(STDMETHODCALLTYPE* Reserved22)(void*, int);                      // 22
    HRESULT(STDMETHODCALLTYPE* Reserved23)(void*, int);                      // 23
    HRESULT(STDMETHODCALLTYPE* Reserved24)(void*, int);                      // 24
    HRESULT(STDMETHODCALLTYPE* Reserved25)(void*, int, int, int, int);       // 25
    HRESULT(STDMETHODCALLTYPE* Reserved26)(void*, int, int);                 // 26
    HRESULT(STDMETHODCALLTYPE* Reserved27)(void*, int, int);                 // 27
    HRESULT(STDMETHODCALLTYPE* Reserved28)(void*);                           // 28
};

CMediaType VideoType(const GUID& subtype, WORD bits, LONG width, LONG height) {
    CMediaType type(MEDIATYPE_Video);
    type.subtype = subtype;
    type.formattype = FORMAT_VideoInfo;
    auto* info = reinterpret_cast<VIDEOINFOHEADER*>(type.AllocFormat(sizeof(VIDEOINFOHEADER)));
    info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info->bmiHeader.biWidth = width;
    info->bmiHeader.biHeight = height;
    info->bmiHeader.biPlanes = 1;
    info->bmiHeader.biBitCount = bits;
    return type;
}

class FilterInterfaceTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        ASSERT_EQ(S_OK, CoCreateInstance(CLSID_EffectFilter, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&filter)));
        ASSERT_EQ(S_OK, filter.As(&effect));
    }
    void TearDown() override {
        effect.Reset();
        filter.Reset();
        ComTest::TearDown();
    }
    ComPtr<IBaseFilter> filter;
    ComPtr<IVideoEffect> effect;
};

TEST_F(FilterInterfaceTest, SettersReadBackThroughTheGetters) {
    int id = 0, param = -1, value = -1;
    ASSERT_EQ(S_OK, effect->GetEffect(&id, &param));
    EXPECT_EQ(VIDEO_EFFECT_NONE, id);
    ASSERT_EQ(S_OK, effect->SetEffect(22, 3));
    effect->GetEffect(&id, &param);
    EXPECT_EQ(22, id);
    EXPECT_EQ(3, param);

    effect->SetAutoWhiteBalance(1, 1, 15);
    effect->SetDespeckle(1);
    effect->ShowFps(1);
    for (int index = 0; index <= 11; ++index) {
        ASSERT_EQ(S_OK, effect->GetFeatureState(index, &value));
        EXPECT_EQ(index <= 2 ? 1 : 0, value) << index;
    }
    effect->ShowFps(0);
    effect->GetFeatureState(2, &value);
    EXPECT_EQ(0, value);
}

TEST_F(FilterInterfaceTest, SlotsSitWhereCallersExpectThem) {
    void* self = effect.Get();
    const SlotTable& slots = **static_cast<SlotTable**>(self);
    ASSERT_EQ(S_OK, slots.SetEffect(self, 17, 4));
    int id = 0, param = 0;
    ASSERT_EQ(S_OK, slots.GetEffect(self, &id, &param));
    EXPECT_EQ(17, id);
    EXPECT_EQ(4, param);
    int value = -1;
    EXPECT_EQ(S_OK, slots.GetFeatureState(self, 0, &value));
    EXPECT_EQ(E_FAIL, slots.Reserved16(self, 1, 2, 3, 4, 5));
    EXPECT_EQ(S_OK, slots.Reserved17(self, 1, 2, 3));
    EXPECT_EQ(E_FAIL, slots.Reserved18(self, 1));
    EXPECT_EQ(S_OK, slots.Reserved19(self, 1));
    EXPECT_EQ(S_OK, slots.Reserved20(self, 1, 2, 3, 4));
    EXPECT_EQ(E_FAIL, slots.Reserved21(self, 1, 2));
    EXPECT_EQ(S_OK, slots.Reserved22(self, 1));
    EXPECT_EQ(S_OK, slots.Reserved23(self, 1));
    EXPECT_EQ(S_OK, slots.Reserved24(self, 1));
    EXPECT_EQ(E_FAIL, slots.Reserved25(self, 1, 2, 3, 4));
    EXPECT_EQ(S_OK, slots.Reserved26(self, 1, 2));
    EXPECT_EQ(S_OK, slots.Reserved27(self, 1, 2));
    EXPECT_EQ(S_OK, slots.Reserved28(self));
    // The reserved slots change nothing.
    slots.GetEffect(self, &id, &param);
    EXPECT_EQ(17, id);
}

TEST_F(FilterInterfaceTest, NullArgumentsAreRefused) {
    int value = 0;
    EXPECT_EQ(E_POINTER, effect->GetEffect(nullptr, &value));
    EXPECT_EQ(E_POINTER, effect->GetEffect(&value, nullptr));
    EXPECT_EQ(E_POINTER, effect->GetFeatureState(0, nullptr));
    EXPECT_EQ(E_POINTER, effect->SetText(nullptr, 0, 1, 2, 3, L"Arial"));
    EXPECT_EQ(E_POINTER, effect->SetStampText(nullptr, 0, 0, L"Arial", 12, 1, 2, 3, 160, 20, 0));
    EXPECT_EQ(E_POINTER, effect->LoadFrameImage(nullptr, 0, 0, 0, nullptr, nullptr));
    // A null font name falls back to the generic family.
    EXPECT_EQ(S_OK, effect->SetText(L"x", 0, 1, 2, 3, nullptr));
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, filter.As(&pages));
    EXPECT_EQ(E_POINTER, pages->GetPages(nullptr));
}

TEST_F(FilterInterfaceTest, ListsItsTwoPagesInOrder) {
    ComPtr<ISpecifyPropertyPages> pages;
    ASSERT_EQ(S_OK, filter.As(&pages));
    CAUUID list{};
    ASSERT_EQ(S_OK, pages->GetPages(&list));
    ASSERT_EQ(2u, list.cElems);
    EXPECT_TRUE(IsEqualGUID(CLSID_EffectSpecialPage, list.pElems[0]));
    EXPECT_TRUE(IsEqualGUID(CLSID_EffectSimplePage, list.pElems[1]));
    CoTaskMemFree(list.pElems);
}

TEST_F(FilterInterfaceTest, FrameImagesThatCannotBeLoadedFail) {
    EXPECT_EQ(E_FAIL, effect->LoadFrameImage(L"C:\\no\\such\\frame.png", 0, 0, 0, nullptr, nullptr));
    EXPECT_EQ(E_FAIL, effect->LoadFrameImage(L"C:\\no\\such\\module.dll", 0, 0, 1, L"FRAME", L"PNG"));
    EXPECT_EQ(E_FAIL, effect->LoadFrameImage(L"x", 0, 0, 2, L"NO_SUCH_RESOURCE", L"PNG"));
    EXPECT_EQ(E_FAIL, effect->LoadFrameImage(L"x", 0, 0, 7, nullptr, nullptr));
    const std::wstring longPath = L"C:\\" + std::wstring(300, L'a') + L".png";
    EXPECT_EQ(E_FAIL, effect->LoadFrameImage(longPath.c_str(), 0, 0, 0, nullptr, nullptr));
}

// --- Persistence

ComPtr<IStream> StreamOf(const std::vector<BYTE>& bytes) {
    ComPtr<IStream> stream;
    CreateStreamOnHGlobal(nullptr, TRUE, stream.GetAddressOf());
    ULONG written = 0;
    stream->Write(bytes.data(), static_cast<ULONG>(bytes.size()), &written);
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    return stream;
}

std::vector<BYTE> VersionField(char version = '0') {
    const char text[] = "0000000000? ";
    std::vector<BYTE> bytes;
    for (int i = 0; i < 12; ++i) {
        bytes.push_back(static_cast<BYTE>(i == 10 ? version : text[i]));
        bytes.push_back(0);
    }
    return bytes;
}

std::vector<BYTE> BytesOf(IStream* stream) {
    STATSTG stat{};
    stream->Stat(&stat, STATFLAG_NONAME);
    std::vector<BYTE> bytes(static_cast<std::size_t>(stat.cbSize.QuadPart));
    LARGE_INTEGER zero{};
    stream->Seek(zero, STREAM_SEEK_SET, nullptr);
    ULONG read = 0;
    stream->Read(bytes.data(), static_cast<ULONG>(bytes.size()), &read);
    return bytes;
}

TEST_F(FilterInterfaceTest, SavesWhatTheEffectNeedsAndLoadsOlderStreamsAsBefore) {
    ComPtr<IPersistStream> persist;
    ASSERT_EQ(S_OK, filter.As(&persist));
    CLSID id{};
    ASSERT_EQ(S_OK, persist->GetClassID(&id));
    EXPECT_TRUE(IsEqualCLSID(CLSID_EffectFilter, id));

    EXPECT_EQ(S_FALSE, persist->IsDirty());
    effect->SetEffect(VIDEO_EFFECT_JITTER, 5);
    EXPECT_EQ(S_OK, persist->IsDirty());

    ComPtr<IStream> saved;
    ASSERT_EQ(S_OK, CreateStreamOnHGlobal(nullptr, TRUE, saved.GetAddressOf()));
    ASSERT_EQ(S_OK, persist->Save(saved.Get(), TRUE));
    EXPECT_EQ(S_FALSE, persist->IsDirty());
    // Version 1: the field, control id and parameter, 10,000 one-byte
    // jitter offsets, the kaleidoscope's four floats and "no photo frame".
    const std::vector<BYTE> bytes = BytesOf(saved.Get());
    ULARGE_INTEGER size{};
    ASSERT_EQ(S_OK, persist->GetSizeMax(&size));
    EXPECT_EQ(24u + 8 + 10000 + 16 + 4, bytes.size());
    EXPECT_EQ(bytes.size(), size.QuadPart);
    const std::vector<BYTE> version1 = VersionField('1');
    ASSERT_GE(bytes.size(), version1.size());
    EXPECT_TRUE(std::equal(version1.begin(), version1.end(), bytes.begin()));

    // A version 0 stream with the control id after the field sets the effect ...
    std::vector<BYTE> withId = VersionField();
    const int controlId = 1001 + 12;
    withId.insert(withId.end(), reinterpret_cast<const BYTE*>(&controlId),
                  reinterpret_cast<const BYTE*>(&controlId) + sizeof(controlId));
    ASSERT_EQ(S_OK, persist->Load(StreamOf(withId).Get()));
    int effectId = 0, param = 0;
    effect->GetEffect(&effectId, &param);
    EXPECT_EQ(12, effectId);

    // ... the field alone (as older saves were) keeps the current one ...
    ASSERT_EQ(S_OK, persist->Load(StreamOf(VersionField()).Get()));
    effect->GetEffect(&effectId, &param);
    EXPECT_EQ(12, effectId);

    // ... and the stream saved above brings back the effect it was saved with.
    ASSERT_EQ(S_OK, persist->Load(StreamOf(bytes).Get()));
    effect->GetEffect(&effectId, &param);
    EXPECT_EQ(VIDEO_EFFECT_JITTER, effectId);
    EXPECT_EQ(5, param);

    // Damaged streams are refused and change nothing: a bad version field,
    // a jitter offset no save writes, a stream cut short.
    effect->SetEffect(VIDEO_EFFECT_SEPIA, 0);
    std::vector<BYTE> damaged = VersionField();
    damaged[4] = 'x';
    EXPECT_FALSE(SUCCEEDED(persist->Load(StreamOf(damaged).Get())));
    std::vector<BYTE> farJitter = bytes;
    farJitter[24 + 8 + 100] = 9;
    EXPECT_FALSE(SUCCEEDED(persist->Load(StreamOf(farJitter).Get())));
    const std::vector<BYTE> cut(bytes.begin(), bytes.end() - 1);
    EXPECT_FALSE(SUCCEEDED(persist->Load(StreamOf(cut).Get())));
    effect->GetEffect(&effectId, &param);
    EXPECT_EQ(VIDEO_EFFECT_SEPIA, effectId);
}

// --- Media types and frames on the filter object itself

class FilterObjectTest : public ComTest {
protected:
    void SetUp() override {
        ComTest::SetUp();
        object = new lenstint::CEffectFilter();
        ASSERT_EQ(S_OK, object->NonDelegatingQueryInterface(IID_IBaseFilter,
                                                            reinterpret_cast<void**>(holder.GetAddressOf())));
    }
    void TearDown() override {
        holder.Reset();
        ComTest::TearDown();
    }
    lenstint::CEffectFilter* object = nullptr;
    ComPtr<IBaseFilter> holder;
};

TEST_F(FilterObjectTest, AcceptsOnlyRgb24VideoInfo) {
    auto check = [this](const CMediaType& type) { return object->CheckInputType(&type); };
    const CMediaType rgb24 = VideoType(MEDIASUBTYPE_RGB24, 24, 320, 240);
    EXPECT_EQ(S_OK, object->CheckInputType(&rgb24));
    EXPECT_EQ(S_OK, check(VideoType(MEDIASUBTYPE_RGB24, 24, 641, -481)));
    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_RGB32, 32, 320, 240)));
    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_YUY2, 16, 320, 240)));
    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_RGB24, 32, 320, 240)));

    CMediaType audio = rgb24;
    audio.majortype = MEDIATYPE_Audio;
    EXPECT_EQ(E_FAIL, object->CheckInputType(&audio));

    CMediaType info2 = rgb24;
    info2.formattype = FORMAT_VideoInfo2;
    EXPECT_EQ(E_INVALIDARG, object->CheckInputType(&info2));

    CMediaType shortBlock = rgb24;
    shortBlock.SetFormat(rgb24.pbFormat, 16);
    EXPECT_EQ(E_INVALIDARG, object->CheckInputType(&shortBlock));

    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_RGB24, 24, 320, 0)));
    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_RGB24, 24, 0, 240)));
    EXPECT_EQ(E_FAIL, check(VideoType(MEDIASUBTYPE_RGB24, 24, 100000, 100000)));
    EXPECT_EQ(E_POINTER, object->CheckInputType(nullptr));
}

TEST_F(FilterObjectTest, TransformNeedsTheSameTypeOnBothSides) {
    const CMediaType in = VideoType(MEDIASUBTYPE_RGB24, 24, 320, 240);
    EXPECT_EQ(S_OK, object->CheckTransform(&in, &in));
    const CMediaType other = VideoType(MEDIASUBTYPE_RGB24, 24, 176, 144);
    EXPECT_EQ(E_FAIL, object->CheckTransform(&in, &other));
    const CMediaType rgb32 = VideoType(MEDIASUBTYPE_RGB32, 32, 320, 240);
    EXPECT_EQ(E_FAIL, object->CheckTransform(&rgb32, &rgb32));
    EXPECT_EQ(E_POINTER, object->CheckTransform(nullptr, &in));
    EXPECT_EQ(E_POINTER, object->CheckTransform(&in, nullptr));
}

TEST_F(FilterObjectTest, NegotiationWaitsForAConnectedInput) {
    CMediaType type;
    EXPECT_EQ(E_UNEXPECTED, object->GetMediaType(0, &type));
    ALLOCATOR_PROPERTIES request{};
    EXPECT_EQ(E_UNEXPECTED, object->DecideBufferSize(nullptr, &request));
}

TEST_F(FilterObjectTest, SamplesAreCheckedBeforeTheyAreTouched) {
    basetest::FakeSample input(300), output(200), roomy(400);
    EXPECT_EQ(E_POINTER, object->Transform(nullptr, &output));
    EXPECT_EQ(E_POINTER, object->Transform(&input, nullptr));
    // The output cannot hold the input's data: refused, nothing written.
    EXPECT_EQ(E_FAIL, object->Transform(&input, &output));
    for (BYTE b : output.buffer) ASSERT_EQ(0, b);
    // Without a connected input there is no picture size: the data passes.
    for (size_t i = 0; i < input.buffer.size(); ++i) input.buffer[i] = static_cast<BYTE>(i);
    object->SetEffect(VIDEO_EFFECT_NEGATIVE, 0);
    ASSERT_EQ(S_OK, object->Transform(&input, &roomy));
    EXPECT_TRUE(std::equal(input.buffer.begin(), input.buffer.end(), roomy.buffer.begin()));
    EXPECT_EQ(300, roomy.GetActualDataLength());
}

}  // namespace
}  // namespace lenstinttest
