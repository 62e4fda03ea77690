// The binary interfaces of Windows' media controls (Windows.Media.Control, Windows 10 1809 and
// later) that Orlisk reads, declared from the Windows SDK's metadata: MinGW-w64 ships no
// windows.media.control.h. Slot numbers count IInspectable's six; a slot Orlisk never calls is
// declared as a placeholder that answers E_NOTIMPL, so that the slots after it keep their place.
// The stand-in media controls of the tests implement the same declarations.
#pragma once

#include <windows.h>

#include <asyncinfo.h>
#include <eventtoken.h>
#include <hstring.h>
#include <inspectable.h>

namespace lyrics::orlisk::win32::media_abi {

inline constexpr wchar_t kManagerClass[] = L"Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager";

// IInspectable ends here; the first slot of every interface below.
inline constexpr int kFirstSlot = 6;

#define LYRICS_MEDIA_PLACEHOLDER(n) \
    virtual HRESULT STDMETHODCALLTYPE Slot##n() { return E_NOTIMPL; }

// Windows.Foundation.IAsyncOperation<T> and its completed handler, and TypedEventHandler<S, A>:
// parameterized interfaces, whose IIDs each instantiation's Iids names.
template <typename Result>
struct IAsyncOperationCompletedHandler;

template <typename Result>
struct IAsyncOperation : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE put_Completed(IAsyncOperationCompletedHandler<Result>* handler) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE get_Completed(IAsyncOperationCompletedHandler<Result>** handler) = 0;
    virtual HRESULT STDMETHODCALLTYPE GetResults(Result** results) = 0;  // 8
};

template <typename Result>
struct IAsyncOperationCompletedHandler : IUnknown {
    virtual HRESULT STDMETHODCALLTYPE Invoke(IAsyncOperation<Result>* operation, AsyncStatus status) = 0;
};

template <typename Sender>
struct ITypedEventHandler : IUnknown {
    // The arguments are of no interest here: every event only says "read again".
    virtual HRESULT STDMETHODCALLTYPE Invoke(Sender* sender, IInspectable* args) = 0;
};

// IGlobalSystemMediaTransportControlsSessionMediaProperties
struct IMediaProperties : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) = 0;  // 6
    virtual HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) = 0;
    virtual HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) = 0;      // 9
    virtual HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) = 0;  // 10
};

// IGlobalSystemMediaTransportControlsSession
struct ISession : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) = 0;                            // 6
    virtual HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(IAsyncOperation<IMediaProperties>** op) = 0;  // 7
    // GetTimelineProperties, GetPlaybackInfo, the Try...Async commands and the timeline and
    // playback events.
    LYRICS_MEDIA_PLACEHOLDER(8)
    LYRICS_MEDIA_PLACEHOLDER(9)
    LYRICS_MEDIA_PLACEHOLDER(10)
    LYRICS_MEDIA_PLACEHOLDER(11)
    LYRICS_MEDIA_PLACEHOLDER(12)
    LYRICS_MEDIA_PLACEHOLDER(13)
    LYRICS_MEDIA_PLACEHOLDER(14)
    LYRICS_MEDIA_PLACEHOLDER(15)
    LYRICS_MEDIA_PLACEHOLDER(16)
    LYRICS_MEDIA_PLACEHOLDER(17)
    LYRICS_MEDIA_PLACEHOLDER(18)
    LYRICS_MEDIA_PLACEHOLDER(19)
    LYRICS_MEDIA_PLACEHOLDER(20)
    LYRICS_MEDIA_PLACEHOLDER(21)
    LYRICS_MEDIA_PLACEHOLDER(22)
    LYRICS_MEDIA_PLACEHOLDER(23)
    LYRICS_MEDIA_PLACEHOLDER(24)
    LYRICS_MEDIA_PLACEHOLDER(25)
    LYRICS_MEDIA_PLACEHOLDER(26)
    LYRICS_MEDIA_PLACEHOLDER(27)
    LYRICS_MEDIA_PLACEHOLDER(28)
    virtual HRESULT STDMETHODCALLTYPE add_MediaPropertiesChanged(ITypedEventHandler<ISession>* handler,
                                                                 EventRegistrationToken* token) = 0;    // 29
    virtual HRESULT STDMETHODCALLTYPE remove_MediaPropertiesChanged(EventRegistrationToken token) = 0;  // 30
};

// IGlobalSystemMediaTransportControlsSessionManager
struct IManager : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE GetCurrentSession(ISession** session) = 0;  // 6
    LYRICS_MEDIA_PLACEHOLDER(7)                                                   // GetSessions
    virtual HRESULT STDMETHODCALLTYPE add_CurrentSessionChanged(ITypedEventHandler<IManager>* handler,
                                                                EventRegistrationToken* token) = 0;    // 8
    virtual HRESULT STDMETHODCALLTYPE remove_CurrentSessionChanged(EventRegistrationToken token) = 0;  // 9
};

// IGlobalSystemMediaTransportControlsSessionManagerStatics
struct IManagerStatics : IInspectable {
    virtual HRESULT STDMETHODCALLTYPE RequestAsync(IAsyncOperation<IManager>** op) = 0;  // 6
};

#undef LYRICS_MEDIA_PLACEHOLDER

inline constexpr GUID kIidManagerStatics{0x2050c4ee, 0x11a0, 0x57de, {0xae, 0xd7, 0xc9, 0x7c, 0x70, 0x33, 0x82, 0x45}};
inline constexpr GUID kIidManager{0xcace8eac, 0xe86e, 0x504a, {0xab, 0x31, 0x5f, 0xf8, 0xff, 0x1b, 0xce, 0x49}};
inline constexpr GUID kIidSession{0x7148c835, 0x9b14, 0x5ae2, {0xab, 0x85, 0xdc, 0x9b, 0x1c, 0x14, 0xe1, 0xa8}};
inline constexpr GUID kIidMediaProperties{0x68856cf6, 0xadb4, 0x54b2, {0xac, 0x16, 0x05, 0x83, 0x79, 0x07, 0xac, 0xb6}};
// IAgileObject: a handler that says so may be called from any thread.
inline constexpr GUID kIidAgileObject{0x94ea2b94, 0xe9cc, 0x49e0, {0xc0, 0xff, 0xee, 0x64, 0xca, 0x8f, 0x5b, 0x90}};
inline constexpr GUID kIidInspectable{0xaf86e2e0, 0xb12d, 0x4c6a, {0x9c, 0x5a, 0xd7, 0xaa, 0x65, 0x10, 0x1e, 0x90}};
inline constexpr GUID kIidActivationFactory{0x00000035, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// The IIDs of one instantiation of the parameterized interfaces.
template <typename T>
struct Iids;

template <>
struct Iids<IAsyncOperation<IManager>> {
    static constexpr GUID kIid{0x3eec115e, 0x7346, 0x5c27, {0x8c, 0x5f, 0xda, 0x78, 0x51, 0x4a, 0x27, 0x7b}};
};
template <>
struct Iids<IAsyncOperationCompletedHandler<IManager>> {
    static constexpr GUID kIid{0x10f0074e, 0x923d, 0x5510, {0x8f, 0x4a, 0xdd, 0xe3, 0x77, 0x54, 0xca, 0x0e}};
};
template <>
struct Iids<IAsyncOperation<IMediaProperties>> {
    static constexpr GUID kIid{0xb185e6f3, 0xe0d8, 0x51cb, {0x91, 0x3f, 0xc9, 0x8d, 0x48, 0xc9, 0x3c, 0x46}};
};
template <>
struct Iids<IAsyncOperationCompletedHandler<IMediaProperties>> {
    static constexpr GUID kIid{0x84593a3d, 0x951a, 0x55b6, {0x83, 0x53, 0x52, 0x05, 0xe5, 0x77, 0x79, 0x7b}};
};
// TypedEventHandler<GlobalSystemMediaTransportControlsSessionManager, CurrentSessionChangedEventArgs>
template <>
struct Iids<ITypedEventHandler<IManager>> {
    static constexpr GUID kIid{0x228bd0ed, 0x1fa2, 0x5e9b, {0xa6, 0xec, 0x42, 0x56, 0x61, 0x73, 0x10, 0x3b}};
};
// TypedEventHandler<GlobalSystemMediaTransportControlsSession, MediaPropertiesChangedEventArgs>
template <>
struct Iids<ITypedEventHandler<ISession>> {
    static constexpr GUID kIid{0x0f2ce2b7, 0xafa7, 0x5ed0, {0x8c, 0xb6, 0x8c, 0x40, 0xcf, 0x9b, 0x3a, 0x5f}};
};

}  // namespace lyrics::orlisk::win32::media_abi
