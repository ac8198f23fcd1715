#include "fakewordhost.h"

#include "wordprocessor/com/apartment.h"

#include <optional>
#include <stdexcept>

namespace fakeword {

namespace {

constexpr const wchar_t* progIdKey = L"Software\\Classes\\Word.Application";

void uninstallWord() {
    RegDeleteTreeW(HKEY_LOCAL_MACHINE, progIdKey);
}

void require(bool done, const char* what) {
    if (!done)
        throw std::runtime_error(what);
}

} // namespace

void PrintTo(Apartment apartment, std::ostream* out) {
    *out << (apartment == Apartment::Caller ? "in the caller's apartment" : "on its own thread");
}

std::ostream& operator<<(std::ostream& out, const Leaks& leaks) {
    return out << "{objects alive: " << leaks.objectsAlive
               << ", application references: " << leaks.applicationReferences << "}";
}

InstalledWord::InstalledWord() {
    wchar_t classIdText[40];
    require(StringFromGUID2(classId, classIdText, 40) > 0, "formatting the class id");
    const std::wstring keyName = std::wstring(progIdKey) + L"\\CLSID";
    HKEY key = nullptr;
    require(RegCreateKeyExW(HKEY_LOCAL_MACHINE, keyName.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr,
                            &key, nullptr) == ERROR_SUCCESS,
            "creating the Word.Application key");
    const auto bytes = static_cast<DWORD>((wcslen(classIdText) + 1) * sizeof(wchar_t));
    const LSTATUS written =
        RegSetValueExW(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(classIdText), bytes);
    RegCloseKey(key);
    require(written == ERROR_SUCCESS, "writing the Word.Application class id");
}

InstalledWord::~InstalledWord() {
    uninstallWord();
}

FakeServer::FakeServer(World& world)
    : m_world(world)
    , m_application(adopt(new FakeApplication(world)))
    , m_factory(adopt(new FakeClassFactory(world, *m_application.Get()))) {
    if (world.behaviour.running)
        require(SUCCEEDED(m_application->registerRunning()),
                "entering the fake Word in the running-object table");
    if (world.behaviour.startable &&
        FAILED(CoRegisterClassObject(classId, m_factory.Get(), CLSCTX_LOCAL_SERVER,
                                     REGCLS_MULTIPLEUSE, &m_classCookie))) {
        m_application->revokeRunning();
        throw std::runtime_error("registering the fake Word's class object");
    }
}

FakeServer::~FakeServer() {
    m_application->revokeRunning();
    if (m_classCookie != 0)
        CoRevokeClassObject(m_classCookie);
}

// The application lives as long as the fake does; every other object should be gone.
Leaks FakeServer::leaksInThisApartment() const {
    return {m_world.objectsAlive - 1, m_application->unreleasedReferences()};
}

Leaks FakeServer::leaksFromOtherApartments() const {
    return {m_world.objectsAlive - 1, m_application->externalConnections()};
}

ServerThread::ServerThread(World& world)
    : m_thread(&ServerThread::run, this, std::ref(world)) {
    try {
        m_started.get_future().get();
    } catch (...) {
        m_thread.join();
        throw;
    }
}

ServerThread::~ServerThread() {
    PostThreadMessageW(m_threadId, WM_QUIT, 0, 0);
    m_thread.join();
}

void ServerThread::run(World& world) {
    const wordcom::SingleThreadedApartment apartment;
    MSG message;
    PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE); // makes the message queue
    std::optional<FakeServer> server;
    try {
        server.emplace(world);
    } catch (...) {
        m_started.set_exception(std::current_exception());
        return;
    }
    m_server = &*server;
    m_threadId = GetCurrentThreadId();
    m_started.set_value();
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
        DispatchMessageW(&message);
}

FakeWordHost::FakeWordHost(const Behaviour& behaviour, Apartment apartment)
    : m_world(behaviour) {
    uninstallWord();
    if (behaviour.installed)
        m_installed = std::make_unique<InstalledWord>();
    if (apartment == Apartment::Caller)
        m_server = std::make_unique<FakeServer>(m_world);
    else
        m_thread = std::make_unique<ServerThread>(m_world);
}

FakeWordHost::~FakeWordHost() {
    endHanging();
}

Leaks FakeWordHost::leaks() const {
    return m_thread ? m_thread->leaks() : m_server->leaksInThisApartment();
}

} // namespace fakeword
