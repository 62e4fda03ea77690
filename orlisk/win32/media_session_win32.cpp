#include "orlisk/win32/media_session_win32.h"

#include <utility>

#include "orlisk/win32/media_controls_abi.h"
#include "orlisk/win32/media_controls_runtime.h"

namespace lyrics::orlisk::win32 {

using namespace media_abi;

namespace {

// Windows.Foundation.IAsyncInfo: whether an operation has completed.
constexpr GUID kIidAsyncInfo{0x00000036, 0x0000, 0x0000, {0xc0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46}};

// A handler that only wakes the reading thread, through its own copy of the event, so that a
// late call after the thread has gone touches nothing of it.
template <typename Interface>
class WakeHandler : public Interface {
public:
    explicit WakeHandler(HANDLE event) {
        HANDLE copy = nullptr;
        if (::DuplicateHandle(::GetCurrentProcess(), event, ::GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
            event_.reset(copy);
        }
    }
    virtual ~WakeHandler() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (iid == IID_IUnknown || iid == Iids<Interface>::kIid || iid == kIidAgileObject) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(::InterlockedIncrement(&references_)); }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = ::InterlockedDecrement(&references_);
        if (left == 0) delete this;
        return static_cast<ULONG>(left);
    }

protected:
    void Wake() const {
        if (event_) ::SetEvent(event_.get());
    }

private:
    UniqueKernelHandle event_;
    LONG references_ = 1;
};

template <typename Result>
class CompletedHandler final : public WakeHandler<IAsyncOperationCompletedHandler<Result>> {
public:
    using WakeHandler<IAsyncOperationCompletedHandler<Result>>::WakeHandler;
    HRESULT STDMETHODCALLTYPE Invoke(IAsyncOperation<Result>*, AsyncStatus) override {
        this->Wake();
        return S_OK;
    }
};

template <typename Sender>
class EventHandler final : public WakeHandler<ITypedEventHandler<Sender>> {
public:
    using WakeHandler<ITypedEventHandler<Sender>>::WakeHandler;
    HRESULT STDMETHODCALLTYPE Invoke(Sender*, IInspectable*) override {
        this->Wake();
        return S_OK;
    }
};

// Asks an operation to wake the thread when it completes.
template <typename Result>
bool WakeOnCompletion(IAsyncOperation<Result>& operation, HANDLE event) {
    ComRef<IAsyncOperationCompletedHandler<Result>> handler;
    handler.reset(new CompletedHandler<Result>(event));
    return SUCCEEDED(operation.put_Completed(handler.get()));
}

enum class Outcome { Pending, Done, Failed };

// The result of an operation once it has completed; the operation is let go unless pending.
template <typename Result>
Outcome TakeResult(ComRef<IAsyncOperation<Result>>& operation, ComRef<Result>& result) {
    ComRef<IAsyncInfo> info;
    if (FAILED(operation->QueryInterface(kIidAsyncInfo, info.put_void()))) {
        operation.reset();
        return Outcome::Failed;
    }
    AsyncStatus status = AsyncStatus::Started;
    if (FAILED(info->get_Status(&status))) status = AsyncStatus::Error;
    if (status == AsyncStatus::Started) return Outcome::Pending;
    const bool done = status == AsyncStatus::Completed && SUCCEEDED(operation->GetResults(result.put()));
    operation.reset();
    return done ? Outcome::Done : Outcome::Failed;
}

// One event registration, removed when it goes.
template <typename Source>
class Registration {
public:
    using Remove = HRESULT (STDMETHODCALLTYPE Source::*)(EventRegistrationToken);
    Registration() = default;
    Registration(const Registration&) = delete;
    Registration& operator=(const Registration&) = delete;
    ~Registration() { reset(); }

    template <typename Add>
    void Register(Source* source, Add add, Remove remove, HANDLE event) {
        reset();
        ComRef<ITypedEventHandler<Source>> handler;
        handler.reset(new EventHandler<Source>(event));
        if (FAILED((source->*add)(handler.get(), &token_))) return;
        source->AddRef();
        source_.reset(source);
        remove_ = remove;
    }
    void reset() {
        if (source_) (source_.get()->*remove_)(token_);
        source_.reset();
    }

private:
    ComRef<Source> source_;
    Remove remove_ = nullptr;
    EventRegistrationToken token_{};
};

}  // namespace

// The thread's state, shared with CurrentSong() through the lock.
class MediaControls::Reader {
public:
    Reader()
        : stop_(::CreateEventW(nullptr, TRUE, FALSE, nullptr)),
          changed_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
          completed_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)) {}

    bool Ready() const { return stop_ && changed_ && completed_; }
    void Stop() const { ::SetEvent(stop_.get()); }

    std::optional<PlayerSong> Song() {
        ::AcquireSRWLockShared(&lock_);
        std::optional<PlayerSong> song = song_;
        ::ReleaseSRWLockShared(&lock_);
        return song;
    }

    static DWORD WINAPI ThreadMain(void* reader) {
        static_cast<Reader*>(reader)->Run();
        return 0;
    }

private:
    void Store(std::optional<PlayerSong> song) {
        ::AcquireSRWLockExclusive(&lock_);
        song_ = std::move(song);
        ::ReleaseSRWLockExclusive(&lock_);
    }

    void Run() {
        WinRtRuntime runtime;  // the last to go: every object below is released before it
        if (!runtime.Start()) return;
        ComRef<IManagerStatics> statics;
        if (FAILED(runtime.Factory(kManagerClass, kIidManagerStatics, statics.put_void()))) return;
        ComRef<IAsyncOperation<IManager>> managerRequest;
        if (FAILED(statics->RequestAsync(managerRequest.put())) || !managerRequest) return;
        if (!WakeOnCompletion(*managerRequest, completed_.get())) return;
        Follow(runtime, managerRequest);
    }

    void Follow(WinRtRuntime& runtime, ComRef<IAsyncOperation<IManager>>& managerRequest) {
        ComRef<IManager> manager;
        Registration<IManager> sessionChanges;
        ComRef<ISession> session;
        Registration<ISession> propertyChanges;
        ComRef<IAsyncOperation<IMediaProperties>> reading;
        bool readAgain = false;
        int blankReads = 0;

        const HANDLE events[] = {stop_.get(), changed_.get(), completed_.get()};
        for (;;) {
            const bool retry = blankReads > 0 && blankReads <= kBlankReadsAgain;
            const DWORD timeout = retry ? static_cast<DWORD>(kBlankReadAgainAfter.count()) : INFINITE;
            const DWORD woken = ::WaitForMultipleObjects(3, events, FALSE, timeout);
            if (woken == WAIT_OBJECT_0) runtime.LeaveAtEnd();
            if (woken == WAIT_OBJECT_0 || woken == WAIT_FAILED) break;
            if (woken == WAIT_OBJECT_0 + 1) {
                readAgain = true;
                blankReads = 0;
            }
            if (woken == WAIT_TIMEOUT) readAgain = true;

            if (managerRequest) {
                if (TakeResult(managerRequest, manager) == Outcome::Failed) break;
                if (manager) {
                    sessionChanges.Register(manager.get(), &IManager::add_CurrentSessionChanged,
                                            &IManager::remove_CurrentSessionChanged, changed_.get());
                    readAgain = true;
                }
            }
            if (reading) {
                ComRef<IMediaProperties> properties;
                const Outcome outcome = TakeResult(reading, properties);
                // A reading begun before the last event may tell of the song before it.
                if (outcome == Outcome::Done && !readAgain) {
                    std::optional<PlayerSong> song = SongOf(runtime, *session, properties.get());
                    blankReads = song && NamesASong(*song) ? 0 : blankReads + 1;
                    Store(std::move(song));
                }
                if (outcome == Outcome::Failed) readAgain = true;
            }
            if (manager && readAgain && !reading) {
                readAgain = false;
                ComRef<ISession> current;
                if (FAILED(manager->GetCurrentSession(current.put()))) current.reset();
                if (current.get() != session.get()) {
                    propertyChanges.reset();
                    session = std::move(current);
                    if (session) {
                        propertyChanges.Register(session.get(), &ISession::add_MediaPropertiesChanged,
                                                 &ISession::remove_MediaPropertiesChanged, changed_.get());
                    }
                }
                if (!session) {
                    Store(std::nullopt);
                    continue;
                }
                if (FAILED(session->TryGetMediaPropertiesAsync(reading.put())) || !reading ||
                    !WakeOnCompletion(*reading, completed_.get())) {
                    reading.reset();
                }
            }
        }
    }

    static std::optional<PlayerSong> SongOf(const WinRtRuntime& runtime, ISession& session, IMediaProperties* properties) {
        if (!properties) return std::nullopt;
        OwnedHstring player(runtime), artist(runtime), title(runtime);
        (void)session.get_SourceAppUserModelId(player.put());
        if (FAILED(properties->get_Title(title.put())) || FAILED(properties->get_Artist(artist.put()))) {
            return std::nullopt;
        }
        return PlayerSong{player.Text(), artist.Text(), title.Text()};
    }

    UniqueKernelHandle stop_, changed_, completed_;
    SRWLOCK lock_ = SRWLOCK_INIT;
    std::optional<PlayerSong> song_;
};

MediaControls::MediaControls() = default;

MediaControls::~MediaControls() {
    if (!thread_) return;
    reader_->Stop();
    if (::WaitForSingleObject(thread_.get(), static_cast<DWORD>(kMediaThreadEndWait.count())) == WAIT_TIMEOUT) {
        // The thread is stuck in a call of the system's: its state stays for it, and goes with
        // the process, which is ending.
        (void)reader_.release();
    }
}

void MediaControls::Follow() {
    if (reader_) return;
    reader_ = std::make_unique<Reader>();
    if (!reader_->Ready()) return;
    thread_.reset(::CreateThread(nullptr, 0, &Reader::ThreadMain, reader_.get(), 0, nullptr));
}

std::optional<PlayerSong> MediaControls::CurrentSong() {
    if (!reader_) return std::nullopt;
    return reader_->Song();
}

}  // namespace lyrics::orlisk::win32
