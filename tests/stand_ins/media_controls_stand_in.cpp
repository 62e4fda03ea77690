// A stand-in for Windows' media controls in the end-to-end tests: a DLL that Wine's combase
// loads for the class Windows.Media.Control.GlobalSystemMediaTransportControlsSessionManager
// when the test prefix registers it (DllPath under
// HKLM\Software\Microsoft\WindowsRuntime\ActivatableClassId\<class>). It implements the session manager, its sessions and their
// media properties as Orlisk's declarations name them, completes every operation on a thread of its own and raises both change
// events from there.
//
// The test tells it what plays through values under HKCU\Software\Lyrics Tests\Media Controls,
// read every 50 ms:
//   Playing     "App|Artist|Title", or empty (or missing) for no session. Another app is another
//               session (CurrentSessionChanged); another artist or title in the same app raises
//               MediaPropertiesChanged.
//   Republish   any text: each change raises MediaPropertiesChanged with the same song (what a
//               pause or a seek looks like to a reader).
//   BlankReads  N: the next N readings after a change give blank fields, as players publish them
//               for a moment while a song starts.
//   Delay       milliseconds before each operation completes.
// It writes Registrations there: the event handlers registered and not removed.
#include <windows.h>

#include <activation.h>
#include <winstring.h>

#include <algorithm>
#include <functional>
#include <string>
#include <tuple>
#include <type_traits>
#include <vector>

#include "orlisk/win32/media_controls_abi.h"
#include "tests/stand_ins/media_controls_control.h"

namespace {

using namespace lyrics::orlisk::win32::media_abi;
using lyrics::testing::MediaValue;
using lyrics::testing::SetMediaValue;

constexpr HRESULT kIllegalMethodCall = static_cast<HRESULT>(0x8000000E);  // E_ILLEGAL_METHOD_CALL
constexpr GUID kIidAsyncInfo{0x00000036, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

HSTRING MakeString(const std::wstring& text) {
    HSTRING string = nullptr;
    ::WindowsCreateString(text.c_str(), static_cast<UINT32>(text.size()), &string);
    return string;
}

// The stand-in's own thread: work run in order of when it is due.
class Worker {
public:
    Worker() {
        ::InitializeCriticalSection(&lock_);
        wake_ = ::CreateEventW(nullptr, FALSE, FALSE, nullptr);
        ::CloseHandle(::CreateThread(nullptr, 0, &Worker::Main, this, 0, nullptr));
    }
    void Post(DWORD delay, std::function<void()> work) {
        ::EnterCriticalSection(&lock_);
        jobs_.push_back({::GetTickCount() + delay, std::move(work)});
        ::LeaveCriticalSection(&lock_);
        ::SetEvent(wake_);
    }
    std::function<void()> onPoll;

private:
    struct Job {
        DWORD due;
        std::function<void()> work;
    };
    static DWORD WINAPI Main(void* self) { return static_cast<Worker*>(self)->Loop(), 0; }
    void Loop() {
        for (;;) {
            ::WaitForSingleObject(wake_, 50);
            if (onPoll) onPoll();
            for (;;) {
                std::function<void()> work;
                ::EnterCriticalSection(&lock_);
                const DWORD now = ::GetTickCount();
                auto due = std::find_if(jobs_.begin(), jobs_.end(), [&](const Job& j) { return LONG(now - j.due) >= 0; });
                if (due != jobs_.end()) {
                    work = std::move(due->work);
                    jobs_.erase(due);
                }
                ::LeaveCriticalSection(&lock_);
                if (!work) break;
                work();
            }
        }
    }
    CRITICAL_SECTION lock_;
    HANDLE wake_;
    std::vector<Job> jobs_;
};

Worker& TheWorker() {
    static Worker* worker = new Worker;  // lives as long as the process
    return *worker;
}

DWORD Delay() { return static_cast<DWORD>(_wtoi(MediaValue(L"Delay").c_str())); }

template <typename Interface>
const GUID& IidOf() {
    if constexpr (std::is_same_v<Interface, IMediaProperties>)
        return kIidMediaProperties;
    else if constexpr (std::is_same_v<Interface, ISession>)
        return kIidSession;
    else if constexpr (std::is_same_v<Interface, IManager>)
        return kIidManager;
    else if constexpr (std::is_same_v<Interface, IManagerStatics>)
        return kIidManagerStatics;
    else if constexpr (std::is_same_v<Interface, IActivationFactory>)
        return kIidActivationFactory;
    else if constexpr (std::is_same_v<Interface, IAsyncInfo>)
        return kIidAsyncInfo;
    else
        return Iids<Interface>::kIid;
}

// IUnknown's and IInspectable's part of every object here, counted; the first interface answers
// for IUnknown and IInspectable.
template <typename... Interfaces>
class Object : public Interfaces... {
public:
    virtual ~Object() = default;
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        using First = std::tuple_element_t<0, std::tuple<Interfaces...>>;
        *object = iid == IID_IUnknown || iid == kIidInspectable ? static_cast<First*>(this) : nullptr;
        ((iid == IidOf<Interfaces>() ? void(*object = static_cast<Interfaces*>(this)) : void()), ...);
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ::InterlockedIncrement(&references_); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return left;
    }
    HRESULT STDMETHODCALLTYPE GetIids(ULONG* count, IID** iids) override { return *count = 0, *iids = nullptr, S_OK; }
    HRESULT STDMETHODCALLTYPE GetRuntimeClassName(HSTRING* name) override { return *name = nullptr, S_OK; }
    HRESULT STDMETHODCALLTYPE GetTrustLevel(TrustLevel* level) override { return *level = BaseTrust, S_OK; }

private:
    LONG references_ = 1;
};

template <typename Result>
class Operation final : public Object<IAsyncOperation<Result>, IAsyncInfo> {
public:
    HRESULT STDMETHODCALLTYPE put_Completed(IAsyncOperationCompletedHandler<Result>* handler) override {
        ::EnterCriticalSection(&lock_);
        handler->AddRef();
        handler_ = handler;
        const bool done = status_ != AsyncStatus::Started;
        ::LeaveCriticalSection(&lock_);
        if (done) Invoke();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Completed(IAsyncOperationCompletedHandler<Result>**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetResults(Result** results) override {
        if (status_ != AsyncStatus::Completed) return kIllegalMethodCall;
        *results = result_;
        if (result_) result_->AddRef();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_Id(unsigned int* id) override { return *id = 1, S_OK; }
    HRESULT STDMETHODCALLTYPE get_Status(AsyncStatus* status) override { return *status = status_, S_OK; }
    HRESULT STDMETHODCALLTYPE get_ErrorCode(HRESULT* code) override { return *code = S_OK, S_OK; }
    HRESULT STDMETHODCALLTYPE Cancel() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Close() override { return S_OK; }

    // An operation that completes on the stand-in's thread after the test's delay, with what make
    // gives then; that thread holds a reference until it has completed it.
    static HRESULT Start(IAsyncOperation<Result>** op, std::function<Result*()> make) {
        auto* self = new Operation;
        self->AddRef();
        TheWorker().Post(Delay(), [self, make] {
            ::EnterCriticalSection(&self->lock_);
            self->result_ = make();
            self->status_ = AsyncStatus::Completed;
            const bool watched = self->handler_ != nullptr;
            ::LeaveCriticalSection(&self->lock_);
            if (watched) self->Invoke();
            self->Release();
        });
        *op = self;
        return S_OK;
    }
    Operation() { ::InitializeCriticalSection(&lock_); }
    ~Operation() override {
        if (handler_) handler_->Release();
        if (result_) result_->Release();
        ::DeleteCriticalSection(&lock_);
    }

private:
    void Invoke() { handler_->Invoke(this, status_); }
    CRITICAL_SECTION lock_;
    IAsyncOperationCompletedHandler<Result>* handler_ = nullptr;
    Result* result_ = nullptr;
    volatile AsyncStatus status_ = AsyncStatus::Started;
};

// Event handlers by token; the count of all of them is written for the test.
LONG liveRegistrations = 0;

template <typename Sender>
class Handlers {
public:
    Handlers() { ::InitializeCriticalSection(&lock_); }
    HRESULT Add(ITypedEventHandler<Sender>* handler, EventRegistrationToken* token) {
        ::EnterCriticalSection(&lock_);
        handler->AddRef();
        token->value = ++lastToken_;
        handlers_.push_back({token->value, handler});
        ::LeaveCriticalSection(&lock_);
        Count(+1);
        return S_OK;
    }
    HRESULT Remove(EventRegistrationToken token) {
        ::EnterCriticalSection(&lock_);
        const auto it = std::find_if(handlers_.begin(), handlers_.end(), [&](const auto& h) { return h.first == token.value; });
        ITypedEventHandler<Sender>* handler = it == handlers_.end() ? nullptr : it->second;
        if (handler) handlers_.erase(it);
        ::LeaveCriticalSection(&lock_);
        if (handler) handler->Release(), Count(-1);
        return S_OK;
    }
    void Raise(Sender* sender) {
        ::EnterCriticalSection(&lock_);
        std::vector<ITypedEventHandler<Sender>*> now;
        for (const auto& h : handlers_) {
            h.second->AddRef();
            now.push_back(h.second);
        }
        ::LeaveCriticalSection(&lock_);
        for (ITypedEventHandler<Sender>* handler : now) {
            handler->Invoke(sender, nullptr);
            handler->Release();
        }
    }

private:
    static void Count(LONG step) { SetMediaValue(L"Registrations", std::to_wstring(::InterlockedAdd(&liveRegistrations, step))); }
    CRITICAL_SECTION lock_;
    INT64 lastToken_ = 0;
    std::vector<std::pair<INT64, ITypedEventHandler<Sender>*>> handlers_;
};

struct Song {
    std::wstring app, artist, title;
};

class Properties final : public Object<IMediaProperties> {
public:
    explicit Properties(Song song) : song_(std::move(song)) {}
    HRESULT STDMETHODCALLTYPE get_Title(HSTRING* value) override { return *value = MakeString(song_.title), S_OK; }
    HRESULT STDMETHODCALLTYPE get_Subtitle(HSTRING* value) override { return *value = nullptr, S_OK; }
    HRESULT STDMETHODCALLTYPE get_AlbumArtist(HSTRING* value) override { return *value = MakeString(song_.artist), S_OK; }
    // The artist is read last: "ArtistRead" tells the test that a reader has the song.
    HRESULT STDMETHODCALLTYPE get_Artist(HSTRING* value) override {
        SetMediaValue(L"ArtistRead", song_.artist);
        return *value = MakeString(song_.artist), S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_AlbumTitle(HSTRING* value) override { return *value = MakeString(L"Album"), S_OK; }

private:
    Song song_;
};

// What plays now, as the poll last read it; the readings take it from here.
CRITICAL_SECTION songLock;
Song playing;
int blankReads = 0;

Song Playing() {
    ::EnterCriticalSection(&songLock);
    Song song = playing;
    if (blankReads > 0) {
        --blankReads;
        song.artist.clear();
        song.title.clear();
    }
    ::LeaveCriticalSection(&songLock);
    return song;
}

class Session final : public Object<ISession> {
public:
    explicit Session(std::wstring app) : app_(std::move(app)) {}
    HRESULT STDMETHODCALLTYPE get_SourceAppUserModelId(HSTRING* value) override { return *value = MakeString(app_), S_OK; }
    HRESULT STDMETHODCALLTYPE TryGetMediaPropertiesAsync(IAsyncOperation<IMediaProperties>** op) override {
        return Operation<IMediaProperties>::Start(op, [] { return new Properties(Playing()); });
    }
    HRESULT STDMETHODCALLTYPE add_MediaPropertiesChanged(ITypedEventHandler<ISession>* handler,
                                                         EventRegistrationToken* token) override {
        return changes_.Add(handler, token);
    }
    HRESULT STDMETHODCALLTYPE remove_MediaPropertiesChanged(EventRegistrationToken token) override {
        return changes_.Remove(token);
    }
    void Changed() { changes_.Raise(this); }
    const std::wstring& App() const { return app_; }

private:
    std::wstring app_;
    Handlers<ISession> changes_;
};

class Manager final : public Object<IManager> {
public:
    HRESULT STDMETHODCALLTYPE GetCurrentSession(ISession** session) override {
        ::EnterCriticalSection(&songLock);
        *session = current_;
        if (current_) current_->AddRef();
        ::LeaveCriticalSection(&songLock);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE add_CurrentSessionChanged(ITypedEventHandler<IManager>* handler,
                                                        EventRegistrationToken* token) override {
        return changes_.Add(handler, token);
    }
    HRESULT STDMETHODCALLTYPE remove_CurrentSessionChanged(EventRegistrationToken token) override {
        return changes_.Remove(token);
    }

    // On the stand-in's thread: what the test wrote, and the events it calls for.
    void Poll() {
        const std::wstring text = MediaValue(L"Playing");
        const std::wstring republish = MediaValue(L"Republish");
        if (text == lastText_ && republish == lastRepublish_) return;
        Song song;
        const std::size_t bar = text.find(L'|'), second = text.find(L'|', bar + 1);
        if (!text.empty() && bar != std::wstring::npos && second != std::wstring::npos) {
            song = {text.substr(0, bar), text.substr(bar + 1, second - bar - 1), text.substr(second + 1)};
        }
        ::EnterCriticalSection(&songLock);
        playing = song;
        blankReads = _wtoi(MediaValue(L"BlankReads").c_str());
        Session* old = current_;
        const bool sameApp = old && old->App() == song.app && !text.empty();
        if (!sameApp) current_ = text.empty() ? nullptr : new Session(song.app);
        ::LeaveCriticalSection(&songLock);
        lastText_ = text;
        lastRepublish_ = republish;
        if (sameApp) {
            old->Changed();
            return;
        }
        changes_.Raise(this);
        if (old) old->Release();
    }

private:
    Session* current_ = nullptr;
    std::wstring lastText_, lastRepublish_;
    Handlers<IManager> changes_;
};

Manager& TheManager() {
    static Manager* manager = [] {
        ::InitializeCriticalSection(&songLock);
        auto* made = new Manager;
        TheWorker().onPoll = [made] { made->Poll(); };
        return made;
    }();
    return *manager;
}

class Factory final : public Object<IActivationFactory, IManagerStatics> {
public:
    HRESULT STDMETHODCALLTYPE ActivateInstance(IInspectable** instance) override { return *instance = nullptr, E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE RequestAsync(IAsyncOperation<IManager>** op) override {
        return Operation<IManager>::Start(op, [] {
            TheManager().AddRef();
            return &TheManager();
        });
    }
};

}  // namespace

extern "C" __declspec(dllexport) HRESULT WINAPI DllGetActivationFactory(HSTRING classId, IActivationFactory** factory) {
    *factory = nullptr;
    if (std::wstring(::WindowsGetStringRawBuffer(classId, nullptr)) != kManagerClass) return CLASS_E_CLASSNOTAVAILABLE;
    *factory = new Factory;
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllCanUnloadNow() { return S_FALSE; }
