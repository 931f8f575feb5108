// The stand-ins as tests see them: class ids, friendly names, the audio
// control filter's private interface as the bench implements it, and the
// control object that reads back what the stand-ins recorded. Usage and
// what each stand-in does in testbench/standins/README.md.
#pragma once

#include <windows.h>
#include <unknwn.h>

// --- Classes registered by regsvr32 benchstandins.dll ---
// "WAV Dest": PCM in, a WAVE byte stream out to a file writer.
inline constexpr CLSID CLSID_BenchWavDest = {
    0x3C78B8E2, 0x6C4D, 0x11D1, {0xAD, 0xE2, 0x00, 0x00, 0xF8, 0x75, 0x4B, 0x99}};
// "Vimbrel Audio": the audio control filter (IAudioControlFilter).
inline constexpr CLSID CLSID_BenchAudioControl = {
    0x6A1C5E02, 0x3B7D, 0x4F0E, {0x8C, 0x21, 0x7D, 0x4B, 0x9E, 0x30, 0xC1, 0x02}};
// The control object (IBenchStandInControl).
inline constexpr CLSID CLSID_BenchStandInControl = {
    0x6A1C5E0F, 0x3B7D, 0x4F0E, {0x8C, 0x21, 0x7D, 0x4B, 0x9E, 0x30, 0xC1, 0x0F}};
// Registered over the platform's own classes, in the test prefix only:
//   CLSID_WMAsfWriter (uuids.h)  the WM ASF writer, which Wine lacks
//   CLSID_FileWriter  (uuids.h)  the file writer; Wine's has neither
//                                IFileSinkFilter2 nor an IStream on its pin
//   CLSID_MediaDet    (qedit.h)  the media detector; Wine's reads no frames
//   CLSID_AviDest     (uuids.h)  AVI Mux; Wine's refuses sound streams

#define BENCH_WAV_DEST_NAME L"WAV Dest"
#define BENCH_AUDIO_CONTROL_NAME L"Vimbrel Audio"
#define BENCH_ASF_WRITER_NAME L"WM ASF Writer"
#define BENCH_FILE_WRITER_NAME L"File writer"
#define BENCH_AVI_MUX_NAME L"AVI Mux"

// --- The audio control filter's private interface ---
// {D616F352-D622-11CE-AAC5-0020AF0B99A3}
inline constexpr IID IID_IAudioControlFilter = {
    0xD616F352, 0xD622, 0x11CE, {0xAA, 0xC5, 0x00, 0x20, 0xAF, 0x0B, 0x99, 0xA3}};

// The mute call is the sixth method after the three of IUnknown (vtable
// entry 8). The first five belong to the interface too, but nothing in the
// suite calls them: the bench takes one int in each, records the call as a
// stray one and refuses it, so that a caller counting the entries wrongly
// shows up in the records instead of muting by accident.
struct IAudioControlFilter : public IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Control1(int value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Control2(int value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Control3(int value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Control4(int value) = 0;
    virtual HRESULT STDMETHODCALLTYPE Control5(int value) = 0;
    // 1 mutes (the filter then passes silence), 0 unmutes.
    virtual HRESULT STDMETHODCALLTYPE SetMute(int mute) = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IAudioControlFilter, 0xD616F352, 0xD622, 0x11CE, 0xAA, 0xC5, 0x00, 0x20, 0xAF, 0x0B, 0x99, 0xA3)
#endif

// --- Reading the records back ---
// One call to the audio control interface: the method's place after
// IUnknown (1..6; 6 is SetMute) and its argument.
struct BenchControlCall {
    int method;
    int value;
};

// {6A1C5E1F-3B7D-4F0E-8C21-7D4B9E30C11F}
inline constexpr IID IID_IBenchStandInControl = {
    0x6A1C5E1F, 0x3B7D, 0x4F0E, {0x8C, 0x21, 0x7D, 0x4B, 0x9E, 0x30, 0xC1, 0x1F}};

// Records are process-wide: every stand-in object in the calling process
// adds to them, whoever created it (the engine, a test, a graph).
struct IBenchStandInControl : public IUnknown {
    // Calls to the audio control interface of every "Vimbrel Audio" filter,
    // oldest first. With capacity 0, only *count (the number recorded) is
    // set; otherwise up to capacity calls are copied and *count says how
    // many.
    virtual HRESULT STDMETHODCALLTYPE GetAudioControlCalls(BenchControlCall* calls, UINT capacity, UINT* count) = 0;
    // Buffers the "Vimbrel Audio" filters passed on, and how many of them
    // they silenced because they were muted.
    virtual HRESULT STDMETHODCALLTYPE GetAudioBuffers(LONGLONG* passed, LONGLONG* silenced) = 0;
    // COM objects of benchstandins.dll alive in this process (this one too).
    virtual HRESULT STDMETHODCALLTYPE GetLiveObjectCount(LONG* count) = 0;
    // Forgets every record.
    virtual HRESULT STDMETHODCALLTYPE Reset() = 0;
};

#ifdef __CRT_UUID_DECL
__CRT_UUID_DECL(IBenchStandInControl, 0x6A1C5E1F, 0x3B7D, 0x4F0E, 0x8C, 0x21, 0x7D, 0x4B, 0x9E, 0x30, 0xC1, 0x1F)
#endif
